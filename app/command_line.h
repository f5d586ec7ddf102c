// The command line: only its first blank-separated word matters.
#pragma once

// True when the first word of the command line is exactly "/d" (debug mode). Handles a
// null or empty line, any length, and tabs as blanks.
bool IsDebugSwitch(const char* commandLine);
