#include "priorities.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <span>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "four_operations.h"
#include "level_rules.h"
#include "step_parts.h"

namespace fractions {

namespace {

// No number of a result, nor any the worked key writes (a common
// denominator, an amplified numerator, a sum), is larger: the textbooks'
// chains stay within it ("16/24 + 15/24"), where "192/288 + 567/288" would
// be arithmetic, not priorities. Well within the 999 every kind keeps to.
constexpr int32_t kLargestNumber = 100;

constexpr PriorityForm kAllForms[] = {PriorityForm::kPlusTimes, PriorityForm::kTimesPlus,
                                      PriorityForm::kPlusDivided, PriorityForm::kGroupTimes,
                                      PriorityForm::kDividedByGroup};
constexpr PriorityForm kTrapForms[] = {PriorityForm::kPlusTimes, PriorityForm::kPlusDivided,
                                       PriorityForm::kDividedByGroup};
constexpr PriorityForm kNoGroupDivisorForms[] = {PriorityForm::kPlusTimes, PriorityForm::kTimesPlus,
                                                 PriorityForm::kPlusDivided,
                                                 PriorityForm::kGroupTimes};
constexpr PriorityForm kNoGroupDivisorTraps[] = {PriorityForm::kPlusTimes,
                                                 PriorityForm::kPlusDivided};
constexpr PriorityForm kProductForms[] = {PriorityForm::kPlusTimes, PriorityForm::kTimesPlus,
                                          PriorityForm::kGroupTimes};
constexpr PriorityForm kProductTraps[] = {PriorityForm::kPlusTimes};

// The whole number a fraction is multiplied by where a class multiplies by
// whole numbers only: 2 to this.
constexpr int32_t kLargestWholeFactor = 9;

// What a class is set in chains of two operations: the forms (and those
// of them starting with the operation computed second), sums alone or
// differences too, a product by a whole number or of two fractions, the
// largest term (the largest term asked caps it too), and how much of a
// sheet starts with the operation computed second: at least one question
// in `trap_share` of a sheet of `trap_from` or more.
struct PriorityRow {
  std::span<const PriorityForm> forms;
  std::span<const PriorityForm> traps;
  bool differences;
  bool whole_factor;
  int32_t largest_term;
  int32_t trap_share;
  int32_t trap_from;
};

// Indexed by Level. "Libre" draws every form of two fractions with terms
// up to 12. CM2 is not set priorities (the catalogue refuses it); it has
// 6e's row. 6e: a sum and a product by a whole number, "2/3 + 1/4 × 6",
// no division. 5e: the same with differences. 4e: products and quotients
// of two fractions, terms up to 10, but no quotient by a parenthesis,
// which is the brevet's. 3e: every form, terms up to 12, and at least half
// of a sheet starting with the operation computed second, the brevet's
// trap.
constexpr PriorityRow kRows[] = {
    {kAllForms, kTrapForms, true, false, PriorityKind::kLargestTerm, 3, 3},
    {kProductForms, kProductTraps, false, true, 12, 3, 3},
    {kProductForms, kProductTraps, false, true, 12, 3, 3},
    {kProductForms, kProductTraps, true, true, 12, 3, 3},
    {kNoGroupDivisorForms, kNoGroupDivisorTraps, true, false, 10, 3, 3},
    {kAllForms, kTrapForms, true, false, 12, 2, 2},
};

const PriorityRow& RowOf(Level level) {
  return kRows[static_cast<size_t>(level)];
}

// How a form is computed: its two operators as written, and which two
// fractions the operation computed first joins (the first two, or the
// last two), in parentheses or not.
struct Layout {
  StepOperator first;
  StepOperator second;
  bool pair_left;
  bool grouped;
};

Layout LayoutOf(const PriorityQuestion& q) {
  const StepOperator sum = q.subtract ? StepOperator::kMinus : StepOperator::kPlus;
  switch (q.form) {
    case PriorityForm::kPlusTimes:
      return {sum, StepOperator::kTimes, false, false};
    case PriorityForm::kTimesPlus:
      return {StepOperator::kTimes, sum, true, false};
    case PriorityForm::kPlusDivided:
      return {sum, StepOperator::kDivide, false, false};
    case PriorityForm::kGroupTimes:
      return {sum, StepOperator::kTimes, true, true};
    case PriorityForm::kDividedByGroup:
      return {StepOperator::kDivide, sum, false, true};
  }
  throw std::invalid_argument("not a form of priorities");
}

// A fraction num/den, den > 0, irreducible once made by Of. 64 bits: the
// drawing computes with terms of the question and results within 999.
struct Value {
  int64_t num;
  int64_t den;

