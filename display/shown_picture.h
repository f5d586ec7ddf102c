// What the picture on the screen was made from, for a scene that can leave an unchanged
// picture where it is. Drawing and copying the finished title again every frame costs about
// a fifth of a core on a software renderer (Wine on Mesa) for a picture that does not change;
// a scene that describes each frame's picture by its inputs draws and presents only when they
// differ from those of the picture on the screen. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

struct ShownPicture {
  bool known = false;   // false: the screen may show anything
  size_t size = 0;      // bytes of inputs
  uint8_t inputs[256];
};

// The screen's picture, as the frame presentation and the window know it.
extern ShownPicture shown_picture;

// true when the picture made from these inputs is not known to be on the screen. Inputs of
// more bytes than fit are never remembered, so they always count as new.
bool PictureIsNew(const ShownPicture& shown, const void* inputs, size_t size);

// After the picture made from these inputs has been put on the screen.
void RememberShownPicture(ShownPicture& shown, const void* inputs, size_t size);

// After anything that may have put another picture on the screen or spoiled it: any other
// presentation, a display rebuild, restored surfaces, the window uncovered.
void ForgetShownPicture(ShownPicture& shown);
