#pragma once

#include <QWidget>

namespace fractions {

// The one-pixel border of a document view, drawn by a transparent widget
// lying over the view. At a fractional screen scale (1.25, 1.5) the view's
// own frame line can fall on a device pixel that its inner area then paints
// over, so that a side of the border vanishes; drawn above the view, the
// line always shows. The border takes no mouse or keyboard input.
class ViewBorder : public QWidget {
  Q_OBJECT

 public:
  explicit ViewBorder(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace fractions
