#include "display/shown_picture.h"

#include <cstring>

ShownPicture shown_picture;

bool PictureIsNew(const ShownPicture& shown, const void* inputs, size_t size) {
  return !shown.known || shown.size != size || std::memcmp(shown.inputs, inputs, size) != 0;
}

void RememberShownPicture(ShownPicture& shown, const void* inputs, size_t size) {
  if (size > sizeof shown.inputs) {
    shown.known = false;
    return;
  }
  std::memcpy(shown.inputs, inputs, size);
  shown.size = size;
  shown.known = true;
}

void ForgetShownPicture(ShownPicture& shown) { shown.known = false; }
