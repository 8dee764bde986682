#include "comparison.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <tuple>
#include <utility>

namespace fractions {

namespace {

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

// num/den (den > 0) as a chain ending over `common`, a multiple of den.
StepChain OverCommon(int32_t num, int32_t den, int32_t common) {
  StepChain chain{Single(FractionStep(num, den))};
  const int32_t k = common / den;
  if (k > 1) {
    chain.push_back(Single(ExpandedStep(num, den, k)));
    chain.push_back(Single(FractionStep(num * k, common)));
  }
  return chain;
}

class Drawing {
 public:
  Drawing(const ComparisonKind& kind, int32_t largest_term, int32_t count, DrawingContext& context,
          const ExerciseOptions& used)
      : kind_(kind),
        m_(std::min(largest_term, ComparisonKind::kLargestTerm)),
        count_(count),
        context_(context),
        used_(used) {
    if (used_.denominators == DenominatorRule::kMultiple) {
      related_.emplace(m_);
    }
  }

  // A question not yet on the sheet, its key stored at `position`: a pair
  // of equal values or of different ones. Throws TooFewQuestions when the
  // attempts found none.
  ComparisonQuestion DrawNew(int position, bool equal) {
    for (AttemptBudget budget(position, count_);; budget.Spend()) {
      const std::optional<ComparisonQuestion> q = Attempt(equal);
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

  std::pair<int32_t, int32_t> Denominators() {
    RandomSource& random = context_.random;
    if (related_) {
      return related_->Draw(random);
    }
    const int32_t b = random.Random(m_ - 1) + 2;
    if (used_.denominators == DenominatorRule::kSame) {
      return {b, b};
    }
    return {b, random.Random(m_ - 1) + 2};
  }

  // a, the denominators, then c: drawn with its own sign for two different
  // values; for equal ones, c is what makes c/d worth a/b, when d is a
  // multiple of a/b's reduced denominator.
  std::optional<ComparisonQuestion> Attempt(bool equal) {
    ComparisonQuestion q{};
    q.a = Numerator();
    std::tie(q.b, q.d) = Denominators();
    if (equal) {
      const int32_t g = context_.gcd3(std::abs(q.a), q.b, q.b);
      const int32_t reduced_den = q.b / g;
      if (q.b == q.d || q.d % reduced_den != 0) {
        return std::nullopt;
      }
      q.c = q.a / g * (q.d / reduced_den);
    } else {
      q.c = Numerator();
    }
    // No whole number (a/1, a/a, 6/3, nor zero), no term beyond m.
    if (q.a % q.b == 0 || q.c % q.d == 0 || std::abs(q.c) > m_) {
      return std::nullopt;
    }
    // The share of equal pairs is drawn, not left to chance. One fraction
    // written twice is an equal pair over one denominator: the equal draw
    // never makes one, the other refuses it here.
    q.compare = Sign(int64_t{q.a} * q.d - int64_t{q.c} * q.b);
    if ((q.compare == 0) != equal) {
      return std::nullopt;
    }
    return q;
  }

  const ComparisonKind& kind_;
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
  CheckDrawingSettings(largest_term, count);
  context.table.Clear();
  const ExerciseOptions used = OptionsUsed(options, kOptionUse);
  Drawing drawing(*this, largest_term, count, context, used);
  // Over one denominator two different numerators never give one value.
  bool equal_left = used.denominators != DenominatorRule::kSame;
  bool different_left = true;
  std::vector<ComparisonQuestion> questions;
  for (int position = 0; position < count; ++position) {
    bool equal = equal_left && (!different_left || context.random.Random(kEqualPairsOneIn) == 0);
    for (;;) {
      try {
        questions.push_back(drawing.DrawNew(position, equal));
        break;
      } catch (const TooFewQuestions&) {
        // Every pair of this sort is on the sheet: the other sort fills the
        // rest, and once both are spent the sheet holds all there are.
        (equal ? equal_left : different_left) = false;
        if (!equal_left && !different_left) {
          throw TooFewQuestions(position, count);
        }
        equal = !equal;
      }
    }
  }
  return questions;
}

std::array<int32_t, 4> ComparisonKind::KeyNumbers(const ComparisonQuestion& q) const {
  return {q.a, q.b, q.c, q.d};
}

std::string ComparisonKind::RepeatKey(const ComparisonQuestion& q) const {
  return SeparatedKey(KeyNumbers(q));
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
                                  const ExerciseOptions& /*options*/) const {
  const int32_t common = std::lcm(q.b, q.d);
  const StepOperator relation = Relation(q.compare);
  StepExpression conclusion;
  if (common != q.b || common != q.d) {
    conclusion = Binary(FractionStep(q.a * (common / q.b), common), relation,
                        FractionStep(q.c * (common / q.d), common));
    conclusion.operators.push_back(StepOperator::kHence);
  }
  conclusion.operands.push_back(FractionStep(q.a, q.b));
  conclusion.operators.push_back(relation);
  conclusion.operands.push_back(FractionStep(q.c, q.d));
  return {OverCommon(q.a, q.b, common), OverCommon(q.c, q.d, common), {conclusion}};
}

}  // namespace fractions
