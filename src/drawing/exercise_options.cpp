#include "exercise_options.h"

#include <array>

namespace fractions {

namespace {

constexpr ExerciseOptions Programme(Level level, DenominatorRule denominators, bool negatives,
                                    bool mixed, DivisionSign sign) {
  // Every level rewrites over the least common denominator: the program's
  // own instruction "Réduire au plus petit dénominateur commun" asks for it.
  return {level, denominators, negatives, mixed, sign, true};
}

constexpr std::array<LevelPreset, 5> kLevelPresets = {{
    {Level::kCM2, "CM2", "cm2", 12,
     Programme(Level::kCM2, DenominatorRule::kSame, false, true, DivisionSign::kColon)},
    {Level::k6e, "6e", "6e", 20,
     Programme(Level::k6e, DenominatorRule::kMultiple, false, true, DivisionSign::kColon)},
    {Level::k5e, "5e", "5e", 30,
     Programme(Level::k5e, DenominatorRule::kMultiple, false, false, DivisionSign::kColon)},
    {Level::k4e, "4e", "4e", 20,
     Programme(Level::k4e, DenominatorRule::kAny, true, false, DivisionSign::kObelus)},
    {Level::k3e, "3e", "3e", 50,
     Programme(Level::k3e, DenominatorRule::kAny, true, false, DivisionSign::kObelus)},
}};

constexpr std::array<std::string_view, 3> kDenominatorWords = {"any", "multiple", "same"};
constexpr std::array<std::string_view, 2> kDivisionWords = {"colon", "obelus"};

template <typename Enum, size_t N>
std::optional<Enum> FromWord(const std::array<std::string_view, N>& words, std::string_view word) {
  for (size_t i = 0; i < N; ++i) {
    if (words[i] == word) {
      return static_cast<Enum>(i);
    }
  }
  return std::nullopt;
}

}  // namespace

ExerciseOptions OptionsUsed(const ExerciseOptions& options, const OptionUse& use) {
  ExerciseOptions used = options;
  const bool rule_read =
      (options.denominators == DenominatorRule::kMultiple && use.multiple_denominators) ||
      (options.denominators == DenominatorRule::kSame && use.same_denominators);
  if (!rule_read) {
    used.denominators = DenominatorRule::kAny;
  }
  used.negatives = options.negatives && use.negatives;
  used.mixed = options.mixed && use.mixed;
  used.least_common_denominator = options.least_common_denominator && use.least_common_denominator;
  return used;
}

std::span<const LevelPreset> LevelPresets() {
  return kLevelPresets;
}

const LevelPreset* FindLevelPreset(Level level) {
  for (const LevelPreset& preset : kLevelPresets) {
    if (preset.level == level) {
      return &preset;
    }
  }
  return nullptr;
}

std::string_view DenominatorRuleWord(DenominatorRule rule) {
  return kDenominatorWords.at(static_cast<size_t>(rule));
}

std::optional<DenominatorRule> DenominatorRuleFromWord(std::string_view word) {
  return FromWord<DenominatorRule>(kDenominatorWords, word);
}

std::string_view DivisionSignWord(DivisionSign sign) {
  return kDivisionWords.at(static_cast<size_t>(sign));
}

std::optional<DivisionSign> DivisionSignFromWord(std::string_view word) {
  return FromWord<DivisionSign>(kDivisionWords, word);
}

std::string_view DivisionSignText(DivisionSign sign) {
  return sign == DivisionSign::kObelus ? "\xF7" : ":";
}

std::string_view DivisionOperatorText(DivisionSign sign) {
  return sign == DivisionSign::kObelus ? " \xF7 " : " : ";
}

std::optional<MixedNumber> MixedForm(const ExerciseOptions& options, int32_t num, int32_t den) {
  if (!options.mixed || num <= den || den < 2 || num % den == 0) {
    return std::nullopt;
  }
  return MixedNumber{num / den, num % den, den};
}

}  // namespace fractions
