#include "spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

namespace fractions {

namespace {

bool IsModifierOnly(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

}  // namespace

TSpinEdit::TSpinEdit(SettingRange range, int step, QWidget* parent) : QSpinBox(parent) {
  setRange(range.min, range.max);
  setValue(range.default_value);
  setSingleStep(step);
  setContextMenuPolicy(Qt::NoContextMenu);
  lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
  lineEdit()->setReadOnly(true);  // no typing, no pasting, no dropping
  lineEdit()->setAcceptDrops(false);
  lineEdit()->installEventFilter(this);
  QPalette light = palette();
  light.setColor(QPalette::Base, QColor(240, 255, 255));
  setPalette(light);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    QSpinBox::keyPressEvent(event);
    return;
  }
  if (!IsModifierOnly(event->key())) {
    QApplication::beep();
  }
  event->accept();
}

void TSpinEdit::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event) {
  // Only the left button: a right click opens nothing and changes nothing.
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    emit numberFieldClicked();
  }
  return QSpinBox::eventFilter(watched, event);
}

}  // namespace fractions
