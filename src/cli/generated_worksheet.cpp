#include "generated_worksheet.h"

#include <utility>

#include "cli_options.h"
#include "drawing/exercise_catalogue.h"
#include "richtext/qt_text.h"
#include "worksheet/class_set.h"

namespace fractions {

GeneratedWorksheet GenerateWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                     uint32_t seed) {
  LcgRandom random(seed);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  return {type, settings, seed, BuildWorksheet(type, settings, tools)};
}

std::vector<GeneratedWorksheet> GenerateVariants(ExerciseType type,
                                                 const WorksheetSettings& settings, uint32_t seed,
                                                 int count) {
  // Nothing stops the set, so it is always there.
  std::vector<SetWorksheet> set = BuildClassSet({type, settings, seed, count, {}}).value();
  std::vector<GeneratedWorksheet> variants;
  for (SetWorksheet& worksheet : set) {
    variants.push_back({type, settings, worksheet.seed, std::move(worksheet.documents)});
  }
  return variants;
}

namespace {

// The listing is UTF-8; the texts are Windows-1252 ("÷").
std::string Utf8(const std::string& cp1252) {
  return ToQString(cp1252).toStdString();
}

const char* JsonBool(bool value) {
  return value ? "true" : "false";
}

// ", "steps": [["...", "..."], [...]]": the expressions are ASCII
// without quotes or backslashes, written as they are.
void WriteJsonSteps(std::ostream& out, const std::vector<std::vector<std::string>>& steps) {
  out << ", \"steps\": [";
  for (size_t c = 0; c < steps.size(); ++c) {
    out << (c == 0 ? "[" : ", [");
    for (size_t e = 0; e < steps[c].size(); ++e) {
      out << (e == 0 ? "\"" : ", \"") << steps[c][e] << "\"";
    }
    out << "]";
  }
  out << "]";
}

void WriteQuestionObject(std::ostream& out, const QuestionListing& question) {
  out << "{";
  for (const auto& [name, value] : question.fields.numbers) {
    out << '"' << name << "\": " << value << ", ";
  }
  if (const std::optional<MixedNumber>& mixed = question.fields.mixed) {
    out << "\"mixed\": {\"whole\": " << mixed->whole << ", \"num\": " << mixed->num
        << ", \"den\": " << mixed->den << "}, ";
  }
  out << "\"key\": \"" << question.key << "\"";
  if (!question.steps.empty()) {
    WriteJsonSteps(out, question.steps);
  }
  out << "}";
}

void WriteJsonOptions(std::ostream& out, const ExerciseOptions& options) {
  const LevelPreset* level = FindLevelPreset(options.level);
  out << "\"options\": {\"level\": "
      << (level ? "\"" + std::string(level->command_word) + "\"" : std::string("null"))
      << ", \"denominators\": \"" << DenominatorRuleWord(options.denominators)
      << "\", \"negatives\": " << JsonBool(options.negatives)
      << ", \"mixed\": " << JsonBool(options.mixed) << ", \"division_sign\": \""
      << Utf8(std::string(DivisionSignText(options.division_sign)))
      << "\", \"least_common_denominator\": " << JsonBool(options.least_common_denominator)
      << ", \"large_print\": " << JsonBool(options.large_print) << "}, ";
}

void WriteJsonQuestions(std::ostream& out, const GeneratedWorksheet& worksheet,
                        std::string_view indent) {
  out << "[";
  const std::vector<QuestionListing> questions = ListQuestions(worksheet.documents.questions);
  for (size_t p = 0; p < questions.size(); ++p) {
    out << (p == 0 ? "\n" : ",\n") << indent;
    WriteQuestionObject(out, questions[p]);
  }
  out << "\n" << indent.substr(2) << "]";
}

}  // namespace

void WriteJson(std::ostream& out, const GeneratedWorksheet& worksheet, bool with_options,
               const std::vector<GeneratedWorksheet>& variants) {
  out << "{\"name\": \"" << worksheet.documents.name << "\", \"type\": \""
      << Describe(worksheet.type).command_word << "\", \"max\": " << worksheet.settings.largest_term
      << ", \"count\": " << worksheet.settings.count << ", \"seed\": " << worksheet.seed << ", ";
  if (with_options) {
    WriteJsonOptions(out, OptionsOf(worksheet.documents.questions));
  }
  out << "\"questions\": ";
  WriteJsonQuestions(out, worksheet, "  ");
  if (!variants.empty()) {
    out << ", \"variants\": [";
    for (size_t v = 0; v < variants.size(); ++v) {
      out << (v == 0 ? "\n" : ",\n") << "  {\"name\": \"" << variants[v].documents.name
          << "\", \"seed\": " << variants[v].seed << ", \"questions\": ";
      WriteJsonQuestions(out, variants[v], "    ");
      out << "}";
    }
    out << "\n]";
  }
  out << "}\n";
}

void WriteText(std::ostream& out, const GeneratedWorksheet& worksheet) {
  out << worksheet.documents.name << " (graine " << worksheet.seed << ")\n";
  const std::vector<QuestionListing> questions = ListQuestions(worksheet.documents.questions);
  for (size_t p = 0; p < questions.size(); ++p) {
    out << p + 1 << ") " << Utf8(questions[p].text) << "\n";
  }
}

}  // namespace fractions
