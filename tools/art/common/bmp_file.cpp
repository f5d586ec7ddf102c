// 8-bit Windows BMP writing and reading.
//
// Layout of the file as written (all fields little-endian):
//   offset  size  field
//        0     2  "BM"
//        2     4  file size in bytes
//        6     4  reserved, 0
//       10     4  offset of the pixel rows = 14 + 40 + 1024 = 1078
//       14     4  info header size, 40 (BITMAPINFOHEADER)
//       18     4  width in pixels
//       22     4  height in pixels, positive: rows stored bottom-up
//       26     2  planes, 1
//       28     2  bits per pixel, 8
//       30     4  compression, 0 (BI_RGB)
//       34     4  size of the pixel rows in bytes
//       38     8  pixels per metre x and y, 2835 (72 dpi)
//       46     4  colours used, 256
//       50     4  important colours, 0
//       54  1024  palette: 256 entries of blue, green, red, 0
//     1078     -  rows, each padded to a multiple of 4 bytes
#include "tools/art/common/indexed_bitmap.h"

#include <cstdio>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kPaletteBytes = 256 * 4;
constexpr size_t kPixelOffset = kFileHeaderBytes + kInfoHeaderBytes + kPaletteBytes;
static_assert(kPixelOffset == 1078, "8-bit BMP header and palette are 1078 bytes");

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = uint8_t(v);
  out[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}
uint32_t Get16(const std::vector<uint8_t>& in, size_t at) { return in[at] | (in[at + 1] << 8); }
uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
  return uint32_t(in[at]) | (uint32_t(in[at + 1]) << 8) | (uint32_t(in[at + 2]) << 16) |
         (uint32_t(in[at + 3]) << 24);
}

size_t RowBytes(int width) { return (size_t(width) + 3) & ~size_t(3); }

}  // namespace

std::vector<uint8_t> EncodeBmp8(const IndexedBitmap& bitmap) {
  const size_t row_bytes = RowBytes(bitmap.width);
  const size_t image_bytes = row_bytes * size_t(bitmap.height);
  std::vector<uint8_t> out(kPixelOffset + image_bytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, uint32_t(out.size()));
  Put32(out, 10, uint32_t(kPixelOffset));
  Put32(out, 14, uint32_t(kInfoHeaderBytes));
  Put32(out, 18, uint32_t(bitmap.width));
  Put32(out, 22, uint32_t(bitmap.height));
  Put16(out, 26, 1);
  Put16(out, 28, 8);
  Put32(out, 34, uint32_t(image_bytes));
  Put32(out, 38, 2835);
  Put32(out, 42, 2835);
  Put32(out, 46, 256);
  for (size_t i = 0; i < bitmap.palette.size() && i < 256; ++i) {
    const size_t at = kFileHeaderBytes + kInfoHeaderBytes + 4 * i;
    out[at] = bitmap.palette[i].b;
    out[at + 1] = bitmap.palette[i].g;
    out[at + 2] = bitmap.palette[i].r;
  }
  for (int y = 0; y < bitmap.height; ++y) {
    const size_t row_at = kPixelOffset + row_bytes * size_t(bitmap.height - 1 - y);
    for (int x = 0; x < bitmap.width; ++x) out[row_at + x] = bitmap.pixels[size_t(y) * bitmap.width + x];
  }
  return out;
}

bool WriteBmp8(const std::string& path, const IndexedBitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.palette.empty() ||
      bitmap.palette.size() > 256 ||
      bitmap.pixels.size() != size_t(bitmap.width) * size_t(bitmap.height)) {
    std::fprintf(stderr, "%s: malformed bitmap, not written\n", path.c_str());
    return false;
  }
  for (uint8_t index : bitmap.pixels) {
    if (index >= bitmap.palette.size()) {
      std::fprintf(stderr, "%s: pixel index %d past the palette\n", path.c_str(), index);
      return false;
    }
  }
  return WriteFileBytes(path, EncodeBmp8(bitmap));
}

bool DecodeBmp8(const std::vector<uint8_t>& in, IndexedBitmap* bitmap, std::string* error) {
  auto fail = [error](const char* why) {
    if (error) *error = why;
    return false;
  };
  if (in.size() < kFileHeaderBytes + kInfoHeaderBytes) return fail("shorter than the BMP headers");
  if (in[0] != 'B' || in[1] != 'M') return fail("no BM signature");
  const uint32_t pixel_offset = Get32(in, 10);
  const uint32_t info_size = Get32(in, 14);
  if (info_size < kInfoHeaderBytes || kFileHeaderBytes + info_size > in.size())
    return fail("info header size out of range");
  const int32_t width = int32_t(Get32(in, 18));
  const int32_t raw_height = int32_t(Get32(in, 22));
  if (Get16(in, 26) != 1) return fail("planes is not 1");
  if (Get16(in, 28) != 8) return fail("not 8 bits per pixel");
  if (Get32(in, 30) != 0) return fail("compressed");
  if (width <= 0 || width > 16384 || raw_height == 0 || raw_height < -16384 || raw_height > 16384)
    return fail("size out of range");
  const bool bottom_up = raw_height > 0;
  const int height = bottom_up ? raw_height : -raw_height;
  uint32_t colours = Get32(in, 46);
  if (colours == 0) colours = 256;
  if (colours > 256) return fail("more than 256 palette entries");
  const size_t palette_at = kFileHeaderBytes + info_size;
  if (palette_at + size_t(colours) * 4 > in.size()) return fail("palette past the end");
  const size_t row_bytes = RowBytes(width);
  if (pixel_offset < palette_at + size_t(colours) * 4 || pixel_offset > in.size() ||
      in.size() - pixel_offset < row_bytes * size_t(height))
    return fail("pixel rows past the end");

  bitmap->width = width;
  bitmap->height = height;
  bitmap->palette.assign(256, Rgb{0, 0, 0});
  for (uint32_t i = 0; i < colours; ++i) {
    const size_t at = palette_at + 4 * i;
    bitmap->palette[i] = Rgb{in[at + 2], in[at + 1], in[at]};
  }
  bitmap->pixels.resize(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    const size_t row_at = pixel_offset + row_bytes * size_t(bottom_up ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) bitmap->pixels[size_t(y) * width + x] = in[row_at + x];
  }
  return true;
}

bool ReadBmp8(const std::string& path, IndexedBitmap* bitmap, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, &bytes)) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  return DecodeBmp8(bytes, bitmap, error);
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes->clear();
  uint8_t buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes->insert(bytes->end(), buffer, buffer + got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "%s: cannot open for writing\n", path.c_str());
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!ok || !closed) std::fprintf(stderr, "%s: write failed\n", path.c_str());
  return ok && closed;
}
