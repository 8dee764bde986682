#include "sharp_picture.h"

#include <QPainter>

namespace fractions {

QImage DrawSharpPicture(const PictureDrawing& drawing) {
  QImage sharp(drawing.Size() * kSharpPictureScale, QImage::Format_RGB32);
  sharp.fill(Qt::white);
  QPainter painter(&sharp);
  // Black on white like the picture itself: at this resolution the steps
  // of an edge are a fifteenth of a millimetre, and a word processor
  // smooths them as it brings the picture to its own resolution.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.scale(kSharpPictureScale, kSharpPictureScale);
  drawing.Draw(painter);
  painter.end();
  return sharp.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
}

}  // namespace fractions
