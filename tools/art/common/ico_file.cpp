// Layout of an .ico file (all fields little-endian):
//   ICONDIR, 6 bytes: reserved 0 (2), type 1 = icon (2), image count n (2)
//   n x ICONDIRENTRY, 16 bytes each: width (1, 0 = 256), height (1, 0 = 256), colour count 0
//     (1), reserved 0 (1), planes 1 (2), bits per pixel 32 (2), image bytes (4), image offset (4)
//   the images, in entry order. A DIB image is a 40-byte BITMAPINFOHEADER whose height counts
//   the colour rows and the mask rows (2 x size), the BGRA rows bottom-up with straight alpha,
//   then the 1-bit AND mask rows bottom-up, each padded to 4 bytes (1 = transparent).
#include "tools/art/common/ico_file.h"

#include "tools/art/common/registry.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

std::vector<uint8_t> EncodePng(cairo_surface_t* surface) {
  std::vector<uint8_t> png;
  ArtCheck(cairo_surface_write_to_png_stream(surface, &AppendBytes, &png) == CAIRO_STATUS_SUCCESS,
           "icon: cannot encode PNG");
  return png;
}

std::vector<uint8_t> EncodeDib(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int size = cairo_image_surface_get_width(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int mask_row_bytes = ((size + 31) / 32) * 4;
  std::vector<uint8_t> out;
  Put32(out, 40);
  Put32(out, uint32_t(size));
  Put32(out, uint32_t(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, uint32_t(size * size * 4 + mask_row_bytes * size));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < size; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      // Cairo premultiplies; icons want straight alpha.
      auto straight = [a](uint32_t c) { return a == 0 ? 0u : (c * 255 + a / 2) / a; };
      out.push_back(uint8_t(straight(p & 255)));
      out.push_back(uint8_t(straight((p >> 8) & 255)));
      out.push_back(uint8_t(straight((p >> 16) & 255)));
      out.push_back(uint8_t(a));
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    std::vector<uint8_t> mask(mask_row_bytes, 0);
    for (int x = 0; x < size; ++x)
      if ((row[x] >> 24) == 0) mask[x / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), mask.begin(), mask.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<cairo_surface_t*>& images) {
  std::vector<std::vector<uint8_t>> encoded;
  for (cairo_surface_t* image : images) {
    const int size = cairo_image_surface_get_width(image);
    ArtCheck(size == cairo_image_surface_get_height(image) && size >= 1 && size <= 256,
             "icon images must be square, 1 to 256 px");
    encoded.push_back(size > 48 ? EncodePng(image) : EncodeDib(image));
  }
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, uint32_t(images.size()));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = cairo_image_surface_get_width(images[i]);
    out.push_back(uint8_t(size == 256 ? 0 : size));
    out.push_back(uint8_t(size == 256 ? 0 : size));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, uint32_t(encoded[i].size()));
    Put32(out, offset);
    offset += uint32_t(encoded[i].size());
  }
  for (const auto& image : encoded) out.insert(out.end(), image.begin(), image.end());
  return out;
}
