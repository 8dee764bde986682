#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "worksheet/worksheet_build.h"

namespace fractions {

// One worksheet as the generator made it: what was asked and the
// documents with their questions.
struct GeneratedWorksheet {
  ExerciseType type{};
  WorksheetSettings settings;
  uint32_t seed = 0;
  WorksheetDocuments documents;
};

// Seeds a generator with `seed` and builds the worksheet as an exercise
// button does: the document name takes the first two draws, the questions
// the next ones. Needs a QGuiApplication.
GeneratedWorksheet GenerateWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                     uint32_t seed);

// A class set of `count` different worksheets, the first drawn from `seed`
// and each next one from the next seed that gives a new worksheet (see
// BuildClassSet), marked "Sujet k/count" and "Corrigé k/count".
std::vector<GeneratedWorksheet> GenerateVariants(ExerciseType type,
                                                 const WorksheetSettings& settings, uint32_t seed,
                                                 int count);

// One JSON object: name, type, max, count, seed, the options the
// worksheet was drawn with when `with_options`, and the questions; with a
// set, also "variants": name, seed and questions of each worksheet of it.
void WriteJson(std::ostream& out, const GeneratedWorksheet& worksheet, bool with_options,
               const std::vector<GeneratedWorksheet>& variants = {});

// A readable listing: the name, then one numbered question per line with
// its answer.
void WriteText(std::ostream& out, const GeneratedWorksheet& worksheet);

}  // namespace fractions
