// The exercise buttons: one worksheet run each.
#include <QApplication>
#include <QGuiApplication>

#include "busy_cursor.h"
#include "drawing/exercise_catalogue.h"
#include "form.h"
#include "richtext/qt_text.h"
#include "scoped_flag.h"

namespace fractions {

WorksheetSettings TForm1::CurrentSettings() const {
  WorksheetSettings settings;
  settings.title = ToCp1252Lossy(eTitre1->text());
  settings.instruction = ToCp1252Lossy(Combo1->currentText());
  settings.separator = ToCp1252Lossy(eSepar->text());
  settings.separator_on = CheckBox1->isChecked();
  settings.largest_term = spmaxvaleur->value();
  settings.count = spMaxLigne->value();
  settings.spacing = spinterligne->value();
  settings.options = options_;
  return settings;
}

void TForm1::btnAutresClick() {
  exercise_menu_->popup(btnAutres->mapToGlobal(QPoint(0, btnAutres->height())));
}

// A run never lets the event loop turn while it builds, so a click cannot
// start a second run that would mix two worksheets; the flag guards against
// any other way back in.
void TForm1::RunWorksheet(ExerciseType type) {
  if (run_in_progress_ || set_in_progress_) {
    return;
  }
  const ScopedFlag running(run_in_progress_);
  Exercise exercise{type, CurrentSettings()};
  const bool append = ckbSuite->isChecked() && ViewsHoldSheet();
  // The field still holding one of the program's instructions as it stands
  // means nothing typed for this exercise: an exercise added to a sheet, or
  // one of a kind from the menu, takes its own type's, and one of the seven
  // buttons goes back to its own from a menu kind's, which would not fit
  // it. The field shows it once the exercise is in; a typed one goes as
  // typed.
  const std::string& shown = exercise.settings.instruction;
  const bool from_menu = RowOf(type, exercise_rows_).button_place.in_menu;
  const bool own_instruction =
      ((append || from_menu) && IsStandardInstruction(shown, exercise_rows_)) ||
      (!from_menu && IsMenuInstruction(shown, exercise_rows_));
  if (own_instruction) {
    exercise.settings.instruction =
        std::string(StandardInstruction(type, exercise.settings.options, exercise_rows_));
  }
  if (append) {
    CheckRoomFor(exercise);  // before anything changes
  }
  HidePreviewPane();
  const BusyCursor busy;
  if (append) {
    AppendExercise(exercise);
  } else {
    StartSheet(exercise);
  }
  if (own_instruction) {
    Combo1->setEditText(ToQString(exercise.settings.instruction));  // set, not typed
  }
  SetLamp(kLampGreen);  // not when the settings give too few questions: nothing changed
}

void TForm1::StartSheet(const Exercise& exercise) {
  // Drawn first: settings that give too few questions (a level's
  // simplifications up to 12 fill 37 at most) leave the worksheet shown.
  WorksheetTools tools{random_, question_table_, line_images_};
  const Sheet sheet{exercise};
  SheetDocuments documents = BuildSheet(sheet, tools);
  RxE1->ClearView();
  RxE2->ClearView();
  sheet_.reset();
  document_name_ = std::move(documents.name);
  try {
    LoadRtfIntoView(*RxE1, documents.subject);
    LoadRtfIntoView(*RxE2, documents.answer_key);
  } catch (const LoadError&) {
    // Never half a worksheet: a subject without its key would print alone.
    RxE1->ClearView();
    RxE2->ClearView();
    throw;
  }
  sheet_ =
      SheetRecord{sheet, std::move(documents.exercises),
                  CursorAfter(*RxE1, documents.subject, documents.first_instruction.subject),
                  CursorAfter(*RxE2, documents.answer_key, documents.first_instruction.answer_key)};
}

}  // namespace fractions
