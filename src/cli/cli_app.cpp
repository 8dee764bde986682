#include "cli_app.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <exception>
#include <limits>
#include <string_view>

#include "cli_options.h"
#include "document_files.h"
#include "drawing/kinds/kind_parts.h"
#include "drawing/random.h"
#include "generated_worksheet.h"
#include "printable_text.h"
#include "worksheet/class_set.h"

namespace fractions {

namespace {

constexpr const char* kUsageLine =
    "Usage : fractions-cli --type TYPE[,TYPE...] [--max M] [--count N] [--seed S]\n"
    "                      [--variants V] [--level NIVEAU] [--denominators D]\n"
    "                      [--negatives] [--mixed] [--division-sign SIGNE]\n"
    "                      [--least-common-denominator] [--worked] [--json]\n"
    "                      [--out BASE [--pdf [--margin MM]] [--title T]\n"
    "                       [--instruction I] [--spacing S]\n"
    "                       [--separator TEXTE | --no-separator] [--large-print]]\n";

constexpr const char* kPurpose =
    "Tire les exercices d'une feuille de fractions comme le font les boutons de la\n"
    "fenêtre, les affiche avec leurs réponses et, avec --out, écrit le sujet et le\n"
    "corrigé en RTF.\n"
    "\n";

constexpr size_t kHelpWidth = 80;
constexpr size_t kDescriptionColumn = 21;

// "  --option VALUE" padded to the description column (or on a line of its
// own when it reaches it), then the description, wrapped at kHelpWidth
// characters under its own column.
std::string HelpEntry(std::string_view option, std::string_view description) {
  std::string entry = "  " + std::string(option);
  if (entry.size() >= kDescriptionColumn) {  // the description starts on the next line
    entry += "\n" + std::string(kDescriptionColumn, ' ');
  } else {
    entry.resize(kDescriptionColumn, ' ');
  }
  size_t column = kDescriptionColumn;
  bool line_start = true;
  for (size_t at = 0; at < description.size();) {
    const size_t blank = std::min(description.find(' ', at), description.size());
    const std::string_view word = description.substr(at, blank - at);
    const size_t width = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())).size();
    if (!line_start && column + 1 + width > kHelpWidth) {
      entry += "\n" + std::string(kDescriptionColumn, ' ');
      column = kDescriptionColumn;
      line_start = true;
    }
    if (!line_start) {
      entry += ' ';
      ++column;
    }
    entry += word;
    column += width;
    line_start = false;
    at = blank + 1;
  }
  return entry + "\n";
}

std::string Default(SettingRange range) {
  return std::to_string(range.default_value);
}

// The last second of the year 9999, the latest a PDF date can state.
constexpr int64_t kLatestPdfTime = 253402300799;

// SOURCE_DATE_EPOCH, the time that reproducible builds give the files they
// make: the PDFs state it as their creation date instead of the time of
// writing, so that the same seed gives the same bytes.
std::optional<int64_t> SourceDateEpoch() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (value == nullptr) {
    return std::nullopt;
  }
  const std::string_view text(value);
  int64_t seconds = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || text.find_first_not_of("0123456789") != text.npos || error != std::errc() ||
      seconds > kLatestPdfTime) {
    throw UsageError("SOURCE_DATE_EPOCH attend un nombre entier de secondes " +
                     FromTo(0, kLatestPdfTime) + ", et non « " + std::string(text) + " »");
  }
  return seconds;
}

// The PDFs' settings when PDFs are asked for.
std::optional<PdfSettings> PdfSettingsOf(const CliOptions& options) {
  if (!options.pdf) {
    return std::nullopt;
  }
  return PdfSettings{options.pdf_margin_mm.value_or(kPdfMarginRange.default_value),
                     SourceDateEpoch()};
}