  static Value Of(int64_t num, int64_t den) {
    const int64_t g = std::gcd(num, den) * (den < 0 ? -1 : 1);
    return {num / g, den / g};
  }
};

// x op y; y is not zero when op divides.
Value Apply(StepOperator op, Value x, Value y) {
  switch (op) {
    case StepOperator::kPlus:
      return Value::Of(x.num * y.den + y.num * x.den, x.den * y.den);
    case StepOperator::kMinus:
      return Value::Of(x.num * y.den - y.num * x.den, x.den * y.den);
    case StepOperator::kTimes:
      return Value::Of(x.num * y.num, x.den * y.den);
    case StepOperator::kDivide:
      return Value::Of(x.num * y.den, x.den * y.num);
    default:  // "de", signs and lists: no operation of a chain
      break;
  }
  throw std::invalid_argument("not an operation");
}

// A result the question may show or go through: not zero, positive
// without negative numbers, its terms within the largest number.
bool Acceptable(Value v, bool negatives) {
  return v.num != 0 && (negatives || v.num > 0) && std::abs(v.num) <= kLargestNumber &&
         v.den <= kLargestNumber;
}

// The operation as the four operations write its steps; returns the value
// its last step holds.
RawResult AppendOperationSteps(StepChain& chain, StepOperator op, int32_t x, int32_t y, int32_t u,
                               int32_t v) {
  switch (op) {
    case StepOperator::kPlus:
    case StepOperator::kMinus:
      return AppendSumSteps(chain, {x, y, u, v, 0, 0}, op == StepOperator::kMinus);
    case StepOperator::kTimes:
      return AppendProductSteps(chain, x, y, u, v);
    case StepOperator::kDivide:
      return AppendQuotientSteps(chain, x, y, u, v);
    default:
      break;
  }
  throw std::invalid_argument("not an operation");
}

// A step of the operation computed first, `part`, with the third fraction
// beside it as the question writes it: before it ("a/b ÷ ...") or after it
// ("... × e/f"); in parentheses when the question has them and the part
// is still more than one fraction.
StepExpression Beside(StepExpression part, const StepOperand& other, StepOperator op,
                      bool other_first, bool grouped) {
  if (grouped && part.operands.size() > 1) {
    part.operands.front().opens_group = true;
    part.operands.back().closes_group = true;
  }
  StepExpression whole;
  if (other_first) {
    whole.operands.push_back(other);
    whole.operators.push_back(op);
  }
  whole.operands.insert(whole.operands.end(), part.operands.begin(), part.operands.end());
  whole.operators.insert(whole.operators.end(), part.operators.begin(), part.operators.end());
  if (!other_first) {
    whole.operators.push_back(op);
    whole.operands.push_back(other);
  }
  return whole;
}

bool NumbersWithin(const StepChain& chain, int32_t limit) {
  for (const StepExpression& expression : chain) {
    for (const StepOperand& operand : expression.operands) {
      for (const StepNumber* number : {&operand.num, &operand.den}) {
        for (const StepTerm& term : *number) {
          for (const StepFactor& factor : term.factors) {
            if (std::abs(factor.value) > limit) {
              return false;
            }
          }
        }
      }
    }
  }
  return true;
}

std::string_view OperatorText(StepOperator op, const ExerciseOptions& options) {
  switch (op) {
    case StepOperator::kPlus:
      return " + ";
    case StepOperator::kMinus:
      return " - ";
    case StepOperator::kTimes:
      return " \xD7 ";
    case StepOperator::kDivide:
      return DivisionOperatorText(options.division_sign);
    default:
      break;
  }
  throw std::invalid_argument("not an operation");
}

int32_t TrapsNeeded(const PriorityRow& row, int32_t count) {
  return count >= row.trap_from ? (count + row.trap_share - 1) / row.trap_share : 0;
}

// The largest sheet that `traps` questions starting with the operation
// computed second and `others` give.
int32_t SheetSize(const PriorityRow& row, int32_t traps, int32_t others) {
  int32_t n = traps + others;
  while (TrapsNeeded(row, n) > traps) {
    --n;
  }
  return n;
}

class Drawing {
 public:
  Drawing(const PriorityKind& kind, int32_t largest_term, int32_t count, DrawingContext& context,
          const ExerciseOptions& used)
      : kind_(kind),
        row_(RowOf(used.level)),
        m_(std::min(largest_term, row_.largest_term)),
        count_(count),
        context_(context),
        used_(used),
        at_level_(AtLevel(used)) {}

  // A question of one of `forms` not yet on the sheet, its key stored at
  // `position`; nothing when the attempts found none.
  std::optional<PriorityQuestion> DrawNew(int position, std::span<const PriorityForm> forms) {
    try {
      for (AttemptBudget budget(position, count_);; budget.Spend()) {
        const std::optional<PriorityQuestion> q = Attempt(forms);
        if (q && context_.table.StoreIfNew(position, kind_.RepeatKey(*q))) {
          return q;
        }
      }
    } catch (const TooFewQuestions&) {
      return std::nullopt;
    }
  }

