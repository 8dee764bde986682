// "Options…": the level and the options of the exercises.
#include "form.h"
#include "options_dialog.h"

namespace fractions {

void TForm1::btnOptionsClick() {
  OptionsDialog dialog(options_, this);
  if (dialog.exec() != QDialog::Accepted) {
    return;
  }
  const ExerciseOptions chosen = dialog.Options();
  if (chosen != options_) {
    options_ = chosen;
    spmaxvaleurChange();  // a worksheet setting changed: the lamp turns red
  }
  if (const std::optional<int32_t> largest_term = dialog.ChosenLargestTerm()) {
    spmaxvaleur->setValue(*largest_term);
  }
}

}  // namespace fractions
