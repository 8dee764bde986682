#include "generated_worksheet.h"

#include <utility>

#include "cli_options.h"
#include "drawing/exercise_catalogue.h"
#include "drawing/four_operations.h"
#include "worksheet/variant_set.h"

namespace fractions {

namespace {

using Fields = std::vector<std::pair<const char*, int32_t>>;

void WriteQuestionObject(std::ostream& out, const Fields& fields, const std::string& key) {
  out << "{";
  for (const auto& [name, value] : fields) {
    out << '"' << name << "\": " << value << ", ";
  }
  out << "\"key\": \"" << key << "\"}";
}

Fields JsonFields(const OperationQuestion& q) {
  return {{"a", q.a}, {"b", q.b}, {"c", q.c}, {"d", q.d}, {"num", q.num}, {"den", q.den}};
}
Fields JsonFields(const PowerQuestion& q) {
  return {{"a", q.a},          {"b", q.b},   {"form", static_cast<int32_t>(q.form)},
          {"exp", q.exponent}, {"num", q.p}, {"den", q.q}};
}
Fields JsonFields(const SimplificationQuestion& q) {
  return {{"a", q.a}, {"b", q.b}, {"num", q.p}, {"den", q.q}};
}
Fields JsonFields(const CommonDenominatorQuestion& q) {
  return {{"a", q.a},   {"b", q.b},   {"c", q.c},   {"d", q.d},
          {"p1", q.p1}, {"q1", q.q1}, {"p2", q.p2}, {"q2", q.q2}};
}

// A fraction as the answer key draws it: a whole number when its
// denominator is 1.
std::string Fraction(int32_t num, int32_t den) {
  return den == 1 ? std::to_string(num) : std::to_string(num) + "/" + std::to_string(den);
}

std::string QuestionText(ExerciseType type, const OperationQuestion& q) {
  return Fraction(q.a, q.b) + std::string(OperatorText(type)) + Fraction(q.c, q.d) + " = " +
         Fraction(q.num, q.den);
}
std::string QuestionText(ExerciseType, const PowerQuestion& q) {
  const std::string a = std::to_string(q.a);
  const std::string b = std::to_string(q.b);
  const std::string n = std::to_string(q.exponent);
  std::string power;
  switch (q.form) {
    case PowerForm::kWholeFraction:
      power = "(" + a + "/" + b + ")^" + n;
      break;
    case PowerForm::kNumeratorOnly:
      power = a + "^" + n + "/" + b;
      break;
    case PowerForm::kDenominatorOnly:
      power = a + "/" + b + "^" + n;
      break;
  }
  return power + " = " + Fraction(q.p, q.q);
}
std::string QuestionText(ExerciseType, const SimplificationQuestion& q) {
  return Fraction(q.a, q.b) + " = " + Fraction(q.p, q.q);
}
std::string QuestionText(ExerciseType, const CommonDenominatorQuestion& q) {
  return Fraction(q.a, q.b) + " = " + Fraction(q.p1, q.q1) + " et " + Fraction(q.c, q.d) + " = " +
         Fraction(q.p2, q.q2);
}

}  // namespace

GeneratedWorksheet GenerateWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                     uint32_t seed, std::optional<SetMark> mark) {
  LcgRandom random(seed);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  GeneratedWorksheet worksheet{
      type, settings, seed, BuildWorksheet(type, settings, tools, mark), {}};
  for (size_t p = 0; p < QuestionCount(worksheet.documents.questions); ++p) {
    worksheet.keys.push_back(table.Slot(static_cast<int>(p)));
  }
  return worksheet;
}

std::vector<GeneratedWorksheet> GenerateVariants(ExerciseType type,
                                                 const WorksheetSettings& settings, uint32_t seed,
                                                 int count) {
  std::vector<GeneratedWorksheet> variants;
  const std::vector<uint32_t> seeds = PlanVariantSeeds(type, settings, seed, count);
  for (size_t i = 0; i < seeds.size(); ++i) {
    variants.push_back(
        GenerateWorksheet(type, settings, seeds[i], SetMark{static_cast<int>(i) + 1, count}));
  }
  return variants;
}

namespace {

void WriteJsonQuestions(std::ostream& out, const GeneratedWorksheet& worksheet,
                        std::string_view indent) {
  out << "[";
  std::visit(
      [&](const auto& questions) {
        for (size_t p = 0; p < questions.size(); ++p) {
          out << (p == 0 ? "\n" : ",\n") << indent;
          WriteQuestionObject(out, JsonFields(questions[p]), worksheet.keys[p]);
        }
      },
      worksheet.documents.questions);
  out << "\n" << indent.substr(2) << "]";
}

}  // namespace

void WriteJson(std::ostream& out, const GeneratedWorksheet& worksheet,
               const std::vector<GeneratedWorksheet>& variants) {
  out << "{\"name\": \"" << worksheet.documents.name << "\", \"type\": \""
      << Describe(worksheet.type).command_word << "\", \"max\": " << worksheet.settings.largest_term
      << ", \"count\": " << worksheet.settings.count << ", \"seed\": " << worksheet.seed
      << ", \"questions\": ";
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
  std::visit(
      [&](const auto& questions) {
        for (size_t p = 0; p < questions.size(); ++p) {
          out << p + 1 << ") " << QuestionText(worksheet.type, questions[p]) << "\n";
        }
      },
      worksheet.documents.questions);
}

}  // namespace fractions
