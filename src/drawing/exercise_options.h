#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// How the questions of a worksheet are drawn and written beyond the largest
// term and their number: what a class's programme asks for. The defaults
// give the program's first worksheets, draw for draw.
namespace fractions {

// How the two denominators of a question relate.
enum class DenominatorRule : int32_t {
  kAny,       // any two, as drawn
  kMultiple,  // one divides the other (equal allowed)
  kSame,      // equal, at least 2
};

enum class DivisionSign : int32_t {
  kColon,   // ":"
  kObelus,  // "÷"
};

// A class level whose programme fills the options at once; kFree when the
// options were set one by one. A level also keeps out of its sheets the
// questions no class is set (kinds/level_rules.h), whatever its largest
// term and options; kFree draws without that.
enum class Level : int32_t { kFree, kCM2, k6e, k5e, k4e, k3e };

struct ExerciseOptions {
  Level level = Level::kFree;  // with the fields below, how to draw
  DenominatorRule denominators = DenominatorRule::kAny;
  bool negatives = false;  // numerators negative or positive, half and half
  bool mixed = false;      // improper results also as a whole number plus a fraction
  DivisionSign division_sign = DivisionSign::kColon;
  bool least_common_denominator = false;  // common denominators: the least one
  // The documents in large print (see print_sizes.h): how the worksheet is
  // set, not how its questions are drawn. No level sets it.
  bool large_print = false;
  // The answer key written with every step of the calculation. No level
  // sets it, and it changes no draw: only what the key shows.
  bool worked = false;

  friend bool operator==(const ExerciseOptions&, const ExerciseOptions&) = default;
};

// The options a kind of exercise reads; it draws and writes as if the
// others were at their defaults. The division sign is read by every kind
// that divides and harms none that does not.
struct OptionUse {
  bool multiple_denominators = false;
  bool same_denominators = false;
  bool negatives = false;
  bool mixed = false;
  bool least_common_denominator = false;
};

// `options` with every field `use` does not read back at its default; the
// level stays.
ExerciseOptions OptionsUsed(const ExerciseOptions& options, const OptionUse& use);

// What a level sets: the largest term and the options.
struct LevelPreset {
  Level level;
  std::string_view name;          // as the window and the settings file show it: "CM2", "6e"
  std::string_view command_word;  // fractions-cli --level, and the JSON: "cm2", "6e"
  int32_t largest_term;
  ExerciseOptions options;
};

// The five levels, in school order.
std::span<const LevelPreset> LevelPresets();
const LevelPreset* FindLevelPreset(Level level);

// The option words of the command line and of its JSON.
std::string_view DenominatorRuleWord(DenominatorRule rule);  // "any", "multiple", "same"
std::optional<DenominatorRule> DenominatorRuleFromWord(std::string_view word);
std::string_view DivisionSignWord(DivisionSign sign);  // "colon", "obelus"
std::optional<DivisionSign> DivisionSignFromWord(std::string_view word);

// The division sign, ":" or "÷" (Windows-1252), and as it stands between
// two operands, " : " or " ÷ ".
std::string_view DivisionSignText(DivisionSign sign);
std::string_view DivisionOperatorText(DivisionSign sign);

// A positive improper fraction that is not whole, as a whole number plus a
// proper fraction: 7/4 is 1 + 3/4.
struct MixedNumber {
  int32_t whole, num, den;
  friend bool operator==(const MixedNumber&, const MixedNumber&) = default;
};

// The mixed form of num/den (den > 0) when the options ask for it and the
// fraction is positive, improper and not whole; nothing otherwise.
std::optional<MixedNumber> MixedForm(const ExerciseOptions& options, int32_t num, int32_t den);

}  // namespace fractions
