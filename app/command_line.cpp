#include "app/command_line.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool IsDebugSwitch(const char* commandLine) {
  if (commandLine == nullptr) return false;
  const char* word = commandLine;
  while (IsBlank(*word)) ++word;
  return word[0] == '/' && word[1] == 'd' && (word[2] == '\0' || IsBlank(word[2]));
}
