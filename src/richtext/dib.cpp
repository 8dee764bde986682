#include "dib.h"

#include <algorithm>
#include <cstring>

namespace fractions {

namespace {

constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kTwoColourTableSize = 8;
// 96 dots per inch, so that a pixel is 1/96 inch wherever the picture goes.
constexpr uint32_t kPixelsPerMetre = 3780;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

uint32_t Le32(std::string_view data, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) {
    value |= uint32_t{static_cast<unsigned char>(data[at + i])} << (8 * i);
  }
  return value;
}

uint16_t Le16(std::string_view data, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(data[at]) |
                               (static_cast<unsigned char>(data[at + 1]) << 8));
}

void PutLe32(std::string& out, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) {
    out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

void PutLe16(std::string& out, size_t at, uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

struct DibLayout {
  int32_t width = 0;
  int32_t height = 0;  // rows present, at most the header's height
  bool top_down = false;
  int bits = 0;
  size_t row_size = 0;
  size_t pixels_at = 0;  // offset of the first row
  QList<QRgb> palette;   // 2^bits entries for indexed pictures
};

// Reads the palette of an indexed DIB; entries the DIB leaves out are black,
// so that every pixel value has a colour.
QList<QRgb> ReadPalette(std::string_view dib, size_t at, uint32_t used, int bits) {
  QList<QRgb> palette(qsizetype{1} << bits, kBlack);
  for (uint32_t i = 0; i < used; ++i) {
    const uint32_t bgr = Le32(dib, at + 4 * i);
    palette[i] = 0xFF000000u | (bgr & 0x00FFFFFFu);
  }
  return palette;
}

std::optional<DibLayout> ReadLayout(std::string_view dib, int64_t max_pixels) {
  if (dib.size() < kInfoHeaderSize) {
    return std::nullopt;
  }
  const uint32_t header_size = Le32(dib, 0);
  const auto width = static_cast<int32_t>(Le32(dib, 4));
  const auto height = static_cast<int32_t>(Le32(dib, 8));
  const int bits = Le16(dib, 14);
  const uint32_t compression = Le32(dib, 16);
  const uint32_t colours_used = Le32(dib, 32);
  if (header_size < kInfoHeaderSize || header_size > dib.size() || compression != 0) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    return std::nullopt;
  }
  if (width <= 0 || width > kMaxPictureSide || height == 0 || height < -kMaxPictureSide ||
      height > kMaxPictureSide) {
    return std::nullopt;
  }

  DibLayout layout;
  layout.width = width;
  layout.top_down = height < 0;
  layout.bits = bits;
  layout.row_size = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;

  size_t table_entries = colours_used;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (colours_used > full) {
      return std::nullopt;
    }
    table_entries = colours_used == 0 ? full : colours_used;
  }
  // The colour table of a 24- or 32-bit DIB is only a hint for palette
  // displays; its size can still be absurd.
  if (table_entries > (dib.size() - header_size) / 4) {
    return std::nullopt;
  }
  layout.pixels_at = header_size + 4 * table_entries;
  if (bits <= 8) {
    layout.palette =
        ReadPalette(dib, header_size, static_cast<uint32_t>(table_entries), layout.bits);
  }

  const size_t rows_present = (dib.size() - layout.pixels_at) / layout.row_size;
  const auto rows = static_cast<int32_t>(
      std::min<size_t>(rows_present, static_cast<size_t>(height < 0 ? -int64_t{height} : height)));
  if (rows == 0 || int64_t{rows} * width > max_pixels) {
    return std::nullopt;
  }
  layout.height = rows;
  return layout;
}

// The data of the picture's row y (0 at the top).
const unsigned char* RowData(std::string_view dib, const DibLayout& layout, int y) {
  const size_t data_row =
      layout.top_down ? static_cast<size_t>(y) : static_cast<size_t>(layout.height - 1 - y);
  return reinterpret_cast<const unsigned char*>(dib.data()) + layout.pixels_at +
         data_row * layout.row_size;
}