// A set: every subject in one file and every answer key in another, one
// worksheet per page; the listing of each worksheet in turn.
void WriteSet(const CliOptions& options, const std::optional<PdfSettings>& pdf,
              const std::vector<GeneratedWorksheet>& set, std::ostream& out) {
  if (options.out_base) {
    std::vector<const std::string*> subjects;
    std::vector<const std::string*> answer_keys;
    for (const GeneratedWorksheet& worksheet : set) {
      subjects.push_back(&worksheet.documents.subject);
      answer_keys.push_back(&worksheet.documents.answer_key);
    }
    WriteDocumentFiles(*options.out_base, JoinOnePerPage(subjects), JoinOnePerPage(answer_keys),
                       pdf);
  }
  if (options.json) {
    WriteJson(out, set.front(), options.options_typed, set);
    return;
  }
  for (size_t i = 0; i < set.size(); ++i) {
    out << (i > 0 ? "\n" : "");
    WriteText(out, set[i]);
  }
}

std::string HelpText() {
  return std::string(kPurpose) + HelpEntry("--type TYPE", TypeChoices(true) + " ; obligatoire") +
         HelpEntry("--type T1,T2,...",
                   "une feuille de plusieurs exercices (" + std::to_string(kMaxExercises) +
                       " au plus, " + std::to_string(kMaxSheetQuestions) +
                       " questions en tout au plus), chacun sous son titre « Exercice k » ; "
                       "--max et --count prennent alors une valeur pour tous ou une liste de "
                       "même longueur (--count 5,4,3), --instruction se donne une fois pour tous "
                       "ou une fois par exercice, dans l'ordre") +
         HelpEntry("--max M", "plus grand terme, " +
                                  FromTo(kLargestTermRange.min, kLargestTermRange.max) + " (" +
                                  Default(kLargestTermRange) + " par défaut)") +
         HelpEntry("--count N", "nombre de questions, " +
                                    FromTo(kQuestionCountRange.min, kQuestionCountRange.max) +
                                    " (" + Default(kQuestionCountRange) + " par défaut)") +
         "  --seed S           graine du tirage, " +
         FromTo(0, std::numeric_limits<uint32_t>::max()) +
         " (par défaut : l'heure\n"
         "                     du jour en UTC, en millisecondes) ; même graine, même feuille\n" +
         HelpEntry(
             "--variants V",
             "une série de V feuilles différentes, " +
                 FromTo(kVariantsRange.min, kVariantsRange.max) +
                 " : la première tirée de la graine S, chaque suivante de la première "
                 "graine après la précédente, selon s × 1664525 + 1013904223 (modulo "
                 "2^32), qui donne une feuille nouvelle ; avec --out, les sujets et les "
                 "corrigés une feuille par page\u00A0; des réglages qui donnent moins de deux "
                 "fois les questions d'une feuille sont signalés sur la sortie d'erreur, "
                 "avec leur nombre de questions, et la série est faite") +
         HelpEntry("--level NIVEAU",
                   LevelChoices() +
                       " : les options et le plus grand terme du programme de la classe, pour "
                       "celles qui valent pour le type ; une option ou --max données en plus "
                       "l'emportent ; en minuscules ou en majuscules (CM2, 4E)") +
         HelpEntry("--denominators D",
                   "any (quelconques, par défaut), multiple (l'un multiple de l'autre) ou same "
                   "(égaux) ; " +
                       TypesTakingOption(TypedOption::kDenominators)) +
         HelpEntry("--negatives", "nombres relatifs : chaque numérateur positif ou négatif ; " +
                                      TypesTakingOption(TypedOption::kNegatives)) +
         HelpEntry("--mixed", "un résultat plus grand que 1 suivi de sa forme 1 + 3/4 ; " +
                                  TypesTakingOption(TypedOption::kMixed)) +
         HelpEntry("--division-sign SIGNE", "colon (« : », par défaut) ou obelus (« ÷ »)") +
         HelpEntry("--least-common-denominator",
                   TypesTakingOption(TypedOption::kLeastCommonDenominator) +
                       " : sur le plus petit dénominateur commun, et non le produit des "
                       "dénominateurs") +
         HelpEntry("--worked",
                   "corrigé détaillé : chaque étape du calcul dans le corrigé ; avec --json, "
                   "les étapes de chaque question (\"steps\")") +
         "  --json             un objet JSON au lieu d'une liste\n"
         "  --out BASE         écrit le sujet dans BASE.rtf et le corrigé dans BASE_Cor.rtf\n"
         "  --pdf              écrit aussi BASE.pdf et BASE_Cor.pdf, en pages A4\n" +
         HelpEntry("--margin MM", "marges des pages PDF en millimètres, " +
                                      FromTo(kPdfMarginRange.min, kPdfMarginRange.max) + " (" +
                                      Default(kPdfMarginRange) + ")") +
         "  --title T          ligne de titre (" + std::to_string(kMaxTitleLength) +
         " caractères au plus ; balises permises)\n"
         "  --instruction I    consigne (" +
         std::to_string(kMaxInstructionLength) +
         " caractères au plus ; balises permises)\n"
         "  --separator TEXTE  ligne de séparation (" +
         std::to_string(kMaxSeparatorLength) +
         " caractères au plus)\n"
         "  --no-separator     pas de ligne de séparation\n" +
         HelpEntry("--spacing S", "lignes vides entre deux questions du sujet, " +
                                      FromTo(kSpacingRange.min, kSpacingRange.max) + " (" +
                                      Default(kSpacingRange) + ")") +
         HelpEntry("--large-print",
                   "grands caractères : titre en 16 points, consigne et séparateurs en 14, "
                   "fractions une fois et demie plus grandes, deux fois plus de lignes vides "
                   "entre les questions") +
         "  --help, -h         cette aide\n"
         "  --version          la version du programme\n";
}