 private:
  // The form, the sign, then a, c, e and b, d, f, then the signs of a, c
  // and e with negative numbers. A whole factor n stands as n/1 where the
  // product's right operand stands: c/d in a/b × n ± e/f, e/f otherwise.
  PriorityQuestion DrawTerms(std::span<const PriorityForm> forms) {
    RandomSource& random = context_.random;
    PriorityQuestion q{};
    q.form = forms[static_cast<size_t>(random.Random(static_cast<int32_t>(forms.size())))];
    q.subtract = row_.differences && random.Random(2) == 1;
    q.a = random.Random(m_) + 1;
    q.c = random.Random(m_) + 1;
    q.e = random.Random(m_) + 1;
    q.b = random.Random(m_ - 1) + 2;
    if (used_.denominators == DenominatorRule::kSame) {
      q.d = q.b;
      q.f = q.b;
    } else {
      q.d = random.Random(m_ - 1) + 2;
      q.f = random.Random(m_ - 1) + 2;
    }
    int32_t* whole = nullptr;
    if (row_.whole_factor) {
      whole = q.form == PriorityForm::kTimesPlus ? &q.c : &q.e;
      *whole = random.Random(std::min(m_, kLargestWholeFactor) - 1) + 2;
      (whole == &q.c ? q.d : q.f) = 1;
    }
    if (used_.negatives) {
      for (int32_t* numerator : {&q.a, &q.c, &q.e}) {
        if (numerator != whole) {
          *numerator = random.Random(2) == 1 ? -*numerator : *numerator;
        }
      }
    }
    return q;
  }

  std::optional<PriorityQuestion> Attempt(std::span<const PriorityForm> forms) {
    PriorityQuestion q = DrawTerms(forms);
    if (used_.denominators == DenominatorRule::kMultiple) {
      const int32_t largest = std::max({q.b, q.d, q.f});
      if (largest % q.b != 0 || largest % q.d != 0 || largest % q.f != 0) {
        return std::nullopt;
      }
    }
    // A whole number is no fraction to work with (3/1, 4/4, 6/3), and the
    // textbooks' chains start from irreducible fractions.
    if (std::gcd(q.a, q.b) != 1 || std::gcd(q.c, q.d) != 1 || std::gcd(q.e, q.f) != 1) {
      return std::nullopt;
    }
    const Layout layout = LayoutOf(q);
    const Value x{q.a, q.b};
    const Value y{q.c, q.d};
    const Value z{q.e, q.f};
    const StepOperator pair_op = layout.pair_left ? layout.first : layout.second;
    const StepOperator other_op = layout.pair_left ? layout.second : layout.first;
    const Value left = layout.pair_left ? x : y;
    const Value right = layout.pair_left ? y : z;
    const Value other = layout.pair_left ? z : x;
    const Value part = Apply(pair_op, left, right);
    if (!Acceptable(part, used_.negatives) || (at_level_ && Trivial(pair_op, left, right))) {
      return std::nullopt;
    }
    const Value result =
        layout.pair_left ? Apply(other_op, part, other) : Apply(other_op, other, part);
    const bool trivial =
        layout.pair_left ? Trivial(other_op, part, other) : Trivial(other_op, other, part);
    if (!Acceptable(result, used_.negatives) || (at_level_ && trivial)) {
      return std::nullopt;
    }
    q.num = static_cast<int32_t>(result.num);
    q.den = static_cast<int32_t>(result.den);
    for (const StepChain& chain : kind_.Steps(q, used_)) {
      if (!NumbersWithin(chain, kLargestNumber)) {
        return std::nullopt;
      }
    }
    return q;
  }

  // At a level: a fraction divided by itself or by its opposite is ±1 at
  // once, no work (the other trivial cases, x − x and x + (−x), are zero,
  // which no question shows).
  static bool Trivial(StepOperator op, Value x, Value y) {
    return op == StepOperator::kDivide && std::abs(x.num) == std::abs(y.num) && x.den == y.den;
  }

