// Reading the committed art back for the art tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tools/art/common/indexed_bitmap.h"

inline std::string CommittedBitmapPath(const std::string& name) {
  return std::string(VORTA_SOURCE_DIR) + "/resources/bitmaps/" + name + ".bmp";
}

inline IndexedBitmap LoadCommittedBitmap(const std::string& name) {
  IndexedBitmap bitmap;
  std::string error;
  EXPECT_TRUE(ReadBmp8(CommittedBitmapPath(name), &bitmap, &error)) << name << ": " << error;
  return bitmap;
}

// The drawn pixels of a rectangle: what a keyed blit would copy.
struct InkStats {
  int count = 0;
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive pixel bounds
  double sum_x = 0, sum_y = 0;
  double CentroidX() const { return sum_x / count; }
  double CentroidY() const { return sum_y / count; }
};

inline InkStats InkIn(const IndexedBitmap& b, const ArtRect& r,
                      const std::function<bool(Rgb)>& is_ink = [](Rgb c) { return !IsKeyBlack(c); }) {
  InkStats s;
  for (int y = r.top; y < r.bottom && y < b.height; ++y) {
    for (int x = r.left; x < r.right && x < b.width; ++x) {
      if (!is_ink(b.ColorAt(x, y))) continue;
      ++s.count;
      s.left = std::min(s.left, x);
      s.right = std::max(s.right, x);
      s.top = std::min(s.top, y);
      s.bottom = std::max(s.bottom, y);
      s.sum_x += x;
      s.sum_y += y;
    }
  }
  return s;
}
