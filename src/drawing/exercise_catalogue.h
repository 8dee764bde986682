#pragma once

#include <array>
#include <string_view>

#include "exercise_type.h"

namespace fractions {

// What the program says about one exercise type, wherever it names it: on
// the command line, in the document name, on the window's button. The
// button's texts are UTF-8; the others are ASCII.
struct ExerciseInfo {
  ExerciseType type;
  std::string_view command_word;   // fractions-cli --type
  std::string_view command_gloss;  // in the help after the word; empty when the word says it
  std::string_view name_prefix;    // the start of a worksheet's document name
  std::string_view button_name;    // the exercise button's object name
  std::string_view button_caption;
  std::string_view button_hint;
};

// One row per exercise type, in the order of the enumeration.
inline constexpr ExerciseInfo kExerciseCatalogue[] = {
    {ExerciseType::kAddition, "add", "", "AddFract", "btnPlus", "+", "Additions"},
    {ExerciseType::kSubtraction, "sub", "", "SousFract", "btnMoins", "-", "Soustractions"},
    {ExerciseType::kMultiplication, "mul", "", "MultFract", "btnMult", "x", "Multiplications"},
    {ExerciseType::kDivision, "div", "", "DivFract", "btnDivise", ":", "Divisions"},
    {ExerciseType::kPowers, "pow", "puissances", "PuissFract", "btnPuiss", "^", "Puissances"},
    {ExerciseType::kSimplification, "simp", "simplification", "SimplFract", "btnSimplif", "S",
     "Simplification"},
    {ExerciseType::kCommonDenominator, "reduc", "même dénominateur", "ReducFract", "btnReduc", "R",
     "Réduction au même dénominateur"},
};

static_assert(std::size(kExerciseCatalogue) == kExerciseTypeCount,
              "one catalogue row per exercise type");
static_assert(
    [] {
      for (size_t i = 0; i < kExerciseTypeCount; ++i) {
        if (kExerciseCatalogue[i].type != static_cast<ExerciseType>(i)) {
          return false;
        }
      }
      return true;
    }(),
    "the catalogue's rows follow the enumeration");

// Every exercise type, in the catalogue's order.
inline constexpr std::array<ExerciseType, kExerciseTypeCount> kAllExerciseTypes = [] {
  std::array<ExerciseType, kExerciseTypeCount> types{};
  for (size_t i = 0; i < types.size(); ++i) {
    types[i] = kExerciseCatalogue[i].type;
  }
  return types;
}();

constexpr const ExerciseInfo& Describe(ExerciseType type) {
  return kExerciseCatalogue[static_cast<size_t>(type)];
}

}  // namespace fractions
