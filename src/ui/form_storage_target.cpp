#include "form_storage_target.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "form.h"
#include "option_fields.h"
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
    form_.chosen_instruction_ = -1;  // a restored text chooses no item
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
  form_.chosen_instruction_ = -1;
}

namespace {

const OptionField& FieldOf(std::string_view key) {
  const OptionField* field = FindOptionField(key);
  if (field == nullptr) {
    throw std::invalid_argument("no option " + std::string(key));
  }
  return *field;
}

}  // namespace

size_t FormStorageTarget::GetOption(std::string_view key) const {
  return FieldOf(key).get(form_.options_);
}

void FormStorageTarget::SetOption(std::string_view key, size_t index) {
  FieldOf(key).set(form_.options_, index);
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
  const QRect outer = form_.NormalOuterRect();
  placement.normal_rect = {outer.left(), outer.top(), outer.left() + outer.width(),
                           outer.top() + outer.height()};
  return placement;
}

void FormStorageTarget::ApplyPlacement(const WindowPlacement& placement) {
  // In 64 bits: the file may hold any 32-bit edges; the window keeps the
  // rectangle on the screen anyway.
  const ScreenRect& r = placement.normal_rect;
  const auto extent = [](int32_t from, int32_t to) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{to} - from, 0, INT32_MAX));
  };
  form_.SetOuterGeometry(QRect(r.left, r.top, extent(r.left, r.right), extent(r.top, r.bottom)));
}

void FormStorageTarget::SetWindowState(WindowState state) {
  switch (state) {
    case WindowState::kMaximized:
      form_.SetStateWhenPlaced(Qt::WindowMaximized);
      break;
    case WindowState::kMinimized:
      form_.SetStateWhenPlaced(Qt::WindowMinimized);
      break;
    case WindowState::kNormal:
      form_.SetStateWhenPlaced(Qt::WindowNoState);
      break;
  }
}

void FormStorageTarget::UseDesignedPosition() {
  form_.pending_place_ = TForm1::PendingPlace::kNone;
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
  form_.SetStateWhenPlaced(Qt::WindowMinimized);
}

}  // namespace fractions
