#include "cli_options.h"

#include <QString>
#include <algorithm>
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

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Levels are written "CM2" and "4e" on the window and "cm2" in the JSON;
// a teacher types either, or "4E". Only ASCII letters fold: the bytes of
// "6ᵉ" stay as they are and match nothing.
bool SameLevelWord(std::string_view word, std::string_view typed) {
  return std::ranges::equal(word, typed, {}, AsciiLower, AsciiLower);
}

Level ParseLevel(std::string_view text) {
  for (const LevelPreset& preset : LevelPresets()) {
    if (SameLevelWord(preset.command_word, text)) {
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

// "a, b, c ou d" with `last` " ou ".
std::string Joined(const std::vector<std::string>& words, std::string_view last) {
  std::string list;
  for (size_t i = 0; i < words.size(); ++i) {
    list += i == 0 ? "" : (i + 1 < words.size() ? ", " : std::string(last));
    list += words[i];
  }
  return list;
}

// The types whose exercises read an option, "add, sub, mul ou div".
std::string TypesUsing(bool (*reads)(const OptionUse&)) {
  std::vector<std::string> words;
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    if (reads(OptionUseOf(info.type))) {
      words.emplace_back(info.command_word);
    }
  }
  return Joined(words, " ou ");
}

// The types of the list as --type was typed, "add,simp".
std::string TypedTypes(const std::vector<ExerciseType>& types) {
  std::string words;
  for (const ExerciseType type : types) {
    words += (words.empty() ? "" : ",") + std::string(Describe(type).command_word);
  }
  return words;
}

// Refuses an option typed for types none of which reads it; with several
// types, it goes to those that read it.
void CheckReads(const CliOptions& options, std::string_view typed,
                bool (*reads)(const OptionUse&)) {
  for (const ExerciseType type : options.types) {
    if (reads(OptionUseOf(type))) {
      return;
    }
  }
  throw UsageError(std::string(typed) + " ne va pas avec --type " + TypedTypes(options.types) +
                   " : seulement avec " + TypesUsing(reads));
}

bool ReadsDenominators(const OptionUse& use) {
  return use.multiple_denominators || use.same_denominators;
}
bool ReadsMultiple(const OptionUse& use) {
  return use.multiple_denominators;
}
bool ReadsSame(const OptionUse& use) {
  return use.same_denominators;
}
bool ReadsNegatives(const OptionUse& use) {
  return use.negatives;
}
bool ReadsMixed(const OptionUse& use) {
  return use.mixed;
}
bool ReadsLeastCommonDenominator(const OptionUse& use) {
  return use.least_common_denominator;
}

// The check a denominator rule asks of a type.
auto DenominatorReader(DenominatorRule rule) {
  switch (rule) {
    case DenominatorRule::kMultiple:
      return &ReadsMultiple;
    case DenominatorRule::kSame:
      return &ReadsSame;
    case DenominatorRule::kAny:
      break;
  }
  return &ReadsDenominators;
}

void CheckTypedOptionsApply(const CliOptions& options) {
  const TypedExerciseOptions& typed = options.typed;
  if (typed.denominators) {
    CheckReads(options, "--denominators", &ReadsDenominators);
    if (*typed.denominators != DenominatorRule::kAny) {
      CheckReads(options, "--denominators " + std::string(DenominatorRuleWord(*typed.denominators)),
                 DenominatorReader(*typed.denominators));
    }
  }
  if (typed.negatives) {
    CheckReads(options, "--negatives", &ReadsNegatives);
  }
  if (typed.mixed) {
    CheckReads(options, "--mixed", &ReadsMixed);
  }
  if (typed.least_common_denominator) {
    CheckReads(options, "--least-common-denominator", &ReadsLeastCommonDenominator);
  }
}

// The options of an exercise of `type`: the level's (those the type reads),
// then those typed that the type reads, which win over the level whatever
// their order.
ExerciseOptions ResolveExerciseOptions(const TypedExerciseOptions& typed, ExerciseType type) {
  const OptionUse use = OptionUseOf(type);
  ExerciseOptions resolved;
  if (typed.level) {
    resolved = OptionsUsed(FindLevelPreset(*typed.level)->options, use);
  }
  if (typed.denominators && DenominatorReader(*typed.denominators)(use)) {
    resolved.denominators = *typed.denominators;
  }
  resolved.negatives = resolved.negatives || (typed.negatives && use.negatives);
  resolved.mixed = resolved.mixed || (typed.mixed && use.mixed);
  resolved.division_sign = typed.division_sign.value_or(resolved.division_sign);
  resolved.least_common_denominator =
      resolved.least_common_denominator ||
      (typed.least_common_denominator && use.least_common_denominator);
  resolved.large_print = typed.large_print;
  resolved.worked = typed.worked;
  return resolved;
}

// Value k of a list typed once for every exercise or once per exercise.
template <typename T>
const T& ValueFor(const std::vector<T>& values, size_t k) {
  return values.size() == 1 ? values.front() : values.at(k);
}

// A list must hold one value for every exercise or one per exercise, in
// their order: "--count : 2 valeurs pour 3 types ; ...".
void CheckListLength(std::string_view option, size_t given, size_t exercises,
                     std::string_view given_as) {
  if (given > 1 && given != exercises) {
    throw UsageError(std::string(option) + " : " + std::to_string(given) + " " +
                     std::string(given_as) + " pour " + std::to_string(exercises) +
                     (exercises > 1 ? " types" : " type") +
                     " ; une seule pour tous, ou une par type, dans leur ordre");
  }
}

// The exercises of the sheet from the types and what was typed for them: a
// level's largest term unless --max was typed, and no more questions in all
// than a sheet holds.
Sheet ResolveSheet(const CliOptions& options) {
  const size_t n = options.types.size();
  CheckListLength("--max", options.largest_terms.size(), n, "valeurs");
  CheckListLength("--count", options.counts.size(), n, "valeurs");
  CheckListLength("--instruction", options.instructions.size(), n, "consignes");
  Sheet sheet;
  int32_t questions = 0;
  for (size_t k = 0; k < n; ++k) {
    Exercise exercise{options.types[k], options.settings};
    WorksheetSettings& settings = exercise.settings;
    settings.options = ResolveExerciseOptions(options.typed, exercise.type);
    if (!options.largest_terms.empty()) {
      settings.largest_term = ValueFor(options.largest_terms, k);
    } else if (options.typed.level) {
      settings.largest_term = FindLevelPreset(*options.typed.level)->largest_term;
    }
    if (!options.counts.empty()) {
      settings.count = ValueFor(options.counts, k);
    }
    if (!options.instructions.empty()) {
      settings.instruction = ValueFor(options.instructions, k);
    } else if (n > 1 || Describe(exercise.type).button_place.in_menu) {
      // Each exercise of a sheet of several says what it asks, and so does
      // a kind of the window's menu; a sheet of one of the types with a
      // button of their own keeps the program's first instruction, as its
      // files always had.
      settings.instruction = std::string(StandardInstruction(exercise.type, settings.options));
    }
    questions += settings.count;
    sheet.push_back(std::move(exercise));
  }
  if (questions > kMaxSheetQuestions) {
    const std::string defaults = options.counts.empty()
                                     ? " (" + std::to_string(kQuestionCountRange.default_value) +
                                           " par exercice sans --count)"
                                     : std::string();
    throw UsageError("--count : " + std::to_string(questions) + " questions en tout" + defaults +
                     ", et " + std::to_string(kMaxSheetQuestions) + " au plus sur une feuille");
  }
  return sheet;
}

// "add,simp,reduc" -> "add", "simp", "reduc"; an empty part stays, for the
// caller to refuse.
std::vector<std::string_view> SplitList(std::string_view text) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma == text.npos ? text.npos : comma - start));
    if (comma == text.npos) {
      return parts;
    }
    start = comma + 1;
  }
}

