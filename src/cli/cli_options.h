#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/exercise_type.h"
#include "worksheet/class_set.h"
#include "worksheet/sheet_build.h"
#include "worksheet/worksheet_build.h"

namespace fractions {

// The exercise options as typed, each only when it was: a level fills the
// others, and what is typed wins over it.
struct TypedExerciseOptions {
  std::optional<Level> level;
  std::optional<DenominatorRule> denominators;
  bool negatives = false;
  bool mixed = false;
  std::optional<DivisionSign> division_sign;
  bool least_common_denominator = false;
  bool large_print = false;
  bool worked = false;
};

// What the command line asks for. Numbers are checked against the ranges of
// the window's spin boxes, texts converted to Windows-1252.
struct CliOptions {
  // --type: one type, or a comma list of up to kMaxExercises (a type may
  // repeat), one exercise each.
  std::vector<ExerciseType> types;
  // What every exercise shares: the title, the separator, the spacing, large
  // print; and the window's defaults for the rest.
  WorksheetSettings settings;
  // --max and --count as typed: none, one for every exercise, or one per
  // exercise; --instruction likewise, each time it is given.
  std::vector<int32_t> largest_terms;
  std::vector<int32_t> counts;
  std::vector<std::string> instructions;
  TypedExerciseOptions typed;
  // The exercises as they will be drawn: each with its type, its numbers,
  // its instruction and the options of the level and those typed that its
  // type reads.
  Sheet sheet;
  // An exercise option, a level, large print or a worked key was typed:
  // the JSON lists the options.
  bool options_typed = false;
  std::optional<uint32_t> seed;          // none: seed from the time of day
  std::optional<std::string> out_base;   // path without extension, its bytes as typed
  bool pdf = false;                      // with out_base: also BASE.pdf and BASE_Cor.pdf
  std::optional<int32_t> pdf_margin_mm;  // none: kPdfMarginRange's default
  std::optional<int32_t> variants;       // a set of different worksheets
  bool json = false;
  bool help = false;
  bool version = false;
};

// The margins of the PDF pages, in whole millimetres: a real printer cannot
// print to the paper's edge, and a teacher expects room around the text.
inline constexpr SettingRange kPdfMarginRange{0, 40, 15};

// A set of different worksheets: 1 to kMaxVariants of them.
inline constexpr SettingRange kVariantsRange{1, kMaxVariants, 1};

// A command line that cannot be followed; the message (UTF-8, French) names
// the option and what it accepts.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. Throws UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

// The type a command-line word names ("add", ..., "reduc"), if any.
std::optional<ExerciseType> ExerciseTypeFromCommandName(std::string_view name);

// The type words, "add, sub, ... ou reduc", with their glosses for the help
// ("pow (puissances)") or without.
std::string TypeChoices(bool with_glosses);

// The options that go with some types only.
enum class TypedOption { kDenominators, kNegatives, kMixed, kLeastCommonDenominator };

// The types an option goes with, as the help names them: "add, sub, mul et
// div"; "reduc sauf same" for a type that takes some of the denominator
// rules only.
std::string TypesTakingOption(TypedOption option);

// The level words, "cm2, 6e, 5e, 4e ou 3e".
std::string LevelChoices();

// "de LOW à HIGH", as the help and the messages write a range.
std::string FromTo(int64_t low, int64_t high);

}  // namespace fractions
