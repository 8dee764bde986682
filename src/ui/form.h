#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "anchor_layout.h"
#include "drawing/exercise_catalogue.h"
#include "drawing/exercise_type.h"
#include "drawing/question_table.h"
#include "drawing/random.h"
#include "form_storage_target.h"
#include "lamp_shape.h"
#include "output/preview_files.h"
#include "pictures/line_images.h"
#include "rich_edit_view.h"
#include "settings/form_storage.h"
#include "spin_edit.h"
#include "worksheet/sheet_build.h"
#include "worksheet/worksheet_build.h"

namespace fractions {

struct ClassSetReport;

// The program's one window: the worksheet settings at the top, the subject
// and answer-key views in the middle, the exercise buttons and the output
// controls along the bottom. Handlers are named after their control and
// event; each reads the controls, calls into the subsystems and puts the
// results back.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `settings_file`: where the settings live; empty for the program's own
  // place (beside the program, or the user's configuration folder).
  explicit TForm1(QWidget* parent = nullptr, std::filesystem::path settings_file = {});
  ~TForm1() override;

  // The design size of the client area.
  static constexpr QSize kDesignClient{798, 420};

  // The lamp's two colours.
  static constexpr QColor kLampGreen{0, 128, 0};
  static constexpr QColor kLampRed{255, 0, 0};

  // The current worksheet's document name (empty before the first run).
  const std::string& DocumentName() const { return document_name_; }
  RandomSource& Random() { return random_; }

  // The settings a worksheet run reads from the controls.
  WorksheetSettings CurrentSettings() const;

  // The session ends (log-out, SIGTERM, SIGHUP): closes as the teacher's own
  // close does, but open dialogs and menus are cancelled first and a failure
  // to save the settings goes to standard error, not to a message box.
  void CloseForSessionEnd();

  // The rows the "Autres…" menu is made from, those whose button stands
  // in it, and that the instruction rules read: the catalogue's, unless a
  // test gives others (which must outlive the window). The buttons of
  // their own stay as the catalogue made them.
  void SetExerciseRows(ExerciseRows rows);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void setVisible(bool visible) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class FormStorageTarget;

  // Building the window.
  void CreateControls();
  void CreateTopArea();
  void CreateViews();
  void CreateBottomBar();
  void CreateExerciseButtons();
  void CreateAuxiliaryParts();
  void CreatePreviewPane();
  void SetTabOrder();
  void ConnectHandlers();

  // The "Autres…" menu, under its button.
  void btnAutresClick();

  // Every exercise button: one worksheet run of its type, which starts a
  // new sheet or, with "Ajouter à la suite", adds an exercise to the
  // sheet the views hold.
  void RunWorksheet(ExerciseType type);
  void StartSheet(const Exercise& exercise);

  // Sheets of several exercises (form_compose.cpp).
  // The views hold a sheet the program made: its record, and a line
  // picture in each view (a view emptied by hand, or holding only typed
  // text, holds none).
  bool ViewsHoldSheet() const;
  // Refuses, in French, an exercise that would make the sheet hold more
  // exercises or questions than a sheet may.
  void CheckRoomFor(const Exercise& exercise) const;
  void AppendExercise(const Exercise& exercise);
  // A cursor in `view`, which holds the document `rtf`, where its first
  // `bytes` end.
  static QTextCursor CursorAfter(TRxRichEdit& view, const std::string& rtf, size_t bytes);

  // Window life.
  void FormCreate(const std::filesystem::path& settings_file);
  void FormActivate();
  bool FormCloseQuery();

  // Editing and interaction.
  void spmaxvaleurChange();
  void spmaxvaleurClick();
  void CheckBox1Click();
  void ckbEditeClick();
  void btnNouvTexteClick();
  void btnEffaceTexteClick();
  // An item chosen from Combo1's list by the teacher (mouse or keys).
  void Combo1Choose(int index);
  void RxE1Change();
  void btnRAZClick();
  void eTitre1Enter(QWidget* sender);
  void eTitre1Exit(QWidget* sender);
  void Combo1Enter();
  void Combo1Exit();
  void RxE1MouseDown();
  void RxE1MouseUp();
  void RxE1DragDrop();
  void RxE1DragOver(bool& accept);
  void RxE2MouseDown();
  void RxE2MouseUp();
  void RxE2DragOver(bool& accept);

  // Output.
  void btnEnregistreClick();
  void btnImprimeClick();
  void btnChoixImpClick();
  void btnApercuClick();
  // A message box when a set of print jobs did not all go as asked.
  void TellHowPrintingWent(const ClassSetReport& report);

  // The "Options des exercices" dialog (form_options.cpp).
  void btnOptionsClick();

  // Class sets of different worksheets (form_sets.cpp).
  void ckbVariantesClick();
  // "Sujets différents" is checked and the views hold a run of this start.
  bool VariantSetAsked() const;
  void PrintVariantSet();
  void SaveVariantSet(const QString& chosen);

  void SetLamp(const QColor& colour);
  // A failure while closing: a message box, or standard error when the
  // session ends.
  void ReportClosingError(QWidget* parent, const std::string& message) const;
  void HidePreviewPane();
  void ShowPreviewPane();
  // Outside edit mode, keeps a read-only view free of selections.
  void CollapseSelection(TRxRichEdit* view);
  void OnFocusWindowChanged(QWindow* focus);
  // The printer of the session: the one chosen in the print dialog, else
  // the system's default. Throws when there is none.
  QPrinter& CurrentPrinter();

