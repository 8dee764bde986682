#include "rtf_picture_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <cmath>
#include <string_view>

#include "dib.h"
#include "hex.h"
#include "sharp_picture.h"

namespace fractions {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr double kTwipsPerPixel = 15.0;

bool IsBlackAndWhiteTable(const QList<QRgb>& table) {
  return table.size() == 2 &&
         ((table[0] == kBlack && table[1] == kWhite) || (table[0] == kWhite && table[1] == kBlack));
}

// Pixel by pixel, for pictures of any other format.
std::optional<QImage> ScanBlackAndWhite(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  QImage mono(argb.size(), QImage::Format_Mono);
  mono.setColorTable({kBlack, kWhite});
  mono.fill(0);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    uchar* bits = mono.scanLine(y);
    for (int x = 0; x < argb.width(); ++x) {
      if (line[x] == kWhite) {
        bits[x / 8] = static_cast<uchar>(bits[x / 8] | (0x80 >> (x % 8)));
      } else if (line[x] != kBlack) {
        return std::nullopt;
      }
    }
  }
  return mono;
}

// One-bit rows end in padding bits that PNG keeps: cleared, so that equal
// pixels always give equal bytes.
QImage WithClearPadding(const QImage& image) {
  const int spare_bits = (8 - image.width() % 8) % 8;
  if ((image.format() != QImage::Format_Mono && image.format() != QImage::Format_MonoLSB) ||
      spare_bits == 0) {
    return image;
  }
  QImage clean = image.copy();
  const int last = (image.width() - 1) / 8;
  const auto keep = static_cast<uchar>(image.format() == QImage::Format_Mono ? 0xFF << spare_bits
                                                                             : 0xFF >> spare_bits);
  for (int y = 0; y < clean.height(); ++y) {
    clean.scanLine(y)[last] &= keep;
  }
  return clean;
}

std::string PngOf(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  WithClearPadding(image).save(&buffer, "PNG");
  return png.toStdString();
}

std::string Twips(double pixels) {
  return std::to_string(std::lround(pixels * kTwipsPerPixel));
}

// {\pict<kind>\picwW\pichH\picwgoalGW\pichgoalGH HEX}
std::string PictureGroup(std::string_view kind, QSize pixels, const std::string& data,
                         double shown_width, double shown_height) {
  std::string group = "{\\pict";
  group += kind;
  group += "\\picw" + std::to_string(pixels.width());
  group += "\\pich" + std::to_string(pixels.height());
  group += "\\picwgoal" + Twips(shown_width);
  group += "\\pichgoal" + Twips(shown_height);
  group += ' ';
  group.reserve(group.size() + 2 * data.size() + 1);
  AppendHex(group, data);
  group += '}';
  return group;
}

}  // namespace

std::optional<QImage> AsBlackAndWhite(const QImage& image) {
  if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) {
    if (IsBlackAndWhiteTable(image.colorTable())) {
      return image.convertToFormat(QImage::Format_Mono);
    }
  }
  return ScanBlackAndWhite(image);
}

std::string RtfPictureGroup(const QImage& image, double shown_width, double shown_height) {
  const std::optional<QImage> mono = AsBlackAndWhite(image);
  return mono ? PictureGroup("\\dibitmap0", image.size(), EncodeOneBitDib(*mono), shown_width,
                             shown_height)
              : PictureGroup("\\pngblip", image.size(), PngOf(image), shown_width, shown_height);
}

std::string SharpRtfPictureGroups(const DrawnPicture& drawn, QSizeF shown) {
  const QImage sharp = DrawSharpPicture(*drawn.drawing);
  RememberSharpCopy(sharp, drawn.picture);
  return "{\\*\\shppict" +
         PictureGroup("\\pngblip", sharp.size(), PngOf(sharp), shown.width(), shown.height()) +
         "}{\\nonshppict" +
         PictureGroup("\\dibitmap0", drawn.picture.size(), EncodeOneBitDib(drawn.picture),
                      shown.width(), shown.height()) +
         "}";
}

}  // namespace fractions
