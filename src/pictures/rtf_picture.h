#pragma once

#include <QImage>
#include <string>

#include "line_image.h"

namespace fractions {

// The RTF picture group of an exercise-line picture:
// "{\pict\dibitmap0 " + upper-case hexadecimal of a one-bit DIB + " }".
// The DIB is a 40-byte BITMAPINFOHEADER, the colour table black then white,
// and the rows bottom-up, each padded to 32 bits. Pixels darker than
// mid-grey become black, the others white, so black-on-white drawings come
// out unchanged. The group carries no size words: readers take the size
// from the DIB.
std::string BitmapToRtfPict(const QImage& picture);

// The same for the picture of a line image, whose drawing is remembered
// under the picture's DIB so that printing, the preview and PDF files can
// draw it again at their own resolution (see picture_drawings.h).
std::string BitmapToRtfPict(LineImage& image);

// The one-bit DIB itself (header, colour table and rows), as above.
std::string OneBitDib(const QImage& picture);

}  // namespace fractions
