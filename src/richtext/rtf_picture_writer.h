#pragma once

#include <QImage>
#include <QSizeF>
#include <optional>
#include <string>

#include "picture_drawings.h"

namespace fractions {

// The RTF picture group of `image`, shown at `shown_width` x `shown_height`
// pixels (96 dpi). A picture whose pixels are all pure black or pure white
// is written as a one-bit DIB, black as colour 0 and white as colour 1, as
// the worksheet's own picture groups:
//   {\pict\dibitmap0\picwW\pichH\picwgoalGW\pichgoalGH HEX}
// any other picture as PNG (\pngblip) with the same size words. W and H are
// the pixel size, GW and GH the shown size in twips (15 a pixel).
std::string RtfPictureGroup(const QImage& image, double shown_width, double shown_height);

// The groups of a picture this program drew, for word processors that
// print it sharp and for those that want a DIB, both shown at `shown`
// (96-dpi pixels, goals of 15 twips a pixel):
//   {\*\shppict{\pict\pngblip ...}}{\nonshppict{\pict\dibitmap0 ...}}
// The PNG is drawn from the drawing at kSharpPictureScale times the
// picture's resolution, the DIB is the picture's own. The PNG is
// remembered as a sharp copy of the picture (picture_drawings.h).
std::string SharpRtfPictureGroups(const DrawnPicture& drawn, QSizeF shown);

// `image` as a Format_Mono image with colour table black then white, when
// every pixel is opaque pure black or pure white.
std::optional<QImage> AsBlackAndWhite(const QImage& image);

}  // namespace fractions
