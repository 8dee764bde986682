// Handlers of the worksheet settings, the instruction list, edit mode and
// the views' mouse and drag events.
#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "caption.h"
#include "centre_on_screen.h"
#include "cp1252_field.h"
#include "form.h"

namespace fractions {

namespace {

constexpr QColor kFocusColour{255, 255, 232};
// The "Nouveau texte" box: its title whole, and room for this many
// characters in its field (plus the field's own margins).
constexpr int kInputBoxMinimumWidth = 450;
constexpr int kInstructionCharsShown = 60;
constexpr int kFieldMargins = 12;

void SetBackground(QWidget* field, const QColor& colour) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, colour);
  field->setPalette(palette);
}

}  // namespace

void TForm1::SetLamp(const QColor& colour) {
  Shape1->SetBrushColor(colour);
}

void TForm1::spmaxvaleurChange() {
  // A view still holding a single blank counts as no worksheet at all.
  if (RxE1->Text() != QStringLiteral(" ")) {
    SetLamp(kLampRed);
  }
  Label10->setText(QStringLiteral("(%1)").arg(eSepar->text().size()));
}

void TForm1::spmaxvaleurClick() {
  spmaxvaleur->setSingleStep(spmaxvaleur->singleStep() == 100 ? 1 : 100);
}

void TForm1::eTitre1Enter(QWidget* sender) {
  SetBackground(sender, kFocusColour);
}
void TForm1::eTitre1Exit(QWidget* sender) {
  SetBackground(sender, Qt::white);
}
void TForm1::Combo1Enter() {
  SetBackground(Combo1, kFocusColour);
}
void TForm1::Combo1Exit() {
  SetBackground(Combo1, Qt::white);
}

void TForm1::CheckBox1Click() {
  eSepar->setEnabled(CheckBox1->isChecked());
  SetLamp(kLampRed);
}

void TForm1::ckbEditeClick() {
  edit_mode_ = ckbEdite->isChecked();
  RxE1->SetEditable(edit_mode_);
  RxE2->SetEditable(edit_mode_);
}

void TForm1::btnNouvTexteClick() {
  QInputDialog dialog(this);
  input_box_ = &dialog;
  dialog.setWindowTitle("Nouveau texte");
  dialog.setLabelText("Entrez votre texte");
  dialog.setOkButtonText("OK");
  dialog.setCancelButtonText("Annuler");
  dialog.setTextValue(QString());
  if (auto* field = dialog.findChild<QLineEdit*>()) {
    field->setMaxLength(static_cast<int>(kMaxInstructionLength));
    AcceptOnlyCp1252(field);  // the text becomes an instruction
    // Wide enough to read a long instruction while typing it ("n" is as wide
    // as an average lowercase letter), and the box wide enough for its title.
    const QMargins margins = dialog.layout()->contentsMargins();
    const int chars_shown =
        field->fontMetrics().horizontalAdvance(QString(kInstructionCharsShown, QLatin1Char('n'))) +
        kFieldMargins;
    field->setMinimumWidth(
        std::max(chars_shown, kInputBoxMinimumWidth - margins.left() - margins.right()));
  }
  dialog.adjustSize();
  CentreOnScreen(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty()) {
    return;
  }
  // Set by the program, not typed: the lamp keeps its colour, and no item
  // counts as chosen.
  Combo1->addItem(dialog.textValue());
  Combo1->setEditText(dialog.textValue());
  chosen_instruction_ = -1;
}

void TForm1::Combo1Choose(int index) {
  chosen_instruction_ = index;
}

void TForm1::btnEffaceTexteClick() {
  // Only an item the teacher chose from the list and still sees unchanged:
  // a typed or restored text names no item, even one equal to it.
  const int chosen = std::exchange(chosen_instruction_, -1);
  if (chosen < 0 || chosen >= Combo1->count() ||
      Combo1->currentText() != Combo1->itemText(chosen)) {
    return;
  }
  // The box keeps its text: the next worksheet's instruction does not change
  // behind the teacher's back.
  const QString shown = Combo1->currentText();
  Combo1->removeItem(chosen);
  Combo1->setEditText(shown);
}

void TForm1::RxE1Change() {
  const bool has_text = !RxE1->Text().isEmpty();
  for (QPushButton* button : {btnImprime, btnEnregistre, btnRAZ, btnApercu}) {
    button->setEnabled(has_text);
  }
}

void TForm1::btnRAZClick() {
  RxE1->ClearView();
  RxE2->ClearView();
  sheet_.reset();
}

void TForm1::CollapseSelection(TRxRichEdit* view) {
  if (edit_mode_) {
    return;
  }
  // Any fixed position will do; only the empty selection matters.
  QTextCursor cursor = view->textCursor();
  const int position = qMin(static_cast<int>(windowTitle().size()), view->TextLength());
  cursor.setPosition(position);
  view->setTextCursor(cursor);
}

void TForm1::RxE1MouseDown() {
  CollapseSelection(RxE1);
}
void TForm1::RxE1MouseUp() {
  CollapseSelection(RxE1);
}
void TForm1::RxE1DragDrop() {
  CollapseSelection(RxE1);
}
void TForm1::RxE2MouseDown() {
  CollapseSelection(RxE2);
}
void TForm1::RxE2MouseUp() {
  CollapseSelection(RxE2);
}

void TForm1::RxE1DragOver(bool& accept) {
  if (!edit_mode_) {
    accept = false;
    CollapseSelection(RxE1);
  }
}

void TForm1::RxE2DragOver(bool& accept) {
  if (!edit_mode_) {
    accept = false;
    CollapseSelection(RxE2);
  }
}

}  // namespace fractions
