#pragma once

#include <QSpinBox>

namespace fractions {

// A spin box whose number is only stepped, never typed: its arrow buttons
// and the Up and Down keys change it; any other key beeps. It has no context
// menu, ignores the mouse wheel, and reports a click in its number field.
class TSpinEdit : public QSpinBox {
  Q_OBJECT

 public:
  TSpinEdit(int minimum, int maximum, int value, int step, QWidget* parent = nullptr);

 signals:
  void numberFieldClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace fractions
