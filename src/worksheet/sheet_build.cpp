#include "sheet_build.h"

#include <algorithm>

#include "document_name.h"

namespace fractions {

void CheckSheet(const Sheet& sheet) {
  if (sheet.empty()) {
    throw SheetTooLarge("une feuille a au moins un exercice");
  }
  if (sheet.size() > kMaxExercises) {
    throw SheetTooLarge("une feuille a au plus " + std::to_string(kMaxExercises) +
                        " exercices, et non " + std::to_string(sheet.size()));
  }
  int questions = 0;
  for (const Exercise& exercise : sheet) {
    CheckWorksheetSettings(exercise.settings);
    questions += std::max(exercise.settings.count, 0);
  }
  if (questions > kMaxSheetQuestions) {
    throw SheetTooLarge("une feuille a au plus " + std::to_string(kMaxSheetQuestions) +
                        " questions en tout, et non " + std::to_string(questions));
  }
}

DrawnSheet DrawSheet(const Sheet& sheet, RandomSource& random, QuestionTable& table) {
  CheckSheet(sheet);
  DrawnSheet drawn;
  drawn.name = MakeDocumentName(sheet.front().type, random);
  for (const Exercise& exercise : sheet) {
    drawn.exercises.push_back(DrawExercise(exercise, random, table));
  }
  return drawn;
}

QuestionSet DrawExercise(const Exercise& exercise, RandomSource& random, QuestionTable& table) {
  CheckWorksheetSettings(exercise.settings);
  DrawingContext context{random, table};
  return RunDrawingPhase(exercise.type, exercise.settings.largest_term, exercise.settings.count,
                         context, exercise.settings.options);
}

SheetDocuments ComposeSheet(DrawnSheet drawn, const Sheet& sheet, LineImages& images,
                            std::optional<SetMark> mark) {
  CheckSheet(sheet);
  if (drawn.exercises.size() != sheet.size()) {
    throw std::invalid_argument("one set of questions per exercise");
  }
  std::vector<ExerciseContent> exercises;
  for (size_t k = 0; k < sheet.size(); ++k) {
    exercises.push_back({drawn.exercises[k], sheet[k].settings});
  }
  SheetDocuments documents;
  DocumentPair built =
      ComposeDocuments(drawn.name, mark, exercises, images, &documents.first_instruction);
  documents.name = std::move(drawn.name);
  documents.subject = std::move(built.subject);
  documents.answer_key = std::move(built.answer_key);
  documents.exercises = std::move(drawn.exercises);
  return documents;
}

SheetDocuments BuildSheet(const Sheet& sheet, WorksheetTools& tools, std::optional<SetMark> mark) {
  return ComposeSheet(DrawSheet(sheet, tools.random, tools.table), sheet, tools.images, mark);
}

SheetDocuments BuildSeededSheet(const Sheet& sheet, uint32_t seed, std::optional<SetMark> mark) {
  LcgRandom random(seed);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  return BuildSheet(sheet, tools, mark);
}

std::string SheetNumbers(const std::vector<QuestionSet>& exercises) {
  std::string numbers;
  for (const QuestionSet& questions : exercises) {
    numbers += QuestionNumbers(questions) + "|";
  }
  return numbers;
}

}  // namespace fractions
