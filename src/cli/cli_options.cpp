#include "cli_options.h"

#include <QString>
#include <charconv>
#include <functional>
#include <limits>
#include <set>

#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"
#include "richtext/qt_text.h"

namespace fractions {

namespace {

std::string Quoted(std::string_view text) {
  return "« " + std::string(text) + " »";
}

std::string WholeNumberRange(int64_t low, int64_t high) {
  return "un nombre entier " + FromTo(low, high);
}

// A whole number in [low, high] written with decimal digits only.
int64_t ParseWholeNumber(std::string_view option, std::string_view text, int64_t low,
                         int64_t high) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const bool digits_only =
      !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (!digits_only || error != std::errc() || ptr != end || value < low || value > high) {
    throw UsageError(std::string(option) + " attend " + WholeNumberRange(low, high) + ", et non " +
                     Quoted(text));
  }
  return value;
}

// The first character of `text` that Windows-1252 cannot hold, in UTF-8.
std::string FirstUnwritable(const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    if (!ToCp1252(one)) {
      return one.toStdString();
    }
  }
  return {};
}

// Command-line text arrives as UTF-8; documents hold Windows-1252.
std::string ParseText(std::string_view option, std::string_view utf8, size_t max_length) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  const std::optional<std::string> bytes = ToCp1252(text);
  if (!bytes) {
    throw UsageError(std::string(option) + " : le caractère " + Quoted(FirstUnwritable(text)) +
                     " ne s'écrit pas en Windows-1252");
  }
  if (bytes->size() > max_length) {
    throw UsageError(std::string(option) + " : " + std::to_string(max_length) +
                     " caractères au plus, et non " + std::to_string(bytes->size()));
  }
  return *bytes;
}

ExerciseType ParseType(std::string_view text) {
  if (const auto type = ExerciseTypeFromCommandName(text)) {
    return *type;
  }
  throw UsageError("--type attend " + TypeChoices(false) + ", et non " + Quoted(text));
}

int32_t ParseSetting(std::string_view option, std::string_view text, SettingRange range) {
  return static_cast<int32_t>(ParseWholeNumber(option, text, range.min, range.max));
}

// BASE of BASE.rtf and BASE_Cor.rtf: a path whose last part names a file.
// "dir/", "." or "dir/.." would make the hidden files ".rtf" and
// "_Cor.rtf" (or "..rtf") instead of the files asked for.
std::string ParseOutBase(std::string_view base) {
  if (base.empty()) {
    throw UsageError("--out attend un chemin sans extension, et non un texte vide");
  }
  const size_t slash = base.rfind('/');
  const std::string_view name = slash == base.npos ? base : base.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") {
    throw UsageError("--out attend un chemin qui finit par un nom de fichier, et non " +
                     Quoted(base));
  }
  return std::string(base);
}

Level ParseLevel(std::string_view text) {
  for (const LevelPreset& preset : LevelPresets()) {
    if (preset.command_word == text) {
      return preset.level;
    }
  }
  throw UsageError("--level attend " + LevelChoices() + ", et non " + Quoted(text));
}

DenominatorRule ParseDenominators(std::string_view text) {
  if (const auto rule = DenominatorRuleFromWord(text)) {
    return *rule;
  }
  throw UsageError("--denominators attend any, multiple ou same, et non " + Quoted(text));
}

DivisionSign ParseDivisionSign(std::string_view text) {
  if (const auto sign = DivisionSignFromWord(text)) {
    return *sign;
  }
  throw UsageError("--division-sign attend colon ou obelus, et non " + Quoted(text));
}

// The types whose exercises read an option, "add, sub, mul ou div".
std::string TypesUsing(bool (*reads)(const OptionUse&)) {
  std::vector<std::string_view> words;
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    if (reads(OptionUseOf(info.type))) {
      words.push_back(info.command_word);
    }
  }
  std::string list;
  for (size_t i = 0; i < words.size(); ++i) {
    list += i == 0 ? "" : (i + 1 < words.size() ? ", " : " ou ");
    list += words[i];
  }
  return list;
}

// Refuses an option typed for a type that does not read it.
void CheckReads(const CliOptions& options, std::string_view typed,
                bool (*reads)(const OptionUse&)) {
  if (!reads(OptionUseOf(*options.type))) {
    throw UsageError(std::string(typed) + " ne va pas avec --type " +
                     std::string(Describe(*options.type).command_word) + " : seulement avec " +
                     TypesUsing(reads));
  }
}

