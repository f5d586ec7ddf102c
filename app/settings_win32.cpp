// The settings file through the Windows profile functions: a missing file or key gives the
// default, and writing creates the file and its sections.
#include <windows.h>

#include "app/settings_win32.h"
#include "app/settings.h"

namespace {
int ReadProfileInt(const char* section, const char* key, int default_value) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, default_value, kSettingsFile));
}

void WriteProfileString(const char* section, const char* key, const char* text) {
  WritePrivateProfileStringA(section, key, text, kSettingsFile);
}
}  // namespace

void ReadSettingsFile() { ReadConfiguration(&ReadProfileInt); }
void WriteSettingsFile() { WriteConfiguration(&WriteProfileString); }
