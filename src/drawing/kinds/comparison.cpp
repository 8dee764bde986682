#include "comparison.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <tuple>
#include <utility>

namespace fractions {

namespace {

// What a class compares, by level (Libre first, then CM2 to 3e): the
// largest term, and at 3e the largest least common denominator; the
// denominators come from the options (one at CM2, one a multiple of the
// other in 6e and 5e, any in 4e and 3e). CM2 compares halves to tenths
// over one denominator, and with 1; 6e and 5e go to twelfths, 5e also
// compares fractions with one numerator; 4e brings negative numbers; 3e
// the brevet's larger terms, twentieths, their common denominator still
// found by hand.
struct LevelRow {
  int32_t largest_term;
  int32_t largest_common;  // 0: none beyond what the terms give
  bool one_numerator;      // about one pair in kOneNumeratorOneIn with one numerator
};

constexpr std::array<LevelRow, 6> kLevelRows = {{
    {ComparisonKind::kLargestTerm, 0, false},  // Libre
    {10, 0, false},                            // CM2
    {12, 0, false},                            // 6e
    {12, 0, true},                             // 5e
    {12, 0, false},                            // 4e
    {20, 120, false},                          // 3e
}};

const LevelRow& RowOf(Level level) {
  return kLevelRows.at(static_cast<size_t>(level));
}

int32_t Sign(int64_t x) {
  return x < 0 ? -1 : (x > 0 ? 1 : 0);
}

StepOperator Relation(int32_t compare) {
  return compare < 0 ? StepOperator::kLess
                     : (compare > 0 ? StepOperator::kGreater : StepOperator::kEqual);
}

const char* RelationText(int32_t compare) {
  return compare < 0 ? " < " : (compare > 0 ? " > " : " = ");
}

bool OppositeSigns(const ComparisonQuestion& q) {
  return (q.a < 0) != (q.c < 0);
}

// Both positive, one below 1 and the other above (neither is whole).
bool EitherSideOfOne(const ComparisonQuestion& q) {
  return q.a > 0 && q.c > 0 && (q.a < q.b) != (q.c < q.d);
}

// The sorts of pairs a sheet is drawn in.
enum class Sort { kEqual, kGlance, kOneNumerator, kOther, kCount };

Sort SortOf(const ComparisonQuestion& q, const LevelRow& row) {
  if (q.compare == 0) {
    return Sort::kEqual;
  }
  if (OppositeSigns(q) || EitherSideOfOne(q)) {
    return Sort::kGlance;
  }
  return row.one_numerator && q.a == q.c ? Sort::kOneNumerator : Sort::kOther;
}

// The most questions a sheet can hold when every sort ran out after
// `found`, `equal` and `glance` of them of the two capped sorts: all the
// others, and of each capped sort as many as a sheet of that size allows.
// When a sort's share was full there may be more of it, but a smaller
// sheet's share is no larger, so the number is exact either way.
int32_t Available(int32_t found, int32_t equal, int32_t glance) {
  const int32_t others = found - equal - glance;
  int32_t n = found;
  while (n > 0 && others + std::min(equal, n / ComparisonKind::kEqualPairsOneIn) +
                          std::min(glance, n / ComparisonKind::kGlancePairsOneIn) <
                      n) {
    --n;
  }
  return n;
}

// num/den (den > 0) as a chain ending over `common`, a multiple of den.
StepChain OverCommon(int32_t num, int32_t den, int32_t common) {
  const int32_t k = common / den;
  return {Single(FractionStep(num, den)), Single(ExpandedStep(num, den, k)),
          Single(FractionStep(num * k, common))};
}

// "reason donc conclusion" as one expression.
StepExpression Hence(StepExpression reason, const StepExpression& conclusion) {
  reason.operators.push_back(StepOperator::kHence);
  reason.operands.insert(reason.operands.end(), conclusion.operands.begin(),
                         conclusion.operands.end());
  reason.operators.insert(reason.operators.end(), conclusion.operators.begin(),
                          conclusion.operators.end());
  return reason;
}

// "x s bound et y s' bound": each fraction against 0 or 1.
StepExpression Against(const ComparisonQuestion& q, int32_t bound) {
  const auto side = [bound](int32_t num, int32_t den) {
    return Relation(Sign(int64_t{num} - int64_t{bound} * den));
  };
  StepExpression reason = Binary(FractionStep(q.a, q.b), side(q.a, q.b), FractionStep(bound, 1));
  reason.operators.push_back(StepOperator::kAnd);
  reason.operands.push_back(FractionStep(q.c, q.d));
  reason.operators.push_back(side(q.c, q.d));
  reason.operands.push_back(FractionStep(bound, 1));
  return reason;
}

class Drawing {
 public:
  Drawing(const ComparisonKind& kind, int32_t largest_term, int32_t count, DrawingContext& context,
          const ExerciseOptions& used)
      : kind_(kind),
        row_(RowOf(used.level)),
        m_(std::min(largest_term, row_.largest_term)),
        count_(count),
        context_(context),
        used_(used) {
    if (used_.denominators == DenominatorRule::kMultiple) {
      related_.emplace(m_);
    }
  }

