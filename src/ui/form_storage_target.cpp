#include "form_storage_target.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <stdexcept>

#include "form.h"
#include "richtext/qt_text.h"

namespace fractions {

namespace {

// Qt keeps no minimized or maximized position; the windowing system's
// "none" is written for both.
constexpr ScreenPoint kNoPosition{-1, -1};

QString Name(std::string_view control) {
  return QString::fromLatin1(control.data(), static_cast<qsizetype>(control.size()));
}

}  // namespace

template <typename Control>
Control* FormStorageTarget::Find(std::string_view control) const {
  auto* found = form_.findChild<Control*>(Name(control));
  if (found == nullptr) {
    throw std::invalid_argument("no control " + std::string(control));
  }
  return found;
}

bool FormStorageTarget::HasControl(std::string_view control) const {
  return control == "SaveDialog1" || form_.findChild<QObject*>(Name(control)) != nullptr;
}

int32_t FormStorageTarget::GetInteger(std::string_view control) const {
  return Find<QSpinBox>(control)->value();
}

void FormStorageTarget::SetInteger(std::string_view control, int32_t value) {
  Find<QSpinBox>(control)->setValue(value);  // clamps; signals only a change
}

std::string FormStorageTarget::GetText(std::string_view control) const {
  if (control == "SaveDialog1") {
    return ToCp1252Lossy(form_.SaveDialog1.initial_dir);
  }
  if (control == "Combo1") {
    return ToCp1252Lossy(Find<QComboBox>(control)->currentText());
  }
  return ToCp1252Lossy(Find<QLineEdit>(control)->text());
}

void FormStorageTarget::SetText(std::string_view control, const std::string& text) {
  if (control == "SaveDialog1") {
    form_.SaveDialog1.initial_dir = ToQString(text);
  } else if (control == "Combo1") {
    Find<QComboBox>(control)->setEditText(ToQString(text));
  } else {
    Find<QLineEdit>(control)->setText(ToQString(text));
  }
}

bool FormStorageTarget::GetChecked(std::string_view control) const {
  return Find<QCheckBox>(control)->isChecked();
}

void FormStorageTarget::SetChecked(std::string_view control, bool checked) {
  Find<QCheckBox>(control)->setChecked(checked);
}

std::vector<std::string> FormStorageTarget::GetLines(std::string_view control) const {
  const QComboBox* combo = Find<QComboBox>(control);
  std::vector<std::string> lines;
  for (int i = 0; i < combo->count(); ++i) {
    lines.push_back(ToCp1252Lossy(combo->itemText(i)));
  }
  return lines;
}

void FormStorageTarget::SetLines(std::string_view control, const std::vector<std::string>& lines) {
  QComboBox* combo = Find<QComboBox>(control);
  const QString shown = combo->currentText();
  combo->clear();
  for (const std::string& line : lines) {
    combo->addItem(ToQString(line));
  }
  combo->setEditText(shown);
}

WindowPlacement FormStorageTarget::GetPlacement() const {
  WindowPlacement placement;
  if (form_.isMaximized()) {
    placement.state = WindowState::kMaximized;
  } else if (form_.isMinimized()) {
    placement.state = WindowState::kMinimized;
  }
  placement.minimized_position = kNoPosition;
  placement.maximized_position = kNoPosition;
  // The outer rectangle of the window in its normal state: the normal
  // client geometry grown by the frame.
  const QRect frame = form_.frameGeometry();
  const QRect client = form_.geometry();
  const QRect normal = form_.normalGeometry().isValid() ? form_.normalGeometry() : client;
  const QRect outer =
      normal.adjusted(frame.left() - client.left(), frame.top() - client.top(),
                      frame.right() - client.right(), frame.bottom() - client.bottom());
  placement.normal_rect = {outer.left(), outer.top(), outer.left() + outer.width(),
                           outer.top() + outer.height()};
  return placement;
}

void FormStorageTarget::ApplyPlacement(const WindowPlacement& placement) {
  const ScreenRect& r = placement.normal_rect;
  form_.SetOuterGeometry(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void FormStorageTarget::SetWindowState(WindowState state) {
  if (state == WindowState::kMaximized) {
    form_.setWindowState(form_.windowState() | Qt::WindowMaximized);
  }
}

void FormStorageTarget::UseDesignedPosition() {
  form_.centre_on_first_show_ = false;
}

int32_t FormStorageTarget::ScreenPixelsPerInch() const {
  const QScreen* screen = form_.screen();
  return screen == nullptr ? 96 : static_cast<int32_t>(std::lround(screen->logicalDotsPerInch()));
}

ScreenSize FormStorageTarget::PrimaryScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen == nullptr ? ScreenSize{}
                           : ScreenSize{screen->size().width(), screen->size().height()};
}

bool FormStorageTarget::IsApplicationMinimized() const {
  return form_.isMinimized();
}

void FormStorageTarget::MinimizeApplicationAfterStart() {
  QTimer::singleShot(0, &form_, [form = &form_] { form->showMinimized(); });
}

}  // namespace fractions
