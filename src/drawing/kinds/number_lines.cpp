#include "number_lines.h"

#include <algorithm>
#include <initializer_list>
#include <numeric>
#include <optional>
#include <utility>

#include "step_parts.h"

namespace fractions {

namespace {

// The lines a class is set, indexed by Level: the parts its unit is cut
// into (bit n for n parts) and whether the line runs through 0 to
// negative abscissas.
struct LevelLines {
  uint32_t parts;
  bool relative;
};

constexpr uint32_t PartsOf(std::initializer_list<int32_t> parts) {
  uint32_t mask = 0;
  for (const int32_t n : parts) {
    mask |= 1u << n;
  }
  return mask;
}

constexpr uint32_t kAllParts = PartsOf({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});

constexpr std::array<LevelLines, 6> kLevelLines{{
    // Libre: a half-line from 0, its unit in 2 to 12 parts.
    {kAllParts, false},
    // CM2: halves, thirds, quarters, fifths and tenths of a half-line.
    {PartsOf({2, 3, 4, 5, 10}), false},
    // 6e: a half-line, also in sixths, eighths and twelfths, the
    // textbooks' other usual units.
    {PartsOf({2, 3, 4, 5, 6, 8, 10, 12}), false},
    // 5e: a half-line, any unit 2 to 12.
    {kAllParts, false},
    // 4e: relative numbers, a line through 0 in the usual parts.
    {PartsOf({2, 3, 4, 5, 6, 8, 10}), true},
    // 3e: a line through 0, any unit 2 to 12.
    {kAllParts, true},
}};

struct Line {
  int32_t parts, negative_units, units;
};

// The lines a question may stand on at a level: those whose three points
// find three different ticks (a half-line of one unit in halves has two
// beyond 0), through 0 those of no more than kLargestTicks.
std::vector<Line> Lines(const LevelLines& row, int32_t largest_unit_parts) {
  std::vector<Line> lines;
  for (int32_t parts = 2; parts <= largest_unit_parts; ++parts) {
    if ((row.parts & (1u << parts)) == 0) {
      continue;
    }
    if (!row.relative) {
      for (int32_t units = 1; units <= NumberLineKind::kLargestUnits; ++units) {
        if (parts * units >= 3) {
          lines.push_back({parts, 0, units});
        }
      }
      continue;
    }
    for (int32_t left = 1; left < NumberLineKind::kLargestRelativeUnits; ++left) {
      for (int32_t right = 1; left + right <= NumberLineKind::kLargestRelativeUnits; ++right) {
        if (parts * (left + right) <= NumberLineKind::kLargestTicks) {
          lines.push_back({parts, left, right});
        }
      }
    }
  }
  return lines;
}

// Three different ticks of a line of `ticks` ticks beyond its first, each
// ordered choice as likely, numbered 1 to ticks; drawn without rejecting
// a tick taken twice.
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
                                                     const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  RandomSource& random = context.random;
  const std::vector<Line> lines = Lines(kLevelLines.at(static_cast<size_t>(options.level)),
                                        std::min(largest_term, kLargestSubdivision));

  std::vector<NumberLineQuestion> questions;
  for (int position = 0; position < count; ++position) {
    // A line is kept until three ticks of it are drawn that are not all
    // whole numbers, and through 0 not all on one side of it: each line
    // stays as likely as the others, long or short.
    std::optional<Line> line;
    for (AttemptBudget budget(position, count);; budget.Spend()) {
      if (!line) {
        line = lines.at(static_cast<size_t>(random.Random(static_cast<int32_t>(lines.size()))));
      }
      const auto [parts, left, units] = *line;
      // The draw numbers the ticks but 0 from 1, left to right: k stands
      // for k - negative_ticks - 1 left of 0, for k - negative_ticks right.
      const int32_t negative_ticks = parts * left;
      std::array<int32_t, 3> ticks = DrawTicks(negative_ticks + parts * units, random);
      for (int32_t& tick : ticks) {
        tick += tick <= negative_ticks ? -negative_ticks - 1 : -negative_ticks;
      }
      const auto [a, b, c] = ticks;
      if (a % parts == 0 && b % parts == 0 && c % parts == 0) {
        continue;
      }
      if (left > 0 && (std::max({a, b, c}) < 0 || std::min({a, b, c}) > 0)) {
        continue;  // through 0, points on both sides of it
      }
      line.reset();
      const NumberLineQuestion question{
          parts, units, {PointAt(a, parts), PointAt(b, parts), PointAt(c, parts)}, left};
      if (!context.table.StoreIfNew(position, RepeatKey(question))) {
        continue;
      }
      questions.push_back(question);
      break;
    }
  }
  return questions;
}

std::array<int32_t, 6> NumberLineKind::KeyNumbers(const NumberLineQuestion& q) const {
  return {q.unit_parts,     -q.negative_units, q.units,
          q.points[0].tick, q.points[1].tick,  q.points[2].tick};
}

std::string NumberLineKind::RepeatKey(const NumberLineQuestion& q) const {
  // The same line and the same ticks under other letters ask the same.
  std::array<int32_t, 6> numbers = KeyNumbers(q);
  std::sort(numbers.begin() + 3, numbers.end());
  return SeparatedKey(numbers);
}

QuestionFields NumberLineKind::Fields(const NumberLineQuestion& q,
                                      const ExerciseOptions& /*options*/) const {
  QuestionFields fields{{{"unit_parts", q.unit_parts}, {"units", q.units}}, {}, {}, {}};
  if (q.negative_units > 0) {
    fields.numbers.emplace_back("negative_units", q.negative_units);
  }
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
