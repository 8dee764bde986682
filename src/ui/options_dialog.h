#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "drawing/exercise_options.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QWidget;

namespace fractions {

struct OptionField;

// "Options des exercices": the level, whose list fills the other fields,
// and one field per option (see option_fields.h), each with a hint saying
// which exercise buttons read it.
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  OptionsDialog(const ExerciseOptions& options, QWidget* parent);

  // The options as the fields show them.
  ExerciseOptions Options() const;
  // The largest term of the level the teacher chose in the list, while the
  // fields still show it: "Max valeur" takes it.
  std::optional<int32_t> ChosenLargestTerm() const;

 private:
  struct Field {
    const OptionField* field;
    QComboBox* list;   // a list field, else nullptr
    QCheckBox* check;  // a check box field, else nullptr
  };

  void AddField(QFormLayout& form, const OptionField& field, const ExerciseOptions& options);
  size_t Value(const Field& field) const;
  void Show(const Field& field, size_t value);
  // A level chosen from the list fills the fields.
  void LevelChosen(int index);
  // A field changed by hand: the options are no level's any more.
  void FieldChanged(const OptionField& field);

  QComboBox* level_ = nullptr;
  std::vector<Field> fields_;
  bool filling_ = false;  // the fields are being filled from a level
  bool level_chosen_ = false;
};

}  // namespace fractions