// Settings that give fewer different questions or worksheets than asked
// are refused input like a bad value, not a failure to write: the message
// says how many they give, so that the teacher can ask for fewer.
int Refused(std::ostream& err, const std::exception& error) {
  err << "fractions-cli : " << PrintableText(error.what()) << "\n";
  return kExitUsage;
}

// Each line of the warning on standard error, after the program's name.
void WarnOfSharedQuestions(std::ostream& err, const Sheet& sheet, uint32_t seed, int worksheets) {
  const std::string warning = SharedQuestionsWarning(sheet, seed, worksheets);
  for (size_t start = 0; start < warning.size();) {
    const size_t end = std::min(warning.find('\n', start), warning.size());
    err << "fractions-cli : " << warning.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::optional<PdfSettings> pdf;
  try {
    options = ParseCliOptions(args);
    pdf = PdfSettingsOf(options);
  } catch (const UsageError& error) {
    // Messages repeat what was typed: shown escaped, a control character
    // in an argument never reaches the terminal.
    err << "fractions-cli : " << PrintableText(error.what()) << "\n"
        << kUsageLine << "Voir « fractions-cli --help ».\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kUsageLine << HelpText();
    return kExitOk;
  }
  if (options.version) {
    out << "fractions-cli " FRACTIONS_VERSION "\n";
    return kExitOk;
  }
  try {
    const uint32_t seed = options.seed.value_or(TimeOfDaySeed());
    if (options.variants) {
      WriteSet(options, pdf, GenerateVariants(options.sheet, seed, *options.variants), out);
      // The set is made; settings that give few questions are said, so
      // that the teacher can widen them for a set whose sheets differ more.
      WarnOfSharedQuestions(err, options.sheet, seed, *options.variants);
    } else {
      const GeneratedWorksheet worksheet = GenerateWorksheet(options.sheet, seed);
      if (options.out_base) {
        WriteDocumentFiles(*options.out_base, worksheet.documents.subject,
                           worksheet.documents.answer_key, pdf);
      }
      if (options.json) {
        WriteJson(out, worksheet, options.options_typed);
      } else {
        WriteText(out, worksheet);
      }
    }
    out.flush();
    if (!out) {
      err << "fractions-cli : impossible d'écrire sur la sortie\n";
      return kExitFailure;
    }
  } catch (const TooFewQuestions& error) {
    return Refused(err, error);
  } catch (const NotAtLevel& error) {
    return Refused(err, error);
  } catch (const TooFewVariants& error) {
    return Refused(err, error);
  } catch (const std::exception& error) {
    err << "fractions-cli : " << PrintableText(error.what()) << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace fractions
