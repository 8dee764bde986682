#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

// The text fields whose text goes into the documents (the title, the
// instruction, the separator) take only what a document can hold: the
// characters of Windows-1252. A character beyond it ("→", the "ᵉ" of
// "5ᵉ B") would be printed and saved as "?"; typed, pasted or dropped, it
// is refused with a hint, and the field keeps its text.
namespace fractions {

// Accepts a text whose characters are all in Windows-1252; refuses any
// other, saying which character.
class Cp1252Validator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;

 signals:
  void Refused(const QString& character) const;
};

// "Le caractère « → » ne s'écrit pas dans les documents. ..."
QString RefusedCharacterHint(const QString& character);

// Gives `field` a Cp1252Validator whose refusals show the hint as a
// tooltip under the field.
void AcceptOnlyCp1252(QLineEdit* field);

}  // namespace fractions
