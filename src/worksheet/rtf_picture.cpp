#include "rtf_picture.h"

#include "richtext/dib.h"
#include "richtext/hex.h"

namespace fractions {

std::string OneBitDib(const QImage& picture) {
  // Qt's threshold conversion of RGB32 makes a pixel black when its grey
  // level is below 128: no dithering, no colour kept.
  return EncodeOneBitDib(
      picture.convertToFormat(QImage::Format_RGB32)
          .convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither));
}

std::string BitmapToRtfPict(const QImage& picture) {
  static constexpr std::string_view kOpen = "{\\pict\\dibitmap0 ";
  static constexpr std::string_view kClose = " }";
  const std::string dib = OneBitDib(picture);
  // Reserved once: up to 80 pictures per worksheet.
  std::string group;
  group.reserve(kOpen.size() + 2 * dib.size() + kClose.size());
  group += kOpen;
  AppendHex(group, dib);
  group += kClose;
  return group;
}

}  // namespace fractions