std::vector<ExerciseType> ParseTypes(std::string_view text) {
  const std::vector<std::string_view> names = SplitList(text);
  if (names.size() > kMaxExercises) {
    throw UsageError("--type : " + std::to_string(kMaxExercises) + " types au plus, et non " +
                     std::to_string(names.size()));
  }
  std::vector<ExerciseType> types;
  for (const std::string_view name : names) {
    if (name.empty() && names.size() > 1) {
      throw UsageError("--type : un nom vide dans la liste " + Quoted(text));
    }
    types.push_back(ParseType(name));
  }
  return types;
}

std::vector<int32_t> ParseSettingList(std::string_view option, std::string_view text,
                                      SettingRange range) {
  std::vector<int32_t> values;
  for (const std::string_view part : SplitList(text)) {
    values.push_back(ParseSetting(option, part, range));
  }
  return values;
}

struct OptionRule {
  std::string_view name;
  std::string_view short_name;  // "-h" for "--help"; empty for none
  std::string value_hint;       // empty for a switch
  std::function<void(CliOptions&, std::string_view)> apply;
  bool repeatable = false;  // may be given more than once
};

const std::vector<OptionRule>& OptionRules() {
  using O = CliOptions;
  using V = std::string_view;
  static const std::vector<OptionRule> rules = {
      {"--type", {}, TypeChoices(false), [](O& o, V v) { o.types = ParseTypes(v); }},
      {"--max",
       {},
       WholeNumberRange(kLargestTermRange.min, kLargestTermRange.max),
       [](O& o, V v) { o.largest_terms = ParseSettingList("--max", v, kLargestTermRange); }},
      {"--count",
       {},
       WholeNumberRange(kQuestionCountRange.min, kQuestionCountRange.max),
       [](O& o, V v) { o.counts = ParseSettingList("--count", v, kQuestionCountRange); }},
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
         o.instructions.push_back(ParseText("--instruction", v, kMaxInstructionLength));
       },
       true},
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