  const PriorityKind& kind_;
  const PriorityRow& row_;
  int32_t m_;
  int32_t count_;
  DrawingContext& context_;
  ExerciseOptions used_;
  bool at_level_;
};

}  // namespace

bool StartsWithSecondOperation(PriorityForm form) {
  return std::find(std::begin(kTrapForms), std::end(kTrapForms), form) != std::end(kTrapForms);
}

std::vector<PriorityQuestion> PriorityKind::Draw(int32_t largest_term, int32_t count,
                                                 DrawingContext& context,
                                                 const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  const PriorityRow& row = RowOf(used.level);
  Drawing drawing(*this, largest_term, count, context, used);
  const int32_t traps_needed = TrapsNeeded(row, count);
  int32_t traps = 0;
  std::vector<PriorityQuestion> questions;
  for (int position = 0; position < count; ++position) {
    // The last positions take the forms that start with the operation
    // computed second when the sheet has too few of them yet.
    const bool traps_only = count - position <= traps_needed - traps;
    const std::optional<PriorityQuestion> q =
        drawing.DrawNew(position, traps_only ? row.traps : row.forms);
    if (!q) {
      // Every question of the forms asked is on the sheet. When only the
      // forms starting with the operation computed second were asked, the
      // others found already are at least as many as those (half of the
      // sheet at most was still missing them), so the others drawn nowhere
      // would not make a larger sheet: the number is exact either way.
      throw TooFewQuestions(SheetSize(row, traps, position - traps), count);
    }
    traps += StartsWithSecondOperation(q->form) ? 1 : 0;
    questions.push_back(*q);
  }
  return questions;
}

std::array<int32_t, 8> PriorityKind::KeyNumbers(const PriorityQuestion& q) const {
  return {static_cast<int32_t>(q.form), q.subtract ? 1 : 0, q.a, q.b, q.c, q.d, q.e, q.f};
}

std::string PriorityKind::RepeatKey(const PriorityQuestion& q) const {
  return SeparatedKey(KeyNumbers(q));
}

QuestionFields PriorityKind::Fields(const PriorityQuestion& q,
                                    const ExerciseOptions& options) const {
  return {{{"form", static_cast<int32_t>(q.form)},
           {"minus", q.subtract ? 1 : 0},
           {"a", q.a},
           {"b", q.b},
           {"c", q.c},
           {"d", q.d},
           {"e", q.e},
           {"f", q.f},
           {"num", q.num},
           {"den", q.den}},
          MixedForm(options, q.num, q.den)};
}

std::string PriorityKind::Text(const PriorityQuestion& q, const ExerciseOptions& options) const {
  const Layout layout = LayoutOf(q);
  const int32_t nums[] = {q.a, q.c, q.e};
  const int32_t dens[] = {q.b, q.d, q.f};
  const int group_start = layout.pair_left ? 0 : 1;
  std::string text;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      text += OperatorText(i == 1 ? layout.first : layout.second, options);
    }
    const bool opens = layout.grouped && i == group_start;
    text += opens ? "(" : "";
    text += i == 0 || opens ? FractionText(nums[i], dens[i]) : OperandText(nums[i], dens[i]);
    text += layout.grouped && i == group_start + 1 ? ")" : "";
  }
  return text + " = " + Answer(q, options);
}

std::string PriorityKind::Answer(const PriorityQuestion& q, const ExerciseOptions& options) const {
  return ResultText(options, q.num, q.den);
}

WorkedSteps PriorityKind::Steps(const PriorityQuestion& q, const ExerciseOptions& options) const {
  const Layout layout = LayoutOf(q);
  const std::pair<int32_t, int32_t> fractions[] = {{q.a, q.b}, {q.c, q.d}, {q.e, q.f}};
  const auto [left, right, other] = layout.pair_left
                                        ? std::tuple(fractions[0], fractions[1], fractions[2])
                                        : std::tuple(fractions[1], fractions[2], fractions[0]);
  const StepOperator pair_op = layout.pair_left ? layout.first : layout.second;
  const StepOperator other_op = layout.pair_left ? layout.second : layout.first;

  // The operation computed first, alone, to its irreducible result.
  StepChain part{Binary(FractionStep(left.first, left.second), pair_op,
                        FractionStep(right.first, right.second))};
  const RawResult raw =
      AppendOperationSteps(part, pair_op, left.first, left.second, right.first, right.second);
  AppendResult(part, raw.num, raw.den, ExerciseOptions{});
  const int32_t g = std::gcd(raw.num, raw.den);
  const int32_t p = raw.num / g;
  const int32_t p_den = raw.den / g;

  // Its steps with the third fraction beside them, the question first;
  // then the other operation.
  const StepOperand other_step = FractionStep(other.first, other.second);
  StepChain chain;
  for (StepExpression& expression : part) {
    chain.push_back(
        Beside(std::move(expression), other_step, other_op, !layout.pair_left, layout.grouped));
  }
  const RawResult result =
      layout.pair_left ? AppendOperationSteps(chain, other_op, p, p_den, other.first, other.second)
                       : AppendOperationSteps(chain, other_op, other.first, other.second, p, p_den);
  AppendResult(chain, result.num, result.den, options);
  return {chain};
}

}  // namespace fractions
