// Loading the keyed pictures of the record and option screens, the way every scene loads its
// own: a picture that fails shows its message box and asks for SCENE_EXIT, and the rest are
// still tried.
#pragma once

#include <windows.h>
#include <ddraw.h>

// Loads the named bitmap into `handle` with black as its source colour key. `loadFailed` is
// shown when the picture cannot be loaded (and it then gets no key), `keyFailed` when its key
// cannot be set; either asks for SCENE_EXIT.
void LoadKeyedPicture(IDirectDrawSurface4*& handle, const char* name, const char* loadFailed,
                      const char* keyFailed);

// The 32-pixel orange and cream fonts into their shared handles.
void LoadLargeFonts();

RECT ToWinRect(const struct PixelRect& rect);
