// The in-memory car table: every car record from start-up to shut-down, and the copy of the
// chosen one that the race reads. Portable: no Windows header.
//
// car_table is empty until the car data is loaded and again after it is released, and may
// stay empty for a whole run when the load fails. Code that picks a car goes through the
// helpers below, which all answer "none" (-1 or null) for an empty table or a table without
// a selectable car instead of indexing or looping for ever.
#pragma once

#include <cstdint>
#include <vector>

#include "data/car_data_format.h"
#include "data/car_record.h"

// The records in resource order; the index is the car's place in the car select cycle.
extern std::vector<CarRecord> car_table;
// Always car_table.size(); kept as the signed count the resource gave.
extern int32_t car_count;
// The selected car, refreshed by the car select screen; the race reads only this copy.
// 8-byte aligned for the same reason as CarRecord.
alignas(8) extern CarSpec current_car;
// The place of current_car in car_table, or -1 when it was not chosen from the table.
extern int32_t current_car_index;

// Replaces the table (and car_count) with the given records.
void InstallCarTable(std::vector<CarRecord> records);
// Empties the table and frees its memory; safe to call when already empty.
void ClearCarTable();

// The first record whose id matches, or null.
CarSpec* FindCarById(int32_t id);
// Whether index is a record of the table that may be chosen.
bool IsSelectableCar(int32_t index);
// Whether any record may be chosen.
bool AnySelectableCar();
// From index, moves direction (+1 or -1) at least one place, wrapping around the table,
// until a selectable record is reached; returns its index, or -1 when there is none.
int32_t StepToSelectableCar(int32_t index, int32_t direction);
