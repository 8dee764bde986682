#pragma once

#include <QImage>

#include "picture_drawings.h"

namespace fractions {

// Saved files carry each picture this program drew a second time, drawn
// from its drawing at this many times its 96 dots per inch: 384, enough
// for a word processor that prints pictures at 300.
inline constexpr int kSharpPictureScale = 4;

// The drawing at kSharpPictureScale times its size, black on white (a
// Format_Mono image).
QImage DrawSharpPicture(const PictureDrawing& drawing);

}  // namespace fractions
