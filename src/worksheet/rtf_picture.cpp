#include "rtf_picture.h"

#include <cstdint>

namespace fractions {

namespace {

constexpr size_t kHeaderSize = 40;
constexpr size_t kColourTableSize = 8;
// 96 dots per inch, so that a pixel is 1/96 inch wherever the picture goes.
constexpr uint32_t kPixelsPerMetre = 3780;

void PutLe16(std::string& out, size_t at, uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

void PutLe32(std::string& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    out[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

bool IsWhite(QRgb pixel) {
  return qGray(pixel) >= 128;
}

}  // namespace

std::string OneBitDib(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const auto width = static_cast<uint32_t>(image.width());
  const auto height = static_cast<uint32_t>(image.height());
  const size_t row_size = (width + 31) / 32 * 4;
  const size_t pixel_size = row_size * height;
  std::string dib(kHeaderSize + kColourTableSize + pixel_size, '\0');

  PutLe32(dib, 0, kHeaderSize);
  PutLe32(dib, 4, width);
  PutLe32(dib, 8, height);  // positive: rows stored bottom-up
  PutLe16(dib, 12, 1);      // planes
  PutLe16(dib, 14, 1);      // bits per pixel
  PutLe32(dib, 16, 0);      // uncompressed
  PutLe32(dib, 20, static_cast<uint32_t>(pixel_size));
  PutLe32(dib, 24, kPixelsPerMetre);
  PutLe32(dib, 28, kPixelsPerMetre);
  PutLe32(dib, 32, 0);  // colours used: 0 means the full two-entry table
  PutLe32(dib, 36, 0);  // colours important
  // Colour table: entry 0 black, entry 1 white (blue, green, red, 0).
  for (size_t i = 0; i < 3; ++i) {
    dib[kHeaderSize + 4 + i] = static_cast<char>(0xFF);
  }

  for (uint32_t y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y)));
    const size_t row_start = kHeaderSize + kColourTableSize + (height - 1 - y) * row_size;
    for (uint32_t x = 0; x < width; ++x) {
      if (IsWhite(line[x])) {
        dib[row_start + x / 8] = static_cast<char>(dib[row_start + x / 8] | (0x80 >> (x % 8)));
      }
    }
  }
  return dib;
}

std::string BitmapToRtfPict(const QImage& picture) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  static constexpr std::string_view kOpen = "{\\pict\\dibitmap0 ";
  static constexpr std::string_view kClose = " }";
  const std::string dib = OneBitDib(picture);
  // Sized once, filled in place: up to 80 pictures per worksheet.
  std::string group(kOpen.size() + 2 * dib.size() + kClose.size(), '\0');
  group.replace(0, kOpen.size(), kOpen);
  size_t at = kOpen.size();
  for (const char byte : dib) {
    const auto value = static_cast<unsigned char>(byte);
    group[at++] = kDigits[value >> 4];
    group[at++] = kDigits[value & 0x0F];
  }
  group.replace(at, kClose.size(), kClose);
  return group;
}

}  // namespace fractions
