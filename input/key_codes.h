// The DirectInput key codes the game tests in `key state`.
//
// Portable code needs them without <dinput.h>; the values are DirectInput's scan codes and
// the macros are spelt exactly as that header spells them, so the two may meet in one file.
#pragma once

#ifndef DIK_ESCAPE
#define DIK_ESCAPE          0x01
#endif
#ifndef DIK_BACK
#define DIK_BACK            0x0E
#endif
#ifndef DIK_RETURN
#define DIK_RETURN          0x1C
#endif
#ifndef DIK_LCONTROL
#define DIK_LCONTROL        0x1D
#endif
#ifndef DIK_LMENU
#define DIK_LMENU           0x38
#endif
#ifndef DIK_SPACE
#define DIK_SPACE           0x39
#endif
#ifndef DIK_UP
#define DIK_UP              0xC8
#endif
#ifndef DIK_LEFT
#define DIK_LEFT            0xCB
#endif
#ifndef DIK_RIGHT
#define DIK_RIGHT           0xCD
#endif
#ifndef DIK_DOWN
#define DIK_DOWN            0xD0
#endif
#ifndef DIK_DELETE
#define DIK_DELETE          0xD3
#endif
