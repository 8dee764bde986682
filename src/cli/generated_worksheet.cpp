#include "generated_worksheet.h"

#include <cstdio>
#include <utility>

#include "cli_options.h"
#include "drawing/exercise_catalogue.h"
#include "richtext/qt_text.h"
#include "worksheet/class_set.h"

namespace fractions {

GeneratedWorksheet GenerateWorksheet(const Sheet& sheet, uint32_t seed) {
  return {sheet, seed, BuildSeededSheet(sheet, seed)};
}

std::vector<GeneratedWorksheet> GenerateVariants(const Sheet& sheet, uint32_t seed, int count) {
  // Nothing stops the set, so it is always there.
  std::vector<SetWorksheet> set = BuildClassSet({sheet, seed, count, {}}).value();
  std::vector<GeneratedWorksheet> variants;
  for (SetWorksheet& worksheet : set) {
    variants.push_back({sheet, worksheet.seed, std::move(worksheet.documents)});
  }
  return variants;
}

namespace {

// The listing is UTF-8; the texts are Windows-1252 ("÷").
std::string Utf8(const std::string& cp1252) {
  return ToQString(cp1252).toStdString();
}

// A text as a JSON string: quotes, backslashes and control characters
// escaped, whatever was typed.
std::string JsonString(const std::string& utf8) {
  std::string json = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[7];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
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

}  // namespace

void WriteQuestionObject(std::ostream& out, const QuestionListing& question) {
  out << "{";
  for (const auto& [name, word] : question.fields.words) {
    out << '"' << name << "\": \"" << word << "\", ";
  }
  for (const auto& [name, value] : question.fields.numbers) {
    out << '"' << name << "\": " << value << ", ";
  }
  if (!question.fields.points.empty()) {
    out << "\"points\": [";
    for (const QuestionFields::Point& point : question.fields.points) {
      out << (&point == &question.fields.points.front() ? "" : ", ") << "{\"name\": \""
          << point.name << "\", \"num\": " << point.num << ", \"den\": " << point.den << "}";
    }
    out << "], ";
  }
  if (const std::optional<MixedNumber>& mixed = question.fields.mixed) {
    out << "\"mixed\": {\"whole\": " << mixed->whole << ", \"num\": " << mixed->num
        << ", \"den\": " << mixed->den << "}, ";
  }
  out << "\"key\": \"" << question.key << "\"";
  if (question.answer) {
    out << ", \"answer\": " << JsonString(Utf8(*question.answer));
  }
  if (!question.steps.empty()) {
    WriteJsonSteps(out, question.steps);
  }
  out << "}";
}

namespace {

void WriteJsonOptions(std::ostream& out, const ExerciseOptions& options) {
  const LevelPreset* level = FindLevelPreset(options.level);
  out << "\"options\": {\"level\": "
      << (level ? "\"" + std::string(level->command_word) + "\"" : std::string("null"))
      << ", \"denominators\": \"" << DenominatorRuleWord(options.denominators)
      << "\", \"negatives\": " << JsonBool(options.negatives)
      << ", \"mixed\": " << JsonBool(options.mixed) << ", \"division_sign\": \""
      << Utf8(std::string(DivisionSignText(options.division_sign)))
      << "\", \"least_common_denominator\": " << JsonBool(options.least_common_denominator)
      << ", \"large_print\": " << JsonBool(options.large_print)
      << ", \"worked\": " << JsonBool(options.worked) << "}, ";
}

// The questions, one per line under `indent`, the closing bracket two
// blanks less indented.
void WriteJsonQuestions(std::ostream& out, const QuestionSet& set, std::string_view indent) {
  out << "[";
  const std::vector<QuestionListing> questions = ListQuestions(set);
  for (size_t p = 0; p < questions.size(); ++p) {
    out << (p == 0 ? "\n" : ",\n") << indent;
    WriteQuestionObject(out, questions[p]);
  }
  out << "\n" << indent.substr(2) << "]";
}

// "exercises": every exercise of a sheet of several, one object per line
// under `indent`, its questions under it.
void WriteJsonExercises(std::ostream& out, const GeneratedWorksheet& worksheet,
                        const std::string& indent) {
  out << "\"exercises\": [";
  for (size_t k = 0; k < worksheet.sheet.size(); ++k) {
    const Exercise& exercise = worksheet.sheet[k];
    const QuestionSet& questions = worksheet.documents.exercises[k];
    out << (k == 0 ? "\n" : ",\n") << indent << "{\"type\": \""
        << Describe(exercise.type).command_word << "\", \"max\": " << exercise.settings.largest_term
        << ", \"count\": " << exercise.settings.count
        << ", \"instruction\": " << JsonString(Utf8(exercise.settings.instruction)) << ", ";
    WriteJsonOptions(out, OptionsOf(questions));
    out << "\"questions\": ";
    WriteJsonQuestions(out, questions, indent + "  ");
    out << "}";
  }
  out << "\n" << indent.substr(2) << "]";
}

// What follows the name and the seed of a worksheet.
void WriteJsonContent(std::ostream& out, const GeneratedWorksheet& worksheet,
                      const std::string& indent) {
  if (worksheet.sheet.size() > 1) {
    WriteJsonExercises(out, worksheet, indent);
    return;
  }
  out << "\"questions\": ";
  WriteJsonQuestions(out, worksheet.documents.exercises.front(), indent);
}

}  // namespace

void WriteJson(std::ostream& out, const GeneratedWorksheet& worksheet, bool with_options,
               const std::vector<GeneratedWorksheet>& variants) {
  out << "{\"name\": \"" << worksheet.documents.name << "\", ";
  if (worksheet.sheet.size() == 1) {
    const Exercise& exercise = worksheet.sheet.front();
    out << "\"type\": \"" << Describe(exercise.type).command_word
        << "\", \"max\": " << exercise.settings.largest_term
        << ", \"count\": " << exercise.settings.count << ", ";
  }
  out << "\"seed\": " << worksheet.seed << ", ";
  if (with_options && worksheet.sheet.size() == 1) {
    WriteJsonOptions(out, OptionsOf(worksheet.documents.exercises.front()));
  }
  WriteJsonContent(out, worksheet, "  ");
  if (!variants.empty()) {
    out << ", \"variants\": [";
    for (size_t v = 0; v < variants.size(); ++v) {
      out << (v == 0 ? "\n" : ",\n") << "  {\"name\": \"" << variants[v].documents.name
          << "\", \"seed\": " << variants[v].seed << ", ";
      WriteJsonContent(out, variants[v], "    ");
      out << "}";
    }
    out << "\n]";
  }
  out << "}\n";
}

void WriteText(std::ostream& out, const GeneratedWorksheet& worksheet) {
  out << worksheet.documents.name << " (graine " << worksheet.seed << ")\n";
  const bool with_headings = worksheet.documents.exercises.size() > 1;
  for (size_t k = 0; k < worksheet.documents.exercises.size(); ++k) {
    if (with_headings) {
      out << "Exercice " << k + 1 << "\n";
    }
    const std::vector<QuestionListing> questions = ListQuestions(worksheet.documents.exercises[k]);
    for (size_t p = 0; p < questions.size(); ++p) {
      out << p + 1 << ") " << Utf8(questions[p].text) << "\n";
    }
  }
}

}  // namespace fractions
