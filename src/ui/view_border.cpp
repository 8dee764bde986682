#include "view_border.h"

#include <QPainter>

namespace fractions {

ViewBorder::ViewBorder(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void ViewBorder::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The colour of the frame the widget style gives the views.
  const QColor line = palette().window().color().darker(140).lighter(108);
  // Filled rectangles, not a stroked outline: a fill keeps whole rows of
  // device pixels at any scale.
  const int w = width();
  const int h = height();
  painter.fillRect(0, 0, w, 1, line);
  painter.fillRect(0, h - 1, w, 1, line);
  painter.fillRect(0, 0, 1, h, line);
  painter.fillRect(w - 1, 0, 1, h, line);
}

}  // namespace fractions
