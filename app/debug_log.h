// The debug log: written only when the game was started with "/d".
#pragma once

// 1 when the command line's first word was "/d"; 0 otherwise.
extern int debug_mode;

// printf-style; appends one entry "%4d/%02d/%02d %02d:%02d:%02d\t<message>" to .\vorta.log
// (the texts are UTF-8 in the sources; on Windows the file gets them in code page 932) and
// sends the message to the debugger. Does nothing unless debug_mode is set.
// Messages carry their own "\n".
void WriteLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
