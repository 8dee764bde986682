#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTimer>
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

// The hint under a field that refused a character, in the colours of a
// tooltip. Unlike a tooltip it stays while the teacher goes on typing: for
// a few seconds, until the field loses the focus, or until it is clicked.
class RefusalHint : public QLabel {
  Q_OBJECT

 public:
  explicit RefusalHint(QLineEdit* field);
  void ShowFor(const QString& character);

 protected:
  // A click on the hint takes it out of the way of what lies under it.
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void OnFocusChanged(QWidget* old, QWidget* now);

  QLineEdit* field_;
  QTimer timer_;
};

// Gives `field` a Cp1252Validator whose refusals show a RefusalHint (object
// name "RefusalHint", a child of the field).
void AcceptOnlyCp1252(QLineEdit* field);

}  // namespace fractions
