// The 32-pixel fonts as the record and option screens load them.
#pragma once

#include <windows.h>
#include <ddraw.h>

// The 32-pixel orange and cream fonts into their shared handles.
void LoadLargeFonts();
