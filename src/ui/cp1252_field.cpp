#include "cp1252_field.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>

#include "richtext/qt_text.h"

namespace fractions {

namespace {

// Long enough to read the hint, short enough not to stay in the way.
constexpr int kHintMilliseconds = 8000;
constexpr int kHintMinimumWidth = 320;
constexpr int kHintMargin = 3;

}  // namespace

QValidator::State Cp1252Validator::validate(QString& input, int& /*position*/) const {
  const QString character = FirstCharacterWithoutCp1252(input);
  if (character.isEmpty()) {
    return Acceptable;
  }
  emit Refused(character);
  return Invalid;
}

QString RefusedCharacterHint(const QString& character) {
  // One sentence a line: a tag is never cut in two.
  return QStringLiteral(
             "Le caractère « %1 » ne s'écrit pas dans les documents.\n"
             "Pour un exposant, écrivez par exemple 5<sup>e</sup> B.")
      .arg(character);
}

RefusalHint::RefusalHint(QLineEdit* field) : QLabel(field, Qt::ToolTip), field_(field) {
  setObjectName("RefusalHint");
  setTextFormat(Qt::PlainText);  // the tags in the hint are what the teacher types
  setWordWrap(true);
  setMargin(kHintMargin);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
  timer_.setSingleShot(true);
  timer_.setInterval(kHintMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &QWidget::hide);
  connect(qApp, &QApplication::focusChanged, this, &RefusalHint::OnFocusChanged);
}

void RefusalHint::ShowFor(const QString& character) {
  setText(RefusedCharacterHint(character));
  setFixedWidth(std::max(field_->width(), kHintMinimumWidth));
  setFixedHeight(heightForWidth(width()));
  move(field_->mapToGlobal(QPoint(0, field_->height() + 1)));
  show();
  raise();
  timer_.start();
}

void RefusalHint::OnFocusChanged(QWidget* /*old*/, QWidget* now) {
  // A combo box's line edit has the focus through its combo box.
  const QWidget* holder = field_->focusProxy() != nullptr ? field_->focusProxy() : field_;
  if (now != holder) {
    hide();
  }
}

void RefusalHint::mousePressEvent(QMouseEvent* event) {
  hide();
  event->accept();
}

void AcceptOnlyCp1252(QLineEdit* field) {
  auto* validator = new Cp1252Validator(field);
  auto* hint = new RefusalHint(field);
  field->setValidator(validator);
  QObject::connect(validator, &Cp1252Validator::Refused, hint, &RefusalHint::ShowFor);
}

}  // namespace fractions
