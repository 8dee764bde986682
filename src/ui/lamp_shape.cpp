#include "lamp_shape.h"

#include <QPainter>

namespace fractions {

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::SetBrushColor(const QColor& colour) {
  if (brush_ != colour) {
    brush_ = colour;
    update();
  }
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  painter.setBrush(brush_);
  // A circle as large as the narrower side, centred in the box.
  const int diameter = qMin(width(), height()) - 1;
  painter.drawEllipse(
      QRect((width() - diameter) / 2, (height() - diameter) / 2, diameter, diameter));
}

}  // namespace fractions
