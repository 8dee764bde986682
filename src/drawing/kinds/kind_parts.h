#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "drawing/exercise_options.h"
#include "drawing/random.h"

// What the drawing half of every exercise kind writes its questions with.
namespace fractions {

// A question's numbers under the names the command line's JSON gives them,
// in the order it lists them, and the mixed form of its result when the
// options ask for one.
struct QuestionFields {
  std::vector<std::pair<const char*, int32_t>> numbers;
  std::optional<MixedNumber> mixed;
  // What a number would not say as well, written before the numbers: a
  // figure's shape, "shape": "disc".
  std::vector<std::pair<const char*, const char*>> words = {};
  // Named points, written after the numbers as
  // "points": [{"name": "A", "num": 3, "den": 4}, ...].
  struct Point {
    char name;
    int32_t num, den;
  };
  std::vector<Point> points = {};
};

// A fraction as the answer key draws it: a whole number when its
// denominator is 1 ("7/4", "3", "-2/3").
std::string FractionText(int32_t num, int32_t den);

// The same as the second operand of an operation: a negative one stands in
// parentheses, "(-2/3)".
std::string OperandText(int32_t num, int32_t den);

// A result and, when the options ask for it, its mixed form:
// "7/4 = 1 + 3/4".
std::string ResultText(const ExerciseOptions& options, int32_t num, int32_t den);

// Every ordered pair of denominators 2..largest_term one of which divides
// the other, equal ones included. Whole numbers are left out: 1 divides
// every denominator, and pairs holding it would make a third of a sheet of
// "multiples" up to 20 whole numbers.
class RelatedDenominators {
 public:
  explicit RelatedDenominators(int32_t largest_term);
  // One of the pairs, each as likely, in one draw.
  std::pair<int32_t, int32_t> Draw(RandomSource& random) const;

 private:
  std::vector<std::pair<int32_t, int32_t>> pairs_;
};

// The settings allow fewer different questions than the worksheet asks
// for. The message (UTF-8, French) says how many they gave.
class TooFewQuestions : public std::runtime_error {
 public:
  TooFewQuestions(int available, int wanted);
  int Available() const { return available_; }

 private:
  int available_;
};

// Attempts at one question position. Every attempt that ends in a question
// acceptable but already drawn is one of the `position` questions before
// it, so once this many attempts have found nothing new, those are all the
// settings give: Spend() then throws TooFewQuestions rather than let the
// drawing loop forever. With the window's ranges and any options, a
// position takes some tens of attempts at most.
class AttemptBudget {
 public:
  static constexpr int kAttemptsPerQuestion = 200000;

  AttemptBudget(int position, int count) : position_(position), count_(count) {}
  void Spend() {
    if (++spent_ >= kAttemptsPerQuestion) {
      throw TooFewQuestions(position_, count_);
    }
  }

 private:
  int position_;
  int count_;
  int spent_ = 0;
};

}  // namespace fractions
