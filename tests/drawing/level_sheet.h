#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"

// What the tests of the kinds share: a sheet drawn as a class's teacher
// asks for it, and an expression as the board writes it.
namespace fractions::testing {

// A sheet of `count` questions of `kind` from `seed` at `level`'s own
// largest term and options, those the kind reads; at "Libre", at
// `free_term` with `free`.
template <typename Kind>
std::vector<typename Kind::Question> LevelSheet(const Kind& kind, Level level, int count,
                                                uint32_t seed, int32_t free_term = 100,
                                                const ExerciseOptions& free = {}) {
  const LevelPreset* preset = FindLevelPreset(level);
  LcgRandom random(seed);
  QuestionTable table;
  DrawingContext context{random, table};
  return kind.Draw(preset != nullptr ? preset->largest_term : free_term, count, context,
                   OptionsUsed(preset != nullptr ? preset->options : free, Kind::kOptionUse));
}

// The whole numbers from `first` to `last`.
inline std::set<int32_t> Range(int32_t first, int32_t last) {
  std::set<int32_t> range;
  for (int32_t n = first; n <= last; ++n)
    range.insert(n);
  return range;
}

// "CM2", "6e", or "Libre".
inline std::string LevelName(Level level) {
  const LevelPreset* preset = FindLevelPreset(level);
  return preset != nullptr ? std::string(preset->name) : "Libre";
}

// An expression of order as the board writes it: its words, then every
// operand in ASCII and every operator, a reason before "donc" included
// (the ASCII of an expression keeps only what follows it).
inline std::string Board(const StepExpression& expression) {
  static const std::map<StepOperator, std::string> kWritten = {{StepOperator::kLess, " < "},
                                                               {StepOperator::kGreater, " > "},
                                                               {StepOperator::kEqual, " = "},
                                                               {StepOperator::kHence, " donc "},
                                                               {StepOperator::kAnd, " et "}};
  std::string text = expression.words;
  for (size_t i = 0; i < expression.operands.size(); ++i)
    text += (i == 0 ? "" : kWritten.at(expression.operators[i - 1])) +
            AsciiExpression(Single(expression.operands[i]));
  return text;
}

// A worked key as the board writes it: a row per chain, " = " between.
inline std::vector<std::string> BoardRows(const WorkedSteps& steps) {
  std::vector<std::string> rows;
  for (const StepChain& chain : steps) {
    std::string joined;
    for (const StepExpression& step : chain)
      joined += (joined.empty() ? "" : " = ") + Board(step);
    rows.push_back(joined);
  }
  return rows;
}

}  // namespace fractions::testing