void CheckTypedOptionsApply(const CliOptions& options) {
  const TypedExerciseOptions& typed = options.typed;
  if (typed.denominators) {
    CheckReads(options, "--denominators", [](const OptionUse& use) {
      return use.multiple_denominators || use.same_denominators;
    });
    if (*typed.denominators == DenominatorRule::kMultiple) {
      CheckReads(options, "--denominators multiple",
                 [](const OptionUse& use) { return use.multiple_denominators; });
    }
    if (*typed.denominators == DenominatorRule::kSame) {
      CheckReads(options, "--denominators same",
                 [](const OptionUse& use) { return use.same_denominators; });
    }
  }
  if (typed.negatives) {
    CheckReads(options, "--negatives", [](const OptionUse& use) { return use.negatives; });
  }
  if (typed.mixed) {
    CheckReads(options, "--mixed", [](const OptionUse& use) { return use.mixed; });
  }
  if (typed.least_common_denominator) {
    CheckReads(options, "--least-common-denominator",
               [](const OptionUse& use) { return use.least_common_denominator; });
  }
}

// The options of the level (those the type reads), then those typed, which
// win over it whatever their order; the level's largest term unless --max
// was typed.
void ResolveExerciseOptions(CliOptions& options) {
  const TypedExerciseOptions& typed = options.typed;
  ExerciseOptions& resolved = options.settings.options;
  if (typed.level) {
    const LevelPreset& preset = *FindLevelPreset(*typed.level);
    resolved = OptionsUsed(preset.options, OptionUseOf(*options.type));
    if (!options.max_typed) {
      options.settings.largest_term = preset.largest_term;
    }
  }
  resolved.denominators = typed.denominators.value_or(resolved.denominators);
  resolved.negatives = resolved.negatives || typed.negatives;
  resolved.mixed = resolved.mixed || typed.mixed;
  resolved.division_sign = typed.division_sign.value_or(resolved.division_sign);
  resolved.least_common_denominator =
      resolved.least_common_denominator || typed.least_common_denominator;
  resolved.large_print = typed.large_print;
  resolved.worked = typed.worked;
}

struct OptionRule {
  std::string_view name;
  std::string_view short_name;  // "-h" for "--help"; empty for none
  std::string value_hint;       // empty for a switch
  std::function<void(CliOptions&, std::string_view)> apply;
};

const std::vector<OptionRule>& OptionRules() {
  using O = CliOptions;
  using V = std::string_view;
  static const std::vector<OptionRule> rules = {
      {"--type", {}, TypeChoices(false), [](O& o, V v) { o.type = ParseType(v); }},
      {"--max",
       {},
       WholeNumberRange(kLargestTermRange.min, kLargestTermRange.max),
       [](O& o, V v) {
         o.settings.largest_term = ParseSetting("--max", v, kLargestTermRange);
         o.max_typed = true;
       }},
      {"--count",
       {},
       WholeNumberRange(kQuestionCountRange.min, kQuestionCountRange.max),
       [](O& o, V v) { o.settings.count = ParseSetting("--count", v, kQuestionCountRange); }},
      {"--spacing",
       {},
       WholeNumberRange(kSpacingRange.min, kSpacingRange.max),
       [](O& o, V v) { o.settings.spacing = ParseSetting("--spacing", v, kSpacingRange); }},
      {"--seed",
       {},
       WholeNumberRange(0, std::numeric_limits<uint32_t>::max()),
       [](O& o, V v) {
         o.seed = static_cast<uint32_t>(
             ParseWholeNumber("--seed", v, 0, std::numeric_limits<uint32_t>::max()));
       }},
      {"--title",
       {},
       "un texte",
       [](O& o, V v) { o.settings.title = ParseText("--title", v, kMaxTitleLength); }},
      {"--instruction",
       {},
       "un texte",
       [](O& o, V v) {
         o.settings.instruction = ParseText("--instruction", v, kMaxInstructionLength);
       }},
      {"--separator",
       {},
       "un texte",
       [](O& o, V v) { o.settings.separator = ParseText("--separator", v, kMaxSeparatorLength); }},
      {"--no-separator", {}, "", [](O& o, V) { o.settings.separator_on = false; }},
      {"--large-print", {}, "", [](O& o, V) { o.typed.large_print = true; }},
      {"--out", {}, "un chemin sans extension", [](O& o, V v) { o.out_base = ParseOutBase(v); }},
      {"--pdf", {}, "", [](O& o, V) { o.pdf = true; }},
      {"--variants",
       {},
       WholeNumberRange(kVariantsRange.min, kVariantsRange.max),
       [](O& o, V v) { o.variants = ParseSetting("--variants", v, kVariantsRange); }},
      {"--margin",
       {},
       WholeNumberRange(kPdfMarginRange.min, kPdfMarginRange.max),
       [](O& o, V v) { o.pdf_margin_mm = ParseSetting("--margin", v, kPdfMarginRange); }},
      {"--level", {}, LevelChoices(), [](O& o, V v) { o.typed.level = ParseLevel(v); }},
      {"--denominators",
       {},
       "any, multiple ou same",
       [](O& o, V v) { o.typed.denominators = ParseDenominators(v); }},
      {"--negatives", {}, "", [](O& o, V) { o.typed.negatives = true; }},
      {"--mixed", {}, "", [](O& o, V) { o.typed.mixed = true; }},
      {"--division-sign",
       {},
       "colon ou obelus",
       [](O& o, V v) { o.typed.division_sign = ParseDivisionSign(v); }},
      {"--least-common-denominator",
       {},
       "",
       [](O& o, V) { o.typed.least_common_denominator = true; }},
      {"--worked", {}, "", [](O& o, V) { o.typed.worked = true; }},
      {"--json", {}, "", [](O& o, V) { o.json = true; }},
      {"--help", "-h", "", [](O& o, V) { o.help = true; }},
      {"--version", {}, "", [](O& o, V) { o.version = true; }},
  };
  return rules;
}

