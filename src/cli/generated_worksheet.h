#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "worksheet/worksheet_build.h"

namespace fractions {

// One worksheet as the generator made it: what was asked, the documents and
// questions, and the questions' keys in question order.
struct GeneratedWorksheet {
  ExerciseType type = ExerciseType::kAddition;
  WorksheetSettings settings;
  uint32_t seed = 0;
  WorksheetDocuments documents;
  std::vector<std::string> keys;
};

// Seeds a generator with `seed` and builds the worksheet as an exercise
// button does: the document name takes the first two draws, the questions
// the next ones. Needs a QGuiApplication.
GeneratedWorksheet GenerateWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                     uint32_t seed);

// One JSON object: name, type, max, count, seed and the questions.
void WriteJson(std::ostream& out, const GeneratedWorksheet& worksheet);

// A readable listing: the name, then one numbered question per line with
// its answer.
void WriteText(std::ostream& out, const GeneratedWorksheet& worksheet);

}  // namespace fractions
