#include "cp1252_field.h"

#include <QToolTip>

#include "richtext/qt_text.h"

namespace fractions {

namespace {

// Long enough to read the hint, short enough not to stay in the way.
constexpr int kHintMilliseconds = 10000;

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
  return QStringLiteral(
             "Le caractère « %1 » ne s'écrit pas dans les documents. Pour un exposant, "
             "écrivez <sup> devant et </sup> après, par exemple 5<sup>e</sup> B.")
      .arg(character);
}

void AcceptOnlyCp1252(QLineEdit* field) {
  auto* validator = new Cp1252Validator(field);
  field->setValidator(validator);
  QObject::connect(validator, &Cp1252Validator::Refused, field, [field](const QString& character) {
    // Shown as text: the tags in the hint are what the teacher types.
    const QString hint =
        QStringLiteral("<p>%1</p>").arg(RefusedCharacterHint(character).toHtmlEscaped());
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), hint, field, QRect(),
                       kHintMilliseconds);
  });
}

}  // namespace fractions
