#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "drawing/drawing_phase.h"

namespace fractions {

// What the generator drew for one worksheet: its name, settings and
// questions with their keys, in question order.
struct DrawnWorksheet {
  std::string name;
  ExerciseType type = ExerciseType::kAddition;
  int32_t largest_term = 0;
  int32_t count = 0;
  uint32_t seed = 0;
  QuestionSet questions;
  std::vector<std::string> keys;
};

// Seeds a generator with `seed`, forms the document name, then runs the
// drawing phase: the draws a worksheet run makes, in the same order.
DrawnWorksheet DrawWorksheet(ExerciseType type, int32_t largest_term, int32_t count, uint32_t seed);

// One JSON object: name, type, max, count, seed and the questions.
void WriteJson(std::ostream& out, const DrawnWorksheet& worksheet);

// A readable listing, one numbered question per line with its answer.
void WriteText(std::ostream& out, const DrawnWorksheet& worksheet);

}  // namespace fractions
