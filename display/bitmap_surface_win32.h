// 8-bit bitmaps from the resources (or, for names without a resource, files) turned into
// DirectDraw surfaces, and the bitmap-font surfaces the scenes share.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <cstdint>

// The shared fonts: set by LoadSmallFont and the scenes' loaders, released (in the reverse
// order of this list) by ReleaseSceneSurfaces.
extern IDirectDrawSurface4* lpDDSFontDFPOP16OTHER1;
extern IDirectDrawSurface4* lpDDSFontDFPOP16GREEN;
extern IDirectDrawSurface4* lpDDSFontDFPOP16RED;
extern IDirectDrawSurface4* lpDDSFontDFPOP16YELLOW;
extern IDirectDrawSurface4* lpDDSFontDFPOP32CREAM;
extern IDirectDrawSurface4* lpDDSFontDFPOP32ORANGE;

// A surface holding the named bitmap, converted to the display's format; nullptr after the
// reason went to the log. The resource wins over a file of the same name.
IDirectDrawSurface4* LoadBitmapSurface(IDirectDraw4* directDraw, const char* name);

// Black (pixel value 0) becomes the surface's source colour key. 0 or the DirectDraw error.
HRESULT SetBlackColorKey(IDirectDrawSurface4* surface);

// An off-screen surface of the given size, memory left to DirectDraw; nullptr after logging.
IDirectDrawSurface4* CreatePlainSurface(IDirectDraw4* directDraw, int32_t width,
                                        int32_t height);

// The loading pattern of every scene's pictures: the named bitmap into `handle` (released first
// if held) with black as its source colour key. `loadFailed` is shown (caption "error") when it
// cannot be loaded, and it then gets no key; `keyFailed` when its key cannot be set. A load
// failure asks for SCENE_EXIT, a key failure too unless keyFailureEnds is false.
void LoadKeyedPicture(IDirectDrawSurface4*& handle, const char* name, const char* loadFailed,
                      const char* keyFailed, bool keyFailureEnds = true);

// The opaque 8x16 font every scene's frame-rate read-out uses. A failure shows its message
// box and ends the game through SCENE_EXIT.
void LoadSmallFont();

// Releases the six shared fonts (32-pixel ones first), emptying their handles.
void ReleaseSharedFonts();
