#pragma once

#include <array>
#include <string_view>
#include <variant>

#include "exercise_type.h"
#include "kinds/common_denominator.h"
#include "kinds/four_operations.h"
#include "kinds/powers.h"
#include "kinds/simplification.h"

namespace fractions {

// The slice of one kind of exercise, as its catalogue row points at it: a
// type with the kind's question struct (`Question`), its drawing, its
// question key, its JSON fields and its plain text, all in
// src/drawing/kinds/; its line layout lives beside it in
// src/worksheet/kinds/, found by this type. Several rows may share a slice
// and tell it apart by the values they give it (the four operations).
using ExerciseKind =
    std::variant<OperationKind, PowerKind, SimplificationKind, CommonDenominatorKind>;

// What the program says about one exercise type, wherever it names it: on
// the command line, in the document name, on the window's button; and the
// slice that draws and writes its questions. The button's texts are UTF-8;
// the instructions are Windows-1252; the others are ASCII.
struct ExerciseInfo {
  ExerciseType type;
  std::string_view command_word;   // fractions-cli --type
  std::string_view command_gloss;  // in the help after the word; empty when the word says it
  std::string_view name_prefix;    // the start of a worksheet's document name
  std::string_view button_name;    // the exercise button's object name
  std::string_view button_caption;
  std::string_view button_hint;
  // What the pupils are asked, where an exercise has no instruction of its
  // own (on a sheet of several types); the second when the least common
  // denominator is asked, if it says something else.
  std::string_view instruction;
  std::string_view least_common_instruction;
  ExerciseKind kind;
};

inline constexpr std::string_view kCalculate =
    "Calculer (r\xE9ponse irr\xE9"
    "ductible)";

// One row per exercise type, in the order of the enumeration.
inline constexpr ExerciseInfo kExerciseCatalogue[] = {
    {ExerciseType::kAddition, "add", "", "AddFract", "btnPlus", "+", "Additions", kCalculate, "",
     OperationKind{Operation::kAdd}},
    {ExerciseType::kSubtraction, "sub", "", "SousFract", "btnMoins", "-", "Soustractions",
     kCalculate, "", OperationKind{Operation::kSubtract}},
    {ExerciseType::kMultiplication, "mul", "", "MultFract", "btnMult", "x", "Multiplications",
     kCalculate, "", OperationKind{Operation::kMultiply}},
    {ExerciseType::kDivision, "div", "", "DivFract", "btnDivise", ":", "Divisions", kCalculate, "",
     OperationKind{Operation::kDivide}},
    {ExerciseType::kPowers, "pow", "puissances", "PuissFract", "btnPuiss", "^", "Puissances",
     kCalculate, "", PowerKind{}},
    {ExerciseType::kSimplification, "simp", "simplification", "SimplFract", "btnSimplif", "S",
     "Simplification",
     "Simplifier (r\xE9ponse irr\xE9"
     "ductible)",
     "", SimplificationKind{}},
    {ExerciseType::kCommonDenominator, "reduc", "même dénominateur", "ReducFract", "btnReduc", "R",
     "Réduction au même dénominateur",
     "R\xE9"
     "duire au m\xEAme d\xE9nominateur",
     "R\xE9"
     "duire au plus petit d\xE9nominateur commun",
     CommonDenominatorKind{}},
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

// The instruction of an exercise of `type` drawn with `options` that was
// given none of its own.
constexpr std::string_view StandardInstruction(ExerciseType type, const ExerciseOptions& options) {
  const ExerciseInfo& info = Describe(type);
  return options.least_common_denominator && !info.least_common_instruction.empty()
             ? info.least_common_instruction
             : info.instruction;
}

// Whether `text` is one of the instructions the catalogue gives, as it
// stands.
constexpr bool IsStandardInstruction(std::string_view text) {
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    if (text == info.instruction ||
        (!info.least_common_instruction.empty() && text == info.least_common_instruction)) {
      return true;
    }
  }
  return false;
}

}  // namespace fractions
