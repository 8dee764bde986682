#include "worksheet_build.h"

#include <stdexcept>

#include "document_name.h"
#include "document_parts.h"

namespace fractions {

namespace {

void CheckSpacing(int32_t spacing) {
  if (spacing < kSpacingRange.min || spacing > kSpacingRange.max) {
    throw std::out_of_range("spacing " + std::to_string(spacing) + " outside " +
                            std::to_string(kSpacingRange.min) + ".." +
                            std::to_string(kSpacingRange.max));
  }
}

}  // namespace

std::string WorksheetSettings::DefaultTitle() {
  return "Nom :" + std::string(23, ' ') + "Pr\xE9nom :" + std::string(29, ' ') + "Classe :";
}

std::string WorksheetSettings::DefaultInstruction() {
  return "Calculer (r\xE9ponse irr\xE9"
         "ductible)";
}

std::string WorksheetSettings::DefaultSeparator() {
  return std::string(123, '-');
}

void CheckWorksheetSettings(const WorksheetSettings& settings) {
  CheckDrawingSettings(settings.largest_term, settings.count);
  CheckSpacing(settings.spacing);
}

DrawnWorksheet DrawWorksheet(ExerciseType type, const WorksheetSettings& settings,
                             RandomSource& random, QuestionTable& table) {
  CheckWorksheetSettings(settings);
  DrawnWorksheet drawn;
  drawn.name = MakeDocumentName(type, random);
  DrawingContext context{random, table};
  drawn.questions =
      RunDrawingPhase(type, settings.largest_term, settings.count, context, settings.options);
  return drawn;
}

WorksheetDocuments ComposeWorksheet(DrawnWorksheet drawn, const WorksheetSettings& settings,
                                    LineImages& images, std::optional<SetMark> mark) {
  CheckWorksheetSettings(settings);
  const ExerciseContent exercise[] = {{drawn.questions, settings}};
  DocumentPair documents = ComposeDocuments(drawn.name, mark, exercise, images);
  return {std::move(drawn.name), std::move(documents.subject), std::move(documents.answer_key),
          std::move(drawn.questions)};
}

WorksheetDocuments BuildWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                  WorksheetTools& tools, std::optional<SetMark> mark) {
  return ComposeWorksheet(DrawWorksheet(type, settings, tools.random, tools.table), settings,
                          tools.images, mark);
}

WorksheetDocuments BuildSeededWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                        uint32_t seed, std::optional<SetMark> mark) {
  LcgRandom random(seed);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  return BuildWorksheet(type, settings, tools, mark);
}

}  // namespace fractions