  // Placement on the screen (form_placement.cpp). The settings file keeps
  // the outer rectangle, frame included, and the smallest size is an outer
  // size; but the frame is known only once the window manager has framed the
  // window, after it is shown. Until then the window is placed as if it had
  // no frame, and placed again, exactly, once the frame is known.
  enum class PendingPlace { kNone, kCentre, kOuter };
  // The stored outer rectangle, kept on the screen it opens on.
  void SetOuterGeometry(const QRect& outer);
  // The state the window takes once placed: maximized or minimized.
  void SetStateWhenPlaced(Qt::WindowState state);
  void PlaceWindow();
  void FinishPlacement();
  void OnGeometryChanged();
  void RememberNormalPlace();
  QMargins FrameMargins() const;
  // The free area of the screen holding most of `outer`, else of the
  // window's own screen.
  QRect AvailableArea(const QRect& outer) const;
  // The outer rectangle of the window in its normal state, whatever its
  // state now.
  QRect NormalOuterRect() const;

  // Keeps the settings and the window's place between starts.
  TFormStorage& FormStorage1() { return *form_storage_; }

  // Controls, by their names in the layout.
  TSpinEdit* spmaxvaleur;
  TSpinEdit* spMaxLigne;
  TSpinEdit* spinterligne;
  TSpinEdit* spSujets;
  TSpinEdit* spCorriges;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label7;
  QLabel* Label8;
  QLabel* Label10;
  QCheckBox* CheckBox1;
  QCheckBox* ckbEdite;
  QCheckBox* ckbVariantes;
  QCheckBox* ckbSuite;
  QLineEdit* eTitre1;
  QLineEdit* eSepar;
  QComboBox* Combo1;
  QPushButton* btnNouvTexte;
  QPushButton* btnEffaceTexte;
  TRxRichEdit* RxE1;
  TRxRichEdit* RxE2;
  // The exercise buttons, by exercise type; none for a type of the menu.
  std::array<QPushButton*, kExerciseTypeCount> exercise_buttons_{};
  QPushButton* btnAutres;
  QMenu* exercise_menu_;  // the kinds of the menu, under "Autres…"
  ExerciseRows exercise_rows_ = kExerciseCatalogue;
  QPushButton* btnRAZ;
  QPushButton* btnChoixImp;
  QPushButton* btnApercu;
  QPushButton* btnImprime;
  QPushButton* btnEnregistre;
  QPushButton* btnOptions;
  TShape* Shape1;
  QWidget* Panel3;
  QWidget* Panel4;
  QLabel* Label6;
  QScrollArea* ScrollBox1;
  QLabel* Label11;
  QWidget* pnlImage1;
  QLabel* Image1;
  QLabel* Label12;
  QWidget* pnlImage2;
  QLabel* Image2;
  QLabel* lblfin_scrbox;
  QLabel* Label13;

  // The save dialog's stored setting: the folder it opens in.
  struct TSaveDialog {
    QString initial_dir;
  } SaveDialog1;

  AnchorLayout layout_{kDesignClient};
  // The options every run draws with; each exercise type reads those that
  // apply to it.
  ExerciseOptions options_;
  LcgRandom random_;
  QuestionTable question_table_;
  LineImages line_images_;
  std::string document_name_;
  // What the runs that made the views drew: every exercise of the sheet
  // with its settings and its questions, for the sets that draw more
  // sheets like it and for the exercises added to it; none before the
  // first run and after the views are emptied.
  struct SheetRecord {
    Sheet sheet;
    std::vector<QuestionSet> questions;
    // In each view, the start of the first exercise's instruction, where
    // its heading "Exercice 1" goes when a second exercise joins it. A
    // cursor follows the text: lines typed above it by hand move it with
    // the instruction.
    QTextCursor subject_heading;
    QTextCursor answer_key_heading;
  };
  std::optional<SheetRecord> sheet_;
  bool set_in_progress_ = false;
  bool edit_mode_ = false;
  // The instruction item the teacher chose from the list, while the box
  // still shows it unchanged; -1 for none.
  int chosen_instruction_ = -1;
  bool run_in_progress_ = false;
  bool activated_once_ = false;
  bool session_ending_ = false;
  // The main window took the focus away from a window whose return is an
  // activation (the "Nouveau texte" box, the preview pane).
  bool activation_due_ = false;
  QPointer<QWidget> input_box_;  // the "Nouveau texte" box while it shows
  bool shown_once_ = false;
  PendingPlace pending_place_ = PendingPlace::kCentre;
  QRect pending_outer_;
  Qt::WindowState state_when_placed_ = Qt::WindowNoState;
  // The normal place: the client rectangle and the frame around it, the last
  // seen in the normal state and the one before it (see changeEvent).
  struct NormalPlace {
    QRect client;
    QMargins frame;
    friend bool operator==(const NormalPlace&, const NormalPlace&) = default;
  };
  NormalPlace normal_place_;
  NormalPlace previous_normal_place_;
  std::unique_ptr<FormStorageTarget> storage_target_;
  std::unique_ptr<TFormStorage> form_storage_;
  std::unique_ptr<QPrinter> printer_;
  QWidget* preview_window_ = nullptr;  // the floating window of ScrollBox1
  PreviewFiles preview_files_;         // the files the preview wrote
};

}  // namespace fractions
