#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The worked answer key: every step of a calculation as a teacher writes it
// on the board, "2/3 + 1/4 = (2×4)/(3×4) + (1×3)/(4×3) = 8/12 + 3/12 = ...".
// Each kind's slice writes its questions' steps in this small structure,
// from the numbers its drawing produced; the line pictures draw it and the
// command line writes it in ASCII. Plain C++, no Qt.
namespace fractions {

// One number of a numerator or a denominator, with its power when it has
// one: "4", "−3", "2³"; set in bold when it is the term a pupil had to
// find, "3/4 = 15/20"; or the gap left for that term, "3/4 = ..../20".
struct StepFactor {
  int32_t value;
  std::optional<int32_t> power;
  bool bold = false;
  bool gap = false;  // drawn as dots, "?" in ASCII; its value is unused
  friend bool operator==(const StepFactor&, const StepFactor&) = default;
};

// Factors joined by "×", added to the term before it or subtracted from it.
struct StepTerm {
  std::vector<StepFactor> factors;
  bool subtracted = false;  // "− term" rather than "+ term"; the first term's is unused
  friend bool operator==(const StepTerm&, const StepTerm&) = default;
};

// A numerator or a denominator as written: "8", "2×4", "−8 + 3", "15 − (−8)".
using StepNumber = std::vector<StepTerm>;

// One operand of an expression: a fraction, or a whole number when its
// denominator holds nothing. A negative fraction has its sign before the
// bar, "−(2×4)/(3×4)"; inside a combined numerator the signs stay with their
// terms, "(−8 + 3)/12".
struct StepOperand {
  bool negative = false;
  StepNumber num;
  StepNumber den;                // empty: a whole number
  std::optional<int32_t> power;  // the whole fraction raised, "(3/4)²"
  // A decimal: a whole number whose one plain number holds its digits,
  // that many of them after the decimal comma: 75 with 2 is "0,75".
  int32_t decimal_places = 0;
  // Parentheses around a part of the expression computed first: one opens
  // before this operand, one closes after it, "(2/3 + 1/4) × 5/2",
  // "(28 ÷ 4) × 3". A
  // negative operand that opens them needs none of its own.
  bool opens_group = false;
  bool closes_group = false;
  friend bool operator==(const StepOperand&, const StepOperand&) = default;
};

// kOf: "de" between a fraction and the number it is taken of, "3/4 de 28".
// The comparisons state an order, "21/28 > 20/28"; kHence ("donc") joins
// a reason to the conclusion drawn from it, "21/28 > 20/28 donc 3/4 > 5/7";
// kGap is the dots left for a sign, "3/4 ..... 5/7"; kList the semicolon
// between fractions given in a list, "3/4 ; 2/3"; kAnd ("et") joins two
// facts of one reason, "3/4 < 1 et 7/5 > 1 donc 3/4 < 7/5".
enum class StepOperator {
  kPlus,
  kMinus,
  kTimes,
  kDivide,
  kOf,
  kLess,
  kGreater,
  kEqual,
  kHence,
  kGap,
  kList,
  kAnd
};

// Operands joined by operators: operators[i] stands between operands[i] and
// operands[i + 1]. A negative operand after an operator that computes
// stands in parentheses, unless it opens a group.
struct StepExpression {
  std::vector<StepOperand> operands;
  std::vector<StepOperator> operators;
  bool irreducible = false;  // the picture writes "(irréductible)" after it
  // Words the picture writes before it, Windows-1252: a reason the
  // numbers alone do not say, "m\xEAme d\xE9nominateur : 3 < 6 donc ...".
  // The ASCII leaves them out with the rest of the reason.
  std::string words = {};
  friend bool operator==(const StepExpression&, const StepExpression&) = default;
};

// The expressions joined by "=": first the question, last the key.
using StepChain = std::vector<StepExpression>;

// A question's chains: one, or one per row for a question of two rows.
using WorkedSteps = std::vector<StepChain>;

// A fraction of whole numbers, num/den (den > 0), its sign before the bar;
// a whole number when den is 1.
StepOperand FractionStep(int32_t num, int32_t den);

// num/den with both terms multiplied by k, the sign before the bar:
// "(2×4)/(3×4)"; a whole number n (den 1) becomes (n×k)/k.
StepOperand ExpandedStep(int32_t num, int32_t den, int32_t k);

// The decimal digits/10^places (places >= 1), as a textbook writes it with
// `point` between its whole part and the rest: "0,75", "1,125", "0,05".
// Trailing zeros are written as given: the caller draws decimals without.
StepOperand DecimalStep(int32_t digits, int32_t places);
std::string DecimalText(int32_t digits, int32_t places, char point);

// Whether `op` computes (+ − × ÷ "de"): a negative operand after it stands
// in parentheses; after a sign, "donc", the dots or a semicolon it does not,
// "−3/4 < −5/7".
bool Computes(StepOperator op);

// An expression of one operand, and of two.
StepExpression Single(StepOperand operand);
StepExpression Binary(StepOperand left, StepOperator op, StepOperand right);

// The expression in ASCII, so that an ordinary evaluator reads its exact
// value: integers, decimals with a point ("0.75", read exactly by a
// rational evaluator), "+ - * / ^" and parentheses, every fraction as
// "((N)/(D))", "-" before a negative one, a negative operand after the
// first in parentheses: "((5)/(4)) - (-((2)/(3)))", "((-8+3)/(12))"; "de"
// is a product written without blanks, "((3)/(4))*28"; a group in
// parentheses of its own, "(((2)/(3)) + ((1)/(4))) * ((5)/(2))"; a
// comparison with its sign, "((3)/(4)) > ((5)/(7))", "=" for equal values;
// of a conclusion only what follows the last "donc" (its words and reason
// left out); a list with " ; ", the dots for a sign " ... "; a gap "?".
std::string AsciiExpression(const StepExpression& expression);

// The chain without the steps that only write the step before again:
// the same once blanks, parentheses and factors 1 are left out, and the
// same "(irréductible)" note. Of two such steps the earlier one stays,
// but the last one stays last unless it writes the question: "11/11 =
// (1×11)/11 = 1" becomes "11/11 = 1", "4 × 2 = 4×2 = 8" becomes "4 × 2 =
// 8", "1 = (1×19)/19 = 19/19" becomes "1 = 19/19"; "(1×5)/(4×2)" is
// another step than 5/8.
StepChain WithoutRepeats(StepChain chain);

// Every chain of a question in ASCII, expression by expression.
std::vector<std::vector<std::string>> AsciiSteps(const WorkedSteps& steps);

}  // namespace fractions