std::string TypesTakingOption(TypedOption option) {
  std::vector<std::string> words;
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    const OptionUse use = OptionUseOf(info.type);
    std::string word(info.command_word);
    bool takes = false;
    switch (option) {
      case TypedOption::kDenominators:
        takes = ReadsDenominators(use);
        word += use.multiple_denominators ? "" : " sauf multiple";
        word += use.same_denominators ? "" : " sauf same";
        break;
      case TypedOption::kNegatives:
        takes = use.negatives;
        break;
      case TypedOption::kMixed:
        takes = use.mixed;
        break;
      case TypedOption::kLeastCommonDenominator:
        takes = use.least_common_denominator;
        break;
    }
    if (takes) {
      words.push_back(std::move(word));
    }
  }
  return Joined(words, " et ");
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
    if (!given.insert(rule->name).second && !rule->repeatable) {
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
  if (!options.help && !options.version && options.types.empty()) {
    throw UsageError("--type est obligatoire : " + TypeChoices(false));
  }
  if (options.pdf && !options.out_base) {
    throw UsageError("--pdf va avec --out BASE, qui nomme les fichiers");
  }
  // Each of the two alone is clear; together the typed separator would be
  // dropped without a word.
  if (given.contains("--separator") && given.contains("--no-separator")) {
    throw UsageError("--separator et --no-separator se contredisent : l'un ou l'autre");
  }
  if (options.pdf_margin_mm && !options.pdf) {
    throw UsageError("--margin va avec --pdf, dont il règle les marges");
  }
  const std::set<std::string_view> exercise_options = {
      "--level",       "--denominators",  "--negatives",
      "--mixed",       "--division-sign", "--least-common-denominator",
      "--large-print", "--worked"};
  for (const std::string_view option : exercise_options) {
    options.options_typed = options.options_typed || given.contains(option);
  }
  if (!options.types.empty()) {
    CheckTypedOptionsApply(options);
    options.sheet = ResolveSheet(options);
  }
  return options;
}

}  // namespace fractions
