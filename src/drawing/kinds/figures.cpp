#include "figures.h"

#include <algorithm>
#include <bit>
#include <initializer_list>
#include <numeric>
#include <optional>
#include <string>
#include <utility>

#include "level_rules.h"
#include "step_parts.h"

namespace fractions {

namespace {

// The figures a class cuts the unit into: the part counts of a strip, the
// rows and columns of a grid (2 columns at least), the sectors of a disc.
struct FigureRow {
  uint32_t strips;  // bit n: a strip of n parts
  int32_t least_grid_rows, grid_rows, grid_columns;
  uint32_t discs;  // bit n: a disc of n sectors
};

constexpr uint32_t PartCounts(int32_t from, int32_t to) {
  uint32_t counts = 0;
  for (int32_t n = from; n <= to; ++n) {
    counts |= uint32_t{1} << n;
  }
  return counts;
}

constexpr uint32_t PartCounts(std::initializer_list<int32_t> each) {
  uint32_t counts = 0;
  for (const int32_t n : each) {
    counts |= uint32_t{1} << n;
  }
  return counts;
}

// CM2 cuts the unit into halves to tenths, never sevenths or ninths, in
// figures of few parts; 6e meets twelfths on strips and discs; from 5e the
// strips and grids grow finer each year, while a disc stays at twelve
// sectors, the most a printed disc shows clearly. "Libre" draws every size.
constexpr std::array<FigureRow, 6> kFigureRows = {{
    {PartCounts(2, FigureKind::kLargestStrip), 2, FigureKind::kLargestGridRows,
     FigureKind::kLargestGridColumns, PartCounts(2, FigureKind::kLargestDisc)},     // Libre
    {PartCounts({2, 3, 4, 5, 6, 8, 10}), 2, 2, 5, PartCounts({2, 3, 4, 5, 6, 8})},  // CM2
    {PartCounts(2, 12), 2, 3, 4, PartCounts(2, 12)},                                // 6e
    {PartCounts(2, 16), 2, 4, 4, PartCounts(2, 12)},                                // 5e
    {PartCounts(2, 20), 2, 4, 5, PartCounts(2, 12)},                                // 4e
    {PartCounts(2, 24), 2, 4, 6, PartCounts(2, 12)},                                // 3e
}};

const FigureRow& RowOf(Level level) {
  return kFigureRows.at(static_cast<size_t>(level));
}

// One of the part counts in `counts`, each as likely.
int32_t DrawPartCount(uint32_t counts, RandomSource& random) {
  int32_t skip = random.Random(std::popcount(counts));
  for (int32_t n = 0;; ++n) {
    if (((counts >> n) & 1U) != 0 && skip-- == 0) {
      return n;
    }
  }
}

// The first `n` parts in reading order (n at most 24).
uint32_t FirstMask(int32_t n) {
  return (uint32_t{1} << n) - 1;
}

// `n` parts of a figure of `parts` (0 < n < parts), as kRead hatches them:
// a run of consecutive parts or any parts, one question in two each.
uint32_t ReadingMask(FigureShape shape, int32_t parts, int32_t n, RandomSource& random) {
  uint32_t mask = 0;
  if (random.Random(2) == 0) {
    // Around a disc the run may start at any sector and pass the top; a
    // strip's or a grid's stays inside the figure.
    const bool around = shape == FigureShape::kDisc;
    const int32_t start = random.Random(around ? parts : parts - n + 1);
    for (int32_t i = 0; i < n; ++i) {
      mask |= uint32_t{1} << ((start + i) % parts);
    }
    return mask;
  }
  std::array<int32_t, FigureKind::kLargestStrip> order{};
  std::iota(order.begin(), order.begin() + parts, 0);
  for (int32_t i = 0; i < n; ++i) {  // the first n of a random order
    std::swap(order[static_cast<size_t>(i)],
              order[static_cast<size_t>(i + random.Random(parts - i))]);
    mask |= uint32_t{1} << order[static_cast<size_t>(i)];
  }
  return mask;
}

// One attempt at a question of `shape`, before the check for repeats: a
// size and a fraction, nothing when they do not fit the settings.
std::optional<FigureQuestion> Attempt(FigureForm form, FigureShape shape, const FigureRow& row,
                                      int32_t largest_denominator, bool mixed,
                                      DrawingContext& context) {
  RandomSource& random = context.random;
  FigureQuestion q{};
  q.shape = shape;
  switch (q.shape) {
    case FigureShape::kStrip:
      q.rows = 1;
      q.columns = DrawPartCount(row.strips, random);
      break;
    case FigureShape::kGrid:
      q.rows = random.Random(row.grid_rows - row.least_grid_rows + 1) + row.least_grid_rows;
      q.columns = random.Random(row.grid_columns - 1) + 2;
      break;
    case FigureShape::kDisc:
      q.rows = 1;
      q.columns = DrawPartCount(row.discs, random);
      break;
  }
  q.figures = 1;
  if (mixed && random.Random(2) == 1) {
    q.figures = random.Random(FigureKind::kMostFigures - 1) + 2;
  }
  const int32_t parts = q.PartCount();
  const int32_t wholes = q.figures - 1;

  // The hatched parts of the last figure.
  int32_t last = 0;
  if (form == FigureForm::kRead) {
    last = random.Random(parts - 1) + 1;
    if (parts / context.gcd3(last, parts, parts) > largest_denominator) {
      return std::nullopt;
    }
    q.num = wholes * parts + last;
    q.den = parts;
  } else {
    const int32_t den = random.Random(largest_denominator - 1) + 2;
    const int32_t rest = random.Random(den - 1) + 1;
    if (parts % den != 0 || context.gcd3(rest, den, den) != 1) {
      return std::nullopt;
    }
    q.num = wholes * den + rest;
    q.den = den;
    last = rest * (parts / den);
  }

  for (int32_t f = 0; f < wholes; ++f) {
    q.hatched[static_cast<size_t>(f)] = FirstMask(parts);
  }
  q.hatched[static_cast<size_t>(wholes)] =
      form == FigureForm::kRead ? ReadingMask(q.shape, parts, last, random) : FirstMask(last);
  return q;
}

// "6 parts sur 8", "1 part sur 3"
std::string HatchText(int32_t hatched, int32_t parts) {
  return std::to_string(hatched) + (hatched == 1 ? " part sur " : " parts sur ") +
         std::to_string(parts);
}

}  // namespace

int32_t FigureQuestion::Shaded() const {
  int32_t shaded = 0;
  for (const uint32_t mask : hatched) {
    shaded += std::popcount(mask);
  }
  return shaded;
}

std::vector<FigureQuestion> FigureKind::Draw(int32_t largest_term, int32_t count,
                                             DrawingContext& context,
                                             const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  const int32_t largest_denominator = std::min(largest_term, kLargestDenominator);
  const bool mixed = OptionsUsed(options, kOptionUse).mixed;
  const FigureRow& row = RowOf(options.level);
  // Halves fit nearly every figure, so left to chance they would fill a
  // quarter of a sheet to shade.
  SheetShare halves(count, kOneHalfIn);

  std::vector<FigureQuestion> questions;
  try {
    for (int position = 0; position < count; ++position) {
      // The shape is kept until a size and a fraction fit it, so that each
      // shape is as likely whatever the share of its sizes the settings
      // allow; a question already drawn starts again from the shape.
      std::optional<FigureShape> shape;
      for (AttemptBudget budget(position, count);; budget.Spend()) {
        if (!shape) {
          shape = static_cast<FigureShape>(context.random.Random(3));
        }
        const std::optional<FigureQuestion> q =
            Attempt(form, *shape, row, largest_denominator, mixed, context);
        if (!q || !halves.Allows(AsksHalf(*q))) {
          continue;
        }
        shape.reset();
        if (context.table.StoreIfNew(position, RepeatKey(*q))) {
          halves.Add(AsksHalf(*q));
          questions.push_back(*q);
          break;
        }
      }
    }
  } catch (const TooFewQuestions&) {
    if (form != FigureForm::kShade) {
      throw;
    }
    throw TooFewQuestions(halves.Available(static_cast<int32_t>(questions.size())), count);
  }
  return questions;
}

bool FigureKind::AsksHalf(const FigureQuestion& q) const {
  return form == FigureForm::kShade && q.den == 2;
}

std::array<int32_t, 9> FigureKind::KeyNumbers(const FigureQuestion& q) const {
  return {static_cast<int32_t>(q.shape),
          q.rows,
          q.columns,
          q.figures,
          q.num,
          q.den,
          static_cast<int32_t>(q.hatched[0]),
          static_cast<int32_t>(q.hatched[1]),
          static_cast<int32_t>(q.hatched[2])};
}

std::string FigureKind::RepeatKey(const FigureQuestion& q) const {
  // Where the parts lie is left out: the same figure with as many parts
  // hatched elsewhere is the same count for a pupil.
  const std::array<int32_t, 6> numbers{
      static_cast<int32_t>(q.shape), q.rows, q.columns, q.figures, q.num, q.den};
  return SeparatedKey(numbers);
}

QuestionFields FigureKind::Fields(const FigureQuestion& q, const ExerciseOptions& options) const {
  const int32_t g = std::gcd(q.num, q.den);
  static constexpr const char* kShapeWords[] = {"strip", "grid", "disc"};
  return {{{"rows", q.rows},
           {"columns", q.columns},
           {"parts", q.PartCount()},
           {"figures", q.figures},
           {"shaded", q.Shaded()},
           {"num", q.num},
           {"den", q.den}},
          MixedForm(options, q.num / g, q.den / g),
          {{"shape", kShapeWords[static_cast<size_t>(q.shape)]}},
          {}};
}

std::string FigureKind::Text(const FigureQuestion& q, const ExerciseOptions& options) const {
  return Answer(q, options);
}

std::string FigureKind::Answer(const FigureQuestion& q, const ExerciseOptions& options) const {
  const int32_t g = std::gcd(q.num, q.den);
  if (form == FigureForm::kRead) {
    const std::string reduced = ResultText(options, q.num / g, q.den / g);
    return g > 1 ? FractionText(q.num, q.den) + " = " + reduced : reduced;
  }
  const int32_t parts = q.PartCount();
  const int32_t wholes = q.figures - 1;
  const int32_t last = q.Shaded() - wholes * parts;
  std::string text = FractionText(q.num, q.den) + " : ";
  if (wholes > 0) {
    text += std::to_string(wholes) + (wholes == 1 ? " figure enti\xE8re" : " figures enti\xE8res");
    text += " et ";
  }
  return text + HatchText(last, parts);
}

WorkedSteps FigureKind::Steps(const FigureQuestion& q, const ExerciseOptions& options) const {
  StepChain chain{Single(FractionStep(q.num, q.den))};
  if (form == FigureForm::kRead) {
    AppendResult(chain, q.num, q.den, options);
    return {chain};
  }
  // From the fraction asked to the parts of the figures: the whole figures
  // first, then the last figure's parts.
  const int32_t k = q.PartCount() / q.den;
  const int32_t wholes = q.num / q.den;
  const int32_t rest = q.num % q.den;
  const auto with_wholes = [wholes](StepOperand fraction) {
    return wholes > 0 ? Binary(FractionStep(wholes, 1), StepOperator::kPlus, std::move(fraction))
                      : Single(std::move(fraction));
  };
  if (wholes > 0) {
    chain.push_back(with_wholes(FractionStep(rest, q.den)));
  }
  if (k > 1) {
    chain.push_back(with_wholes(ExpandedStep(rest, q.den, k)));
    chain.push_back(with_wholes(FractionStep(rest * k, q.den * k)));
  }
  return {chain};
}

}  // namespace fractions
