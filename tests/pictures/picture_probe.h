#pragma once

#include <QImage>
#include <QRect>

namespace fractions::testing {

inline bool IsBlack(const QImage& image, int x, int y) {
  return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

// The number of black pixels inside `area` of the image.
inline int BlackPixels(const QImage& image, QRect area) {
  int count = 0;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      count += IsBlack(image, x, y) ? 1 : 0;
    }
  }
  return count;
}

// True when every pixel is pure black or pure white.
inline bool IsTwoColoured(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y) & 0xFFFFFF;
      if (p != 0 && p != 0xFFFFFF) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace fractions::testing
