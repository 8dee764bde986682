#include "number_lines.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>

#include "step_parts.h"

namespace fractions {

namespace {

// The lines a question may stand on, (unit_parts, units): those with at
// least three ticks beyond 0, so that three points find different ones
// (a line of one unit in halves has two).
std::vector<std::pair<int32_t, int32_t>> Lines(int32_t largest_unit_parts) {
  std::vector<std::pair<int32_t, int32_t>> lines;
  for (int32_t parts = 2; parts <= largest_unit_parts; ++parts) {
    for (int32_t units = 1; units <= NumberLineKind::kLargestUnits; ++units) {
      if (parts * units >= 3) {
        lines.emplace_back(parts, units);
      }
    }
  }
  return lines;
}

// Three different ticks of a line of `ticks` ticks beyond 0, each ordered
// choice as likely; drawn without rejecting a tick taken twice.
std::array<int32_t, 3> DrawTicks(int32_t ticks, RandomSource& random) {
  const int32_t a = random.Random(ticks) + 1;
  int32_t b = random.Random(ticks - 1) + 1;
  b += b >= a ? 1 : 0;
  int32_t c = random.Random(ticks - 2) + 1;
  c += c >= std::min(a, b) ? 1 : 0;
  c += c >= std::max(a, b) ? 1 : 0;
  return {a, b, c};
}

NumberLinePoint PointAt(int32_t tick, int32_t unit_parts) {
  const int32_t g = std::gcd(tick, unit_parts);
  return {tick, tick / g, unit_parts / g};
}

}  // namespace

std::vector<NumberLineQuestion> NumberLineKind::Draw(int32_t largest_term, int32_t count,
                                                     DrawingContext& context,
                                                     const ExerciseOptions& /*options*/) const {
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  RandomSource& random = context.random;
  const std::vector<std::pair<int32_t, int32_t>> lines =
      Lines(std::min(largest_term, kLargestSubdivision));

  std::vector<NumberLineQuestion> questions;
  for (int position = 0; position < count; ++position) {
    // A line is kept until three ticks of it are drawn that are not all
    // whole numbers: each line stays as likely as the others, long or short.
    std::optional<std::pair<int32_t, int32_t>> line;
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      if (!line) {
        line = lines.at(static_cast<size_t>(random.Random(static_cast<int32_t>(lines.size()))));
      }
      const auto [parts, units] = *line;
      const auto [a, b, c] = DrawTicks(parts * units, random);
      if (a % parts == 0 && b % parts == 0 && c % parts == 0) {
        continue;
      }
      line.reset();
      const NumberLineQuestion question{
          parts, units, {PointAt(a, parts), PointAt(b, parts), PointAt(c, parts)}};
      if (!context.table.StoreIfNew(position, RepeatKey(question))) {
        continue;
      }
      questions.push_back(question);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 5> NumberLineKind::KeyNumbers(const NumberLineQuestion& q) const {
  return {q.unit_parts, q.units, q.points[0].tick, q.points[1].tick, q.points[2].tick};
}

std::string NumberLineKind::RepeatKey(const NumberLineQuestion& q) const {
  return SeparatedKey(KeyNumbers(q));
}

QuestionFields NumberLineKind::Fields(const NumberLineQuestion& q,
                                      const ExerciseOptions& /*options*/) const {
  QuestionFields fields{{{"unit_parts", q.unit_parts}, {"units", q.units}}, {}, {}, {}};
  char name = 'A';
  for (const NumberLinePoint& point : q.points) {
    fields.points.push_back({name++, point.num, point.den});
  }
  return fields;
}

std::string NumberLineKind::Text(const NumberLineQuestion& q,
                                 const ExerciseOptions& options) const {
  return Answer(q, options);
}

std::string NumberLineKind::Answer(const NumberLineQuestion& q,
                                   const ExerciseOptions& /*options*/) const {
  std::string text;
  char letter = 'A';
  for (const NumberLinePoint& point : q.points) {
    text += text.empty() ? "" : " ; ";
    text += letter++;
    text += "(" + FractionText(point.num, point.den) + ")";
  }
  return text;
}

WorkedSteps NumberLineKind::Steps(const NumberLineQuestion& q,
                                  const ExerciseOptions& /*options*/) const {
  WorkedSteps steps;
  for (const NumberLinePoint& point : q.points) {
    StepChain chain{Single(FractionStep(point.tick, q.unit_parts))};
    // No mixed form: the line reads the abscissa as one fraction.
    AppendResult(chain, point.tick, q.unit_parts, ExerciseOptions{});
    if (form == NumberLineForm::kPlace) {
      // A pupil placing 3/2 goes the other way, to the ticks: 3/2 = 6/4.
      std::reverse(chain.begin(), chain.end());
    }
    steps.push_back(std::move(chain));
  }
  return steps;
}

}  // namespace fractions
