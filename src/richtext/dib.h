#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Packed device-independent bitmaps (a BITMAPINFOHEADER, its colour table,
// then the rows), the picture form of RTF's \dibitmap0.
namespace fractions {

// The largest width or height a picture may have; larger ones are taken for
// corrupt headers.
inline constexpr int32_t kMaxPictureSide = 32767;

// A packed DIB of 1, 4, 8, 24 or 32 bits per pixel, uncompressed, with its
// rows bottom-up (positive height) or top-down (negative height). One-bit
// DIBs give a Format_Mono image with the DIB's two colours, 4 and 8 bits an
// indexed image, 24 and 32 bits an RGB32 image (no alpha). Truncated data
// give the complete rows present (the bottom ones for a bottom-up DIB).
// Nothing when the header is unusable, no row is complete, or the picture
// would hold more than `max_pixels` pixels; nothing is allocated before
// the size has been checked against the data.
std::optional<QImage> DecodeDib(std::string_view dib, int64_t max_pixels);

// The packed one-bit DIB of a black-and-white picture: 40-byte header, the
// colour table black then white, rows bottom-up padded to 32 bits, 96 dpi.
// `picture` must be a Format_Mono image whose colour table is black and
// white in either order; bits past the right edge are written as 0.
std::string EncodeOneBitDib(const QImage& picture);

}  // namespace fractions
