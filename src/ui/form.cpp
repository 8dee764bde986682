#include "form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <exception>

#include "caption.h"
#include "drawing/exercise_catalogue.h"
#include "error_display.h"

namespace fractions {

namespace {

// Runs a handler body; a failure ends the handler and reaches the user in
// the error box, as every handler's failures do.
template <typename Body>
void Guarded(QWidget* window, Body&& body) {
  try {
    body();
  } catch (const std::exception& error) {
    ShowErrorDisplay(window, QString::fromUtf8(error.what()));
  }
}

}  // namespace

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
    ShowErrorDisplay(nullptr, QString::fromUtf8(*message));
  }
}

void TForm1::ConnectHandlers() {
  const auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { Guarded(this, [&] { (this->*handler)(); }); };
  };
  for (const ExerciseType type : kAllExerciseTypes) {
    connect(exercise_buttons_[static_cast<size_t>(type)], &QPushButton::clicked, this,
            [this, type] { Guarded(this, [&] { RunWorksheet(type); }); });
  }
  connect(btnRAZ, &QPushButton::clicked, this, guarded(&TForm1::btnRAZClick));
  connect(btnEnregistre, &QPushButton::clicked, this, guarded(&TForm1::btnEnregistreClick));
  connect(btnImprime, &QPushButton::clicked, this, guarded(&TForm1::btnImprimeClick));
  connect(btnChoixImp, &QPushButton::clicked, this, guarded(&TForm1::btnChoixImpClick));
  connect(btnApercu, &QPushButton::clicked, this, guarded(&TForm1::btnApercuClick));
  connect(btnNouvTexte, &QPushButton::clicked, this, guarded(&TForm1::btnNouvTexteClick));
  connect(btnEffaceTexte, &QPushButton::clicked, this, guarded(&TForm1::btnEffaceTexteClick));

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
  connect(RxE1, &TRxRichEdit::MouseDown, this, &TForm1::RxE1MouseDown);
  connect(RxE1, &TRxRichEdit::MouseUp, this, &TForm1::RxE1MouseUp);
  connect(RxE1, &TRxRichEdit::DragDrop, this, &TForm1::RxE1DragDrop);
  connect(RxE1, &TRxRichEdit::DragOver, this, &TForm1::RxE1DragOver);
  connect(RxE2, &TRxRichEdit::MouseDown, this, &TForm1::RxE2MouseDown);
  connect(RxE2, &TRxRichEdit::MouseUp, this, &TForm1::RxE2MouseUp);
  connect(RxE2, &TRxRichEdit::DragOver, this, &TForm1::RxE2DragOver);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &TForm1::OnFocusWindowChanged);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layout_.Apply(event->size());
}

void TForm1::SetOuterGeometry(const QRect& outer) {
  const QSize frame = frameGeometry().size() - size();
  move(outer.topLeft());  // a top-level window moves by its frame
  resize(outer.size() - frame);
  if (!isVisible()) {
    pending_outer_geometry_ = outer;
  }
}

void TForm1::CentreOnScreen() {
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - frameGeometry().center() + pos());
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centre_on_first_show_) {
    centre_on_first_show_ = false;
    CentreOnScreen();
  }
  if (pending_outer_geometry_.isValid()) {
    const QRect outer = pending_outer_geometry_;
    pending_outer_geometry_ = QRect();
    SetOuterGeometry(outer);
  }
  // The smallest outer size is 640 x 400; the frame is known once shown.
  const QSize frame = frameGeometry().size() - size();
  setMinimumSize(QSize(640, 400) - frame);
}

void TForm1::setVisible(bool visible) {
  if (visible && !shown_once_) {
    // First show: the settings store restores before the window appears,
    // so that a restored place needs no jump.
    shown_once_ = true;
    Guarded(this, [this] { FormStorage1().RestoreOnShow(); });
    if (centre_on_first_show_) {
      CentreOnScreen();  // once more when shown, with the frame known
    }
  }
  QWidget::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  if (const auto message = FormStorage1().SaveOnClose()) {
    ShowErrorDisplay(this, QString::fromUtf8(*message));
  }
  event->accept();
}

// FormActivate runs when this window becomes the program's active window:
// the first time, and when it takes the focus back from another window of
// the program; not when the user comes back from another program.
void TForm1::OnFocusWindowChanged(QWindow* focus) {
  QWindow* const mine = windowHandle();
  if (focus != nullptr && focus == mine &&
      (!activated_once_ || (last_focus_window_ != nullptr && last_focus_window_ != mine))) {
    activated_once_ = true;
    Guarded(this, [this] { FormActivate(); });
  }
  if (focus != nullptr) {
    last_focus_window_ = focus;
  } else if (!QGuiApplication::focusWindow()) {
    last_focus_window_ = nullptr;  // the focus went to another program
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
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
