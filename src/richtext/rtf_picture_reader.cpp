#include "rtf_picture_reader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>

#include "dib.h"
#include "hex.h"

namespace fractions {

namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch

// PNG and JPEG through Qt's readers, once the size in the file's header has
// been checked: a few hundred bytes may claim a gigapixel.
std::optional<QImage> DecodeEncoded(const std::string& data, const char* format,
                                    int64_t max_pixels) {
  QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoDetectImageFormat(false);
  reader.setAutoTransform(false);  // rows as stored, so the size checked is the size read
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || size.width() > kMaxPictureSide ||
      size.height() > kMaxPictureSide ||
      int64_t{size.width()} * size.height() > std::min(max_pixels, kMaxPicturePixels)) {
    return std::nullopt;
  }
  QImage image = reader.read();
  if (image.isNull() || image.size() != size) {
    return std::nullopt;
  }
  return image;
}

// The shown length along one side: the goal size when given, else the
// pixel count, then the scale; kept within what a page can hold.
double ShownLength(int32_t goal_twips, int pixels, int32_t scale_percent) {
  double length = goal_twips > 0 ? goal_twips / kTwipsPerPixel : pixels;
  if (scale_percent > 0) {
    length = length * scale_percent / 100.0;
  }
  return std::clamp(length, 1.0, static_cast<double>(kMaxPictureSide));
}

}  // namespace

void RtfPictureReader::AppendHex(std::string_view text) {
  for (const char c : text) {
    const int value = HexDigitValue(c);
    if (value < 0) {
      continue;
    }
    if (high_nibble_ < 0) {
      high_nibble_ = value;
    } else {
      data_ += static_cast<char>(high_nibble_ * 16 + value);
      high_nibble_ = -1;
    }
  }
}

void RtfPictureReader::AppendBinary(std::string_view bytes) {
  high_nibble_ = -1;
  data_.append(bytes);
}

std::optional<RtfPicture> RtfPictureReader::Finish(int64_t& pixel_budget) const {
  // A DIB is uncompressed: what it decodes to is bounded by its own bytes
  // in the input, so only compressed pictures draw on the budget. A class
  // set of large-print answer keys holds far more pixels than any budget
  // meant for compressed pictures, and none of its lines may go missing.
  const int64_t allowed = std::min(pixel_budget, kMaxPicturePixels);
  std::optional<QImage> image;
  switch (kind_) {
    case RtfPictureKind::kDib:
      image = DecodeDib(data_, kMaxPicturePixels);
      break;
    case RtfPictureKind::kPng:
      image = DecodeEncoded(data_, "png", allowed);
      break;
    case RtfPictureKind::kJpeg:
      image = DecodeEncoded(data_, "jpeg", allowed);
      break;
    case RtfPictureKind::kUnknown:
    case RtfPictureKind::kUnsupported:
      break;
  }
  if (!image) {
    return std::nullopt;
  }
  if (kind_ != RtfPictureKind::kDib) {
    pixel_budget -= int64_t{image->width()} * image->height();
  }
  const double width = ShownLength(goal_width_, image->width(), scale_x_);
  const double height = ShownLength(goal_height_, image->height(), scale_y_);
  return RtfPicture{std::move(*image), width, height};
}

}  // namespace fractions
