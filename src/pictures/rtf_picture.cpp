#include "rtf_picture.h"

#include "richtext/dib.h"
#include "richtext/hex.h"
#include "richtext/picture_drawings.h"

namespace fractions {

std::string OneBitDib(const QImage& picture) {
  // Qt's threshold conversion of RGB32 makes a pixel black when its grey
  // level is below 128: no dithering, no colour kept.
  return EncodeOneBitDib(
      picture.convertToFormat(QImage::Format_RGB32)
          .convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither));
}

namespace {

std::string DibToRtfPict(const std::string& dib) {
  static constexpr std::string_view kOpen = "{\\pict\\dibitmap0 ";
  static constexpr std::string_view kClose = " }";
  // Reserved once: up to 80 pictures per worksheet.
  std::string group;
  group.reserve(kOpen.size() + 2 * dib.size() + kClose.size());
  group += kOpen;
  AppendHex(group, dib);
  group += kClose;
  return group;
}

}  // namespace

std::string BitmapToRtfPict(const QImage& picture) {
  return DibToRtfPict(OneBitDib(picture));
}

std::string BitmapToRtfPict(LineImage& image) {
  std::string dib = OneBitDib(image.Picture());
  std::string group = DibToRtfPict(dib);
  RememberPictureDrawing(dib, image.Drawing());
  return group;
}

}  // namespace fractions
