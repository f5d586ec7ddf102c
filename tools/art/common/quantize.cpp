#include "tools/art/common/quantize.h"

#include <libimagequant.h>
#include <omp.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "tools/art/common/registry.h"

namespace {

constexpr uint32_t kTransparent = 0xFFFFFFFFu;

uint32_t Key(Rgb c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }
Rgb FromKey(uint32_t k) { return Rgb{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)}; }

// The surface's pixels composited over black, or kTransparent where alpha is 0 and a key is
// wanted. Cairo stores premultiplied alpha, which is exactly "over black".
std::vector<uint32_t> ReadPixels(cairo_surface_t* surface, bool keyed, int* width, int* height) {
  ArtCheck(cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32 ||
               cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24,
           "quantizer needs an ARGB32 or RGB24 image surface");
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const bool has_alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<uint32_t> out(size_t(w) * h);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const uint32_t alpha = has_alpha ? p >> 24 : 255;
      if (keyed && alpha == 0) {
        out[size_t(y) * w + x] = kTransparent;
        continue;
      }
      Rgb c = FromKey(p & 0xFFFFFF);
      if (keyed) c = LiftToVisible(c);
      out[size_t(y) * w + x] = Key(c);
    }
  }
  *width = w;
  *height = h;
  return out;
}

// Distance as the eye weighs it, roughly: green counts most, blue least.
int Distance(Rgb a, Rgb b) {
  const int dr = int(a.r) - b.r, dg = int(a.g) - b.g, db = int(a.b) - b.b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// Palette for a set of colours: the colours themselves when they fit, else libimagequant's
// choice. Single-threaded so that no summation order can change between machines.
std::vector<Rgb> ChoosePalette(const std::map<uint32_t, unsigned>& histogram, int max_colours) {
  std::vector<Rgb> palette;
  if (int(histogram.size()) <= max_colours) {
    for (const auto& entry : histogram) palette.push_back(FromKey(entry.first));
    return palette;
  }
  omp_set_num_threads(1);
  liq_attr* attr = liq_attr_create();
  ArtCheck(attr != nullptr, "libimagequant: cannot create attributes");
  liq_set_max_colors(attr, max_colours);
  liq_set_speed(attr, 1);
  liq_set_quality(attr, 0, 100);
  liq_histogram* hist = liq_histogram_create(attr);
  std::vector<liq_histogram_entry> entries;
  entries.reserve(histogram.size());
  for (const auto& entry : histogram) {
    const Rgb c = FromKey(entry.first);
    entries.push_back(liq_histogram_entry{liq_color{c.r, c.g, c.b, 255}, entry.second});
  }
  ArtCheck(liq_histogram_add_colors(hist, attr, entries.data(), int(entries.size()), 0.0) == LIQ_OK,
           "libimagequant: cannot add colours");
  liq_result* result = nullptr;
  ArtCheck(liq_histogram_quantize(hist, attr, &result) == LIQ_OK, "libimagequant: quantization failed");
  const liq_palette* liq_pal = liq_get_palette(result);
  for (unsigned i = 0; i < liq_pal->count; ++i)
    palette.push_back(Rgb{liq_pal->entries[i].r, liq_pal->entries[i].g, liq_pal->entries[i].b});
  liq_result_destroy(result);
  liq_histogram_destroy(hist);
  liq_attr_destroy(attr);
  return palette;
}

IndexedBitmap Quantize(cairo_surface_t* surface, bool keyed) {
  IndexedBitmap bitmap;
  const std::vector<uint32_t> pixels = ReadPixels(surface, keyed, &bitmap.width, &bitmap.height);
  std::map<uint32_t, unsigned> histogram;
  for (uint32_t p : pixels)
    if (p != kTransparent) ++histogram[p];

  std::vector<Rgb> chosen = ChoosePalette(histogram, keyed ? 255 : 256);
  if (keyed) {
    // Averaged palette entries can fall back under the 16-bit threshold; lift them again and
    // drop the duplicates that may make.
    std::vector<Rgb> lifted;
    for (Rgb c : chosen) {
      c = LiftToVisible(c);
      if (std::find(lifted.begin(), lifted.end(), c) == lifted.end()) lifted.push_back(c);
    }
    chosen = lifted;
    bitmap.palette.push_back(Rgb{0, 0, 0});
  }
  const size_t first = bitmap.palette.size();
  bitmap.palette.insert(bitmap.palette.end(), chosen.begin(), chosen.end());

  std::unordered_map<uint32_t, uint8_t> nearest;
  for (const auto& entry : histogram) {
    const Rgb c = FromKey(entry.first);
    size_t best = first;
    int best_distance = Distance(c, bitmap.palette[first]);
    for (size_t i = first + 1; i < bitmap.palette.size() && best_distance > 0; ++i) {
      const int d = Distance(c, bitmap.palette[i]);
      if (d < best_distance) best = i, best_distance = d;
    }
    nearest[entry.first] = uint8_t(best);
  }
  bitmap.pixels.resize(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i)
    bitmap.pixels[i] = pixels[i] == kTransparent ? 0 : nearest[pixels[i]];
  return bitmap;
}

}  // namespace

Rgb LiftToVisible(Rgb c) {
  const int brightest = std::max({c.r, c.g, c.b});
  if (brightest >= 8) return c;
  if (brightest == 0) return Rgb{8, 8, 8};
  auto scale = [brightest](uint8_t v) { return uint8_t((v * 8 + brightest - 1) / brightest); };
  return Rgb{scale(c.r), scale(c.g), scale(c.b)};
}

IndexedBitmap QuantizeKeyed(cairo_surface_t* argb32) { return Quantize(argb32, true); }

IndexedBitmap QuantizeOpaque(cairo_surface_t* argb32) { return Quantize(argb32, false); }
