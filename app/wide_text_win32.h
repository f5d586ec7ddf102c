// The game's texts are UTF-8 in the sources; Windows shows them correctly on a system of any
// language only through its wide-character calls.
#pragma once

#include <string>

// UTF-8 to UTF-16; empty for a null or empty text.
std::wstring WidenUtf8(const char* utf8);

// UTF-8 to the bytes of code page 932 (Shift-JIS, the game's own texts); a character the code
// page lacks becomes "?".
std::string NarrowToCodePage932(const std::string& utf8);