const OptionRule* FindRule(std::string_view name) {
  for (const OptionRule& rule : OptionRules()) {
    if (rule.name == name || (!rule.short_name.empty() && rule.short_name == name)) {
      return &rule;
    }
  }
  return nullptr;
}

}  // namespace

std::string LevelChoices() {
  std::string choices;
  const auto presets = LevelPresets();
  for (size_t i = 0; i < presets.size(); ++i) {
    choices += i == 0 ? "" : (i + 1 < presets.size() ? ", " : " ou ");
    choices += presets[i].command_word;
  }
  return choices;
}

std::string FromTo(int64_t low, int64_t high) {
  return "de " + std::to_string(low) + " à " + std::to_string(high);
}

std::string TypeChoices(bool with_glosses) {
  std::string choices;
  for (size_t i = 0; i < std::size(kExerciseCatalogue); ++i) {
    const ExerciseInfo& info = kExerciseCatalogue[i];
    if (i > 0) {
      choices += i + 1 < std::size(kExerciseCatalogue) ? ", " : " ou ";
    }
    choices += info.command_word;
    if (with_glosses && !info.command_gloss.empty()) {
      choices += " (" + std::string(info.command_gloss) + ")";
    }
  }
  return choices;
}

std::optional<ExerciseType> ExerciseTypeFromCommandName(std::string_view name) {
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    if (info.command_word == name) {
      return info.type;
    }
  }
  return std::nullopt;
}

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions options;
  // An option given twice is refused rather than letting the last one win
  // unseen: "--max 40 ... --max 9" is a typing slip more often than not.
  std::set<std::string_view> given;
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
      throw UsageError(arg.starts_with("-") ? "option inconnue " + Quoted(arg)
                                            : "argument inattendu " + Quoted(arg));
    }
    if (!given.insert(rule->name).second) {
      throw UsageError(std::string(rule->name) + " ne peut être donné qu'une fois");
    }
    if (rule->value_hint.empty()) {
      if (inline_value) {
        throw UsageError(std::string(arg) + " ne prend pas de valeur");
      }
      rule->apply(options, {});
      continue;
    }
    if (!inline_value) {
      if (i + 1 >= args.size()) {
        throw UsageError(std::string(arg) + " attend une valeur : " + rule->value_hint);
      }
      inline_value = args[++i];
    }
    rule->apply(options, *inline_value);
  }
  if (!options.help && !options.version && !options.type) {
    throw UsageError("--type est obligatoire : " + TypeChoices(false));
  }
  if (options.pdf && !options.out_base) {
    throw UsageError("--pdf va avec --out BASE, qui nomme les fichiers");
  }
  if (options.pdf_margin_mm && !options.pdf) {
    throw UsageError("--margin va avec --pdf, dont il règle les marges");
  }
  const std::set<std::string_view> exercise_options = {
      "--level",      "--denominators",  "--negatives",
      "--mixed",      "--division-sign", "--least-common-denominator",
      "--large-print"};
  for (const std::string_view option : exercise_options) {
    options.options_typed = options.options_typed || given.contains(option);
  }
  if (options.type) {
    CheckTypedOptionsApply(options);
    ResolveExerciseOptions(options);
  }
  return options;
}

}  // namespace fractions
