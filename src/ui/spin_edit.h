#pragma once

#include <QSpinBox>

#include "drawing/setting_range.h"

namespace fractions {

// A spin box whose number is only stepped, never typed: its arrow buttons
// and the Up and Down keys change it; any other key beeps. It has no context
// menu, ignores the mouse wheel, and reports a left click in its number field.
class TSpinEdit : public QSpinBox {
  Q_OBJECT

 public:
  // Starts at the range's default value.
  TSpinEdit(SettingRange range, int step, QWidget* parent = nullptr);

 signals:
  void numberFieldClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace fractions
