#include "form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragMoveEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <exception>
#include <iostream>

#include "caption.h"
#include "cp1252_field.h"
#include "drawing/exercise_catalogue.h"
#include "error_display.h"
#include "guarded.h"

namespace fractions {

TForm1::TForm1(QWidget* parent, std::filesystem::path settings_file) : QWidget(parent) {
  // Seeded now, not only when the window is first activated: a run can come
  // first (a click queued before the activation, a desktop without a window
  // manager), and it must not draw the same worksheet at every start.
  random_.SetSeed(TimeOfDaySeed());
  CreateControls();
  ConnectHandlers();
  storage_target_ = std::make_unique<FormStorageTarget>(*this);
  form_storage_ = std::make_unique<TFormStorage>(*storage_target_);
  FormCreate(settings_file);
}

TForm1::~TForm1() {
  // The controls still exist here: their widgets go with QWidget's own
  // destructor, after this body.
  if (const auto message = FormStorage1().SaveOnDestroy()) {
    ReportClosingError(nullptr, *message);
  }
}

void TForm1::ReportClosingError(QWidget* parent, const std::string& message) const {
  if (session_ending_) {
    std::cerr << WithFullStop(QString::fromUtf8(message)).toStdString() << std::endl;
  } else {
    ShowErrorDisplay(parent, QString::fromUtf8(message));
  }
}

void TForm1::CloseForSessionEnd() {
  session_ending_ = true;
  // Nothing may hold the close up: menus and dialogs give way first, as if
  // the teacher had cancelled them.
  for (int nested = 0; nested < 8; ++nested) {  // a menu's submenus close one by one
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) {
      break;
    }
    popup->close();
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible()) {
      dialog->reject();
    }
  }
  close();
}

void TForm1::ConnectHandlers() {
  const auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { Guarded(this, [&] { (this->*handler)(); }); };
  };
  for (const ExerciseType type : kAllExerciseTypes) {
    if (QPushButton* button = exercise_buttons_[static_cast<size_t>(type)]) {
      connect(button, &QPushButton::clicked, this,
              [this, type] { Guarded(this, [&] { RunWorksheet(type); }); });
    }
  }
  connect(btnAutres, &QPushButton::clicked, this, guarded(&TForm1::btnAutresClick));
  connect(btnRAZ, &QPushButton::clicked, this, guarded(&TForm1::btnRAZClick));
  connect(btnEnregistre, &QPushButton::clicked, this, guarded(&TForm1::btnEnregistreClick));
  connect(btnImprime, &QPushButton::clicked, this, guarded(&TForm1::btnImprimeClick));
  connect(btnChoixImp, &QPushButton::clicked, this, guarded(&TForm1::btnChoixImpClick));
  connect(btnApercu, &QPushButton::clicked, this, guarded(&TForm1::btnApercuClick));
  connect(btnNouvTexte, &QPushButton::clicked, this, guarded(&TForm1::btnNouvTexteClick));
  connect(btnEffaceTexte, &QPushButton::clicked, this, guarded(&TForm1::btnEffaceTexteClick));
  connect(btnOptions, &QPushButton::clicked, this, guarded(&TForm1::btnOptionsClick));

  // Every change of a worksheet setting, by the user or by the settings
  // store, runs spmaxvaleurChange; the instruction only when the user types
  // or picks it.
  for (TSpinEdit* spin : {spmaxvaleur, spMaxLigne, spinterligne}) {
    connect(spin, &QSpinBox::valueChanged, this, guarded(&TForm1::spmaxvaleurChange));
  }
  for (QLineEdit* edit : {eTitre1, eSepar}) {
    connect(edit, &QLineEdit::textChanged, this, guarded(&TForm1::spmaxvaleurChange));
  }
  connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, guarded(&TForm1::spmaxvaleurChange));
  connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, [this] { chosen_instruction_ = -1; });
  connect(Combo1, &QComboBox::activated, this, &TForm1::Combo1Choose);
  connect(Combo1, &QComboBox::activated, this, guarded(&TForm1::spmaxvaleurChange));
  connect(spmaxvaleur, &TSpinEdit::numberFieldClicked, this, guarded(&TForm1::spmaxvaleurClick));
  connect(CheckBox1, &QCheckBox::toggled, this, guarded(&TForm1::CheckBox1Click));
  connect(ckbEdite, &QCheckBox::toggled, this, guarded(&TForm1::ckbEditeClick));
  connect(ckbVariantes, &QCheckBox::toggled, this, guarded(&TForm1::ckbVariantesClick));
  connect(RxE1, &QTextEdit::textChanged, this, guarded(&TForm1::RxE1Change));

  for (QWidget* field : {static_cast<QWidget*>(eTitre1), static_cast<QWidget*>(eSepar),
                         static_cast<QWidget*>(Combo1)}) {
    field->installEventFilter(this);
  }
  for (QLineEdit* field : {eTitre1, eSepar, Combo1->lineEdit()}) {
    AcceptOnlyCp1252(field);
  }
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->installEventFilter(this);  // Enter presses a focused button
  }
  connect(RxE1, &TRxRichEdit::MouseDown, this, &TForm1::RxE1MouseDown);
  connect(RxE1, &TRxRichEdit::MouseUp, this, &TForm1::RxE1MouseUp);
  connect(RxE1, &TRxRichEdit::DragDrop, this, &TForm1::RxE1DragDrop);
  connect(RxE1, &TRxRichEdit::DragOver, this, &TForm1::RxE1DragOver);
  connect(RxE2, &TRxRichEdit::MouseDown, this, &TForm1::RxE2MouseDown);
  connect(RxE2, &TRxRichEdit::MouseUp, this, &TForm1::RxE2MouseUp);
  connect(RxE2, &TRxRichEdit::DragOver, this, &TForm1::RxE2DragOver);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &TForm1::OnFocusWindowChanged);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  if (const auto message = FormStorage1().SaveOnClose()) {
    ReportClosingError(this, *message);
  }
  event->accept();
}

// FormActivate runs when this window becomes the program's active window:
// the first time, and when it takes the focus back from the "Nouveau texte"
// box or the floating preview pane. A drop-down list, a menu, a tooltip and
// the save, print and error dialogs are windows too, but coming back from
// them is no activation; nor is coming back from another program.
void TForm1::OnFocusWindowChanged(QWindow* focus) {
  if (focus == nullptr) {
    return;  // another program, or no window yet: what came before still counts
  }
  if (focus != windowHandle()) {
    const auto is = [focus](const QWidget* window) {
      return window != nullptr && window->windowHandle() == focus;
    };
    if (is(input_box_) || is(preview_window_)) {
      activation_due_ = true;
    }
    return;
  }
  if (pending_place_ != PendingPlace::kNone || state_when_placed_ != Qt::WindowNoState) {
    // Active: the window manager has framed the window by now, or frames
    // none.
    FinishPlacement();
  }
  if (!activated_once_ || activation_due_) {
    activated_once_ = true;
    activation_due_ = false;
    Guarded(this, [this] { FormActivate(); });
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress) {
    // Enter, like Space, presses the button that has the focus.
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (!key->isAutoRepeat()) {
        button->click();
      }
      return true;
    }
  }
  if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
    const bool in = type == QEvent::FocusIn;
    if (watched == eTitre1 || watched == eSepar) {
      auto* edit = static_cast<QWidget*>(watched);
      in ? eTitre1Enter(edit) : eTitre1Exit(edit);
    } else if (watched == Combo1) {
      in ? Combo1Enter() : Combo1Exit();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace fractions
