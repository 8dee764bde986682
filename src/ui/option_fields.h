#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/exercise_options.h"

// The exercise options as the window shows and keeps them: one row per
// field of the "Options des exercices" dialog, which is also a key of the
// settings file's options section. A new option is a new row here, a row
// of kStoredOptions (settings/form_storage.h) and a field of
// ExerciseOptions.
namespace fractions {

struct OptionField {
  std::string_view key;  // its key in the settings file, as in kStoredOptions
  const char* label;     // UTF-8
  // The texts of a list, in the order of the field's values; none for a
  // check box (values 0 and 1).
  std::vector<const char*> choices;
  const char* hint;  // UTF-8, without the buttons it serves
  // Which exercise buttons read it; none: the hint names them itself.
  bool (*reads)(const OptionUse& use);
  size_t (*get)(const ExerciseOptions& options);
  void (*set)(ExerciseOptions& options, size_t value);
  // A class's programme: a level fills it, and a change by hand makes the
  // level "Libre". Not so for how the documents are set (large print, the
  // worked key): a level leaves it as it is.
  bool set_by_level = true;
};

// The level, whose list fills the other fields.
const OptionField& LevelField();
// The other fields, in the dialog's order.
const std::vector<OptionField>& OptionFields();
// The field of a settings key, the level's included; nullptr for none.
const OptionField* FindOptionField(std::string_view key);

// The field's hint with the exercise buttons it serves: "... Boutons : +,
// -, x et :." (UTF-8).
std::string OptionHint(const OptionField& field);

// The options of a level, or `options` as they are for the free level;
// the fields no level sets keep their values.
ExerciseOptions OptionsOfLevel(const ExerciseOptions& options, Level level);

}  // namespace fractions
