#pragma once

// Switches debug mode on, deletes the old .\vorta.log and writes the first entry.
void StartDebugLog();