  const LevelRow& Row() const { return row_; }

  // A question not yet on the sheet, of sort `sort`, its key stored at
  // `position`. Throws TooFewQuestions when the attempts found none.
  ComparisonQuestion DrawNew(int position, Sort sort) {
    for (AttemptBudget budget(position, count_);; budget.Spend()) {
      const std::optional<ComparisonQuestion> q = Attempt(sort);
      if (q && context_.table.StoreIfNew(position, kind_.RepeatKey(*q))) {
        return *q;
      }
    }
  }

 private:
  int32_t Numerator() {
    const int32_t n = context_.random.Random(m_) + 1;
    return used_.negatives && context_.random.Random(2) == 1 ? -n : n;
  }

  int32_t Denominator() { return context_.random.Random(m_ - 1) + 2; }

  std::pair<int32_t, int32_t> Denominators() {
    if (related_) {
      return related_->Draw(context_.random);
    }
    const int32_t b = Denominator();
    if (used_.denominators == DenominatorRule::kSame) {
      return {b, b};
    }
    return {b, Denominator()};
  }

  // a, the denominators, then c: drawn with its own sign for two different
  // values; for equal ones, c is what makes c/d worth a/b, when d is a
  // multiple of a/b's reduced denominator; for one numerator, c is a, the
  // two denominators any two (the technique needs no common one).
  std::optional<ComparisonQuestion> Attempt(Sort sort) {
    ComparisonQuestion q{};
    if (sort == Sort::kOneNumerator) {
      q.a = context_.random.Random(m_) + 1;
      q.b = Denominator();
      q.c = q.a;
      q.d = Denominator();
    } else {
      q.a = Numerator();
      std::tie(q.b, q.d) = Denominators();
      if (sort == Sort::kEqual) {
        const int32_t g = context_.gcd3(std::abs(q.a), q.b, q.b);
        const int32_t reduced_den = q.b / g;
        if (q.b == q.d || q.d % reduced_den != 0) {
          return std::nullopt;
        }
        q.c = q.a / g * (q.d / reduced_den);
      } else {
        q.c = Numerator();
      }
    }
    // No whole number (a/1, a/a, 6/3, nor zero), no term beyond m, one
    // fraction never written twice, a common denominator the class finds.
    if (q.a % q.b == 0 || q.c % q.d == 0 || std::abs(q.c) > m_ || (q.a == q.c && q.b == q.d)) {
      return std::nullopt;
    }
    if (row_.largest_common > 0 && std::lcm(q.b, q.d) > row_.largest_common) {
      return std::nullopt;
    }
    // The share of each sort is drawn, not left to chance.
    q.compare = Sign(int64_t{q.a} * q.d - int64_t{q.c} * q.b);
    if (SortOf(q, row_) != sort) {
      return std::nullopt;
    }
    return q;
  }

