#pragma once

#include <QColor>
#include <QWidget>

namespace fractions {

// A filled circle in its box: the "modified" lamp of the window.
class TShape : public QWidget {
  Q_OBJECT

 public:
  explicit TShape(QWidget* parent = nullptr);

  QColor BrushColor() const { return brush_; }
  void SetBrushColor(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor brush_ = Qt::white;
};

}  // namespace fractions
