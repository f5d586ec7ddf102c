// Loading the car table from the executable's CARDATA resource (car_data_win32.cpp).
#pragma once

// Copies the "cardata" resource of type "CARDATA" into car_table. Returns false, with the
// reason in the debug log and car_table empty, when it is missing or malformed.
bool LoadCarData();

// Frees car_table at shut-down; harmless when nothing is loaded.
void ReleaseCarData();