  const ComparisonKind& kind_;
  const LevelRow& row_;
  int32_t m_;
  int32_t count_;
  DrawingContext& context_;
  ExerciseOptions used_;
  std::optional<RelatedDenominators> related_;
};

}  // namespace

std::vector<ComparisonQuestion> ComparisonKind::Draw(int32_t largest_term, int32_t count,
                                                     DrawingContext& context,
                                                     const ExerciseOptions& options) const {
  CheckDrawingSettings(largest_term, count, context.table);
  context.table.Clear();
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  Drawing drawing(*this, largest_term, count, context, used);

  constexpr size_t kSorts = static_cast<size_t>(Sort::kCount);
  const auto index = [](Sort sort) { return static_cast<size_t>(sort); };
  // Over one denominator two different numerators never give one value,
  // nor one numerator two different fractions.
  std::array<bool, kSorts> left{};
  left.fill(true);
  left[index(Sort::kEqual)] = used.denominators != DenominatorRule::kSame;
  left[index(Sort::kOneNumerator)] =
      drawing.Row().one_numerator && used.denominators != DenominatorRule::kSame;
  // The capped sorts drawn so far; a sheet of fewer than 8 (5) holds no
  // equal pair (none decided at a glance).
  int32_t equal = 0, glance = 0;
  const auto allowed = [&](Sort sort) {
    return left[index(sort)] && (sort != Sort::kEqual || equal < count / kEqualPairsOneIn) &&
           (sort != Sort::kGlance || glance < count / kGlancePairsOneIn);
  };

  // Each position's sort, from one draw: 1 in 8 equal, 1 in 5 at a glance,
  // at 5e 1 in 4 with one numerator, the others; a sort spent or at its
  // share gives way to the others, in this order.
  constexpr int32_t kSlots = 40;
  static_assert(kSlots % kEqualPairsOneIn == 0 && kSlots % kGlancePairsOneIn == 0 &&
                kSlots % kOneNumeratorOneIn == 0);
  constexpr std::array<Sort, 4> kFallbacks = {Sort::kOther, Sort::kOneNumerator, Sort::kGlance,
                                              Sort::kEqual};
  std::vector<ComparisonQuestion> questions;
  for (int position = 0; position < count; ++position) {
    int32_t slot = context.random.Random(kSlots);
    Sort wanted = Sort::kOther;
    for (const auto& [sort, one_in] :
         {std::pair{Sort::kEqual, kEqualPairsOneIn},
          {Sort::kGlance, kGlancePairsOneIn},
          {Sort::kOneNumerator, drawing.Row().one_numerator ? kOneNumeratorOneIn : 0}}) {
      const int32_t slots = one_in > 0 ? kSlots / one_in : 0;
      if (slot < slots) {
        wanted = sort;
        break;
      }
      slot -= slots;
    }
    for (;;) {
      if (!allowed(wanted)) {
        const auto next = std::find_if(kFallbacks.begin(), kFallbacks.end(), allowed);
        if (next == kFallbacks.end()) {
          throw TooFewQuestions(Available(position, equal, glance), count);
        }
        wanted = *next;
      }
      try {
        const ComparisonQuestion q = drawing.DrawNew(position, wanted);
        equal += wanted == Sort::kEqual ? 1 : 0;
        glance += wanted == Sort::kGlance ? 1 : 0;
        questions.push_back(q);
        break;
      } catch (const TooFewQuestions&) {
        // Every pair of this sort is on the sheet: the others fill the rest.
        left[index(wanted)] = false;
      }
    }
  }
  return questions;
}

std::array<int32_t, 4> ComparisonKind::KeyNumbers(const ComparisonQuestion& q) const {
  return {q.a, q.b, q.c, q.d};
}

std::string ComparisonKind::RepeatKey(const ComparisonQuestion& q) const {
  // The pair in one order whichever way it is asked: 8/10 ... 11/10 and
  // 11/10 ... 8/10 are one question.
  return SeparatedKey(std::min(KeyNumbers(q), std::array<int32_t, 4>{q.c, q.d, q.a, q.b}));
}

QuestionFields ComparisonKind::Fields(const ComparisonQuestion& q,
                                      const ExerciseOptions& /*options*/) const {
  return {{{"a", q.a}, {"b", q.b}, {"c", q.c}, {"d", q.d}, {"compare", q.compare}}, {}};
}

std::string ComparisonKind::Text(const ComparisonQuestion& q,
                                 const ExerciseOptions& /*options*/) const {
  // A sign of order is no operation: a negative fraction after it needs no
  // parentheses, "-2/3 < -4/7".
  return FractionText(q.a, q.b) + RelationText(q.compare) + FractionText(q.c, q.d);
}

std::string ComparisonKind::Answer(const ComparisonQuestion& q,
                                   const ExerciseOptions& options) const {
  return Text(q, options);
}

WorkedSteps ComparisonKind::Steps(const ComparisonQuestion& q,
                                  const ExerciseOptions& options) const {
  const StepExpression conclusion =
      Binary(FractionStep(q.a, q.b), Relation(q.compare), FractionStep(q.c, q.d));
  if (OppositeSigns(q)) {
    return {{Hence(Against(q, 0), conclusion)}};
  }
  if (EitherSideOfOne(q)) {
    return {{Hence(Against(q, 1), conclusion)}};
  }
  if (q.b == q.d) {
    StepExpression reason =
        Binary(FractionStep(q.a, 1), Relation(Sign(q.a - q.c)), FractionStep(q.c, 1));
    reason.words = "m\xEAme d\xE9nominateur : ";
    return {{Hence(std::move(reason), conclusion)}};
  }
  // Comparing by the numerator is taught from 5e on; before, a common
  // denominator.
  const bool by_numerator = options.level == Level::kFree || options.level >= Level::k5e;
  if (q.a == q.c && q.a > 0 && by_numerator) {
    StepExpression reason =
        Binary(FractionStep(q.b, 1), Relation(Sign(q.b - q.d)), FractionStep(q.d, 1));
    reason.words = "m\xEAme num\xE9rateur : ";
    return {{Hence(std::move(reason), conclusion)}};
  }
  // Each fraction not over the least common denominator yet gets its row.
  const int32_t common = std::lcm(q.b, q.d);
  WorkedSteps steps;
  for (const auto& [num, den] : {std::pair{q.a, q.b}, {q.c, q.d}}) {
    if (den != common) {
      steps.push_back(OverCommon(num, den, common));
    }
  }
  const StepExpression reason =
      Binary(FractionStep(q.a * (common / q.b), common), Relation(q.compare),
             FractionStep(q.c * (common / q.d), common));
  steps.push_back({Hence(reason, conclusion)});
  return steps;
}

}  // namespace fractions