void CopyMonoRows(std::string_view dib, const DibLayout& layout, QImage& image) {
  const size_t used_bytes = (static_cast<size_t>(layout.width) + 7) / 8;
  const int spare_bits = static_cast<int>(used_bytes * 8 - static_cast<size_t>(layout.width));
  const auto last_mask = static_cast<unsigned char>(0xFF << spare_bits);
  for (int y = 0; y < layout.height; ++y) {
    uchar* line = image.scanLine(y);
    std::memcpy(line, RowData(dib, layout, y), used_bytes);
    line[used_bytes - 1] &= last_mask;
  }
}

void CopyIndexedRows(std::string_view dib, const DibLayout& layout, QImage& image) {
  for (int y = 0; y < layout.height; ++y) {
    const unsigned char* row = RowData(dib, layout, y);
    uchar* line = image.scanLine(y);
    for (int x = 0; x < layout.width; ++x) {
      line[x] = layout.bits == 8
                    ? row[x]
                    : static_cast<uchar>((x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
    }
  }
}

void CopyTrueColourRows(std::string_view dib, const DibLayout& layout, QImage& image) {
  const int step = layout.bits / 8;
  for (int y = 0; y < layout.height; ++y) {
    const unsigned char* row = RowData(dib, layout, y);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < layout.width; ++x) {
      const unsigned char* pixel = row + x * step;
      line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
  }
}

}  // namespace

std::optional<QImage> DecodeDib(std::string_view dib, int64_t max_pixels) {
  const std::optional<DibLayout> layout = ReadLayout(dib, max_pixels);
  if (!layout) {
    return std::nullopt;
  }
  const QImage::Format format = layout->bits == 1   ? QImage::Format_Mono
                                : layout->bits <= 8 ? QImage::Format_Indexed8
                                                    : QImage::Format_RGB32;
  QImage image(layout->width, layout->height, format);
  if (image.isNull()) {
    return std::nullopt;
  }
  if (layout->bits == 1) {
    image.setColorTable(layout->palette);
    CopyMonoRows(dib, *layout, image);
  } else if (layout->bits <= 8) {
    image.setColorTable(layout->palette);
    CopyIndexedRows(dib, *layout, image);
  } else {
    CopyTrueColourRows(dib, *layout, image);
  }
  return image;
}

std::string EncodeOneBitDib(const QImage& picture) {
  const auto width = static_cast<uint32_t>(picture.width());
  const auto height = static_cast<uint32_t>(picture.height());
  const size_t row_size = (width + 31) / 32 * 4;
  const size_t used_bytes = (width + 7) / 8;
  const size_t pixel_size = row_size * height;
  std::string dib(kInfoHeaderSize + kTwoColourTableSize + pixel_size, '\0');

  PutLe32(dib, 0, kInfoHeaderSize);
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
    dib[kInfoHeaderSize + 4 + i] = static_cast<char>(0xFF);
  }
  if (width == 0) {
    return dib;
  }

  // A picture whose entry 0 is white stores white as 0: flip every bit.
  const bool inverted = picture.color(0) == kWhite;
  const int spare_bits = static_cast<int>(used_bytes * 8 - width);
  const auto last_mask = static_cast<unsigned char>(0xFF << spare_bits);
  for (uint32_t y = 0; y < height; ++y) {
    const uchar* line = picture.constScanLine(static_cast<int>(y));
    const size_t row_start = kInfoHeaderSize + kTwoColourTableSize + (height - 1 - y) * row_size;
    for (size_t i = 0; i < used_bytes; ++i) {
      const auto byte = static_cast<unsigned char>(inverted ? ~line[i] : line[i]);
      dib[row_start + i] = static_cast<char>(i + 1 == used_bytes ? byte & last_mask : byte);
    }
  }
  return dib;
}

}  // namespace fractions
