#include "cli_options.h"

#include <charconv>
#include <functional>
#include <limits>

namespace fractions {

namespace {

constexpr std::string_view kTypeChoices = "add, sub, mul, div, pow, simp or reduc";

// A whole number in [low, high] written with decimal digits only.
int64_t ParseWholeNumber(std::string_view option, std::string_view text, int64_t low,
                         int64_t high) {
  const std::string expected = std::string(option) + " takes a whole number from " +
                               std::to_string(low) + " to " + std::to_string(high);
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const bool digits_only =
      !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (!digits_only || error != std::errc() || ptr != end || value < low || value > high) {
    throw UsageError(expected + ", not '" + std::string(text) + "'");
  }
  return value;
}

ExerciseType ParseType(std::string_view text) {
  if (const auto type = ExerciseTypeFromCommandName(text)) {
    return *type;
  }
  throw UsageError("--type takes " + std::string(kTypeChoices) + ", not '" + std::string(text) +
                   "'");
}

struct OptionRule {
  std::string_view name;
  std::string_view value_hint;  // empty for a switch
  std::function<void(CliOptions&, std::string_view)> apply;
};

const std::vector<OptionRule>& OptionRules() {
  static const std::vector<OptionRule> rules = {
      {"--type", "one of add, sub, mul, div, pow, simp, reduc",
       [](CliOptions& o, std::string_view v) { o.type = ParseType(v); }},
      {"--max", "a whole number from 9 to 500",
       [](CliOptions& o, std::string_view v) {
         o.largest_term =
             static_cast<int32_t>(ParseWholeNumber("--max", v, kMinLargestTerm, kMaxLargestTerm));
       }},
      {"--count", "a whole number from 1 to 40",
       [](CliOptions& o, std::string_view v) {
         o.count =
             static_cast<int32_t>(ParseWholeNumber("--count", v, kMinQuestionCount, kMaxQuestions));
       }},
      {"--seed", "a whole number from 0 to 4294967295",
       [](CliOptions& o, std::string_view v) {
         o.seed = static_cast<uint32_t>(
             ParseWholeNumber("--seed", v, 0, std::numeric_limits<uint32_t>::max()));
       }},
      {"--json", "", [](CliOptions& o, std::string_view) { o.json = true; }},
      {"--help", "", [](CliOptions& o, std::string_view) { o.help = true; }},
  };
  return rules;
}

const OptionRule* FindRule(std::string_view name) {
  for (const OptionRule& rule : OptionRules()) {
    if (rule.name == name) {
      return &rule;
    }
  }
  return nullptr;
}

}  // namespace

std::string_view CommandName(ExerciseType type) {
  switch (type) {
    case ExerciseType::kAddition:
      return "add";
    case ExerciseType::kSubtraction:
      return "sub";
    case ExerciseType::kMultiplication:
      return "mul";
    case ExerciseType::kDivision:
      return "div";
    case ExerciseType::kPowers:
      return "pow";
    case ExerciseType::kSimplification:
      return "simp";
    case ExerciseType::kCommonDenominator:
      return "reduc";
  }
  return {};
}

std::optional<ExerciseType> ExerciseTypeFromCommandName(std::string_view name) {
  for (const ExerciseType type : kAllExerciseTypes) {
    if (CommandName(type) == name) {
      return type;
    }
  }
  return std::nullopt;
}

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    // Both "--max 40" and "--max=40".
    std::optional<std::string_view> inline_value;
    if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      inline_value = arg.substr(equals + 1);
      arg = arg.substr(0, equals);
    }
    const OptionRule* rule = FindRule(arg);
    if (rule == nullptr) {
      throw UsageError(arg.starts_with("-") ? "unknown option '" + std::string(arg) + "'"
                                            : "unexpected argument '" + std::string(arg) + "'");
    }
    if (rule->value_hint.empty()) {
      if (inline_value) {
        throw UsageError(std::string(arg) + " takes no value");
      }
      rule->apply(options, {});
      continue;
    }
    if (!inline_value) {
      if (i + 1 >= args.size()) {
        throw UsageError(std::string(arg) + " needs a value: " + std::string(rule->value_hint));
      }
      inline_value = args[++i];
    }
    rule->apply(options, *inline_value);
  }
  if (!options.help && !options.type) {
    throw UsageError("--type is required: " + std::string(kTypeChoices));
  }
  return options;
}

}  // namespace fractions
