#pragma once

// .\vorta.ini into the settings globals, and back.
void ReadSettingsFile();
void WriteSettingsFile();
