#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "kind_parts.h"

namespace fractions {

// How the three fractions of a chain of two operations are written. The
// numbers are part of the question's key and of the command line's JSON.
// The "±" is a sum or a difference as the question says.
enum class PriorityForm : int32_t {
  kPlusTimes = 1,       // a/b ± c/d × e/f
  kTimesPlus = 2,       // a/b × c/d ± e/f
  kPlusDivided = 3,     // a/b ± c/d ÷ e/f
  kGroupTimes = 4,      // (a/b ± c/d) × e/f
  kDividedByGroup = 5,  // a/b ÷ (c/d ± e/f)
};

// Whether the operation written first is the one computed second: the
// trap of a sum written before a product, a quotient before a parenthesis.
bool StartsWithSecondOperation(PriorityForm form);

// The question shows a/b, c/d and e/f in `form`; num/den is the result,
// irreducible with a positive denominator. With negative numbers a, c, e
// and num carry the signs.
struct PriorityQuestion {
  PriorityForm form;
  bool subtract;  // the "±" is "−"
  int32_t a, b, c, d, e, f;
  int32_t num, den;
  friend bool operator==(const PriorityQuestion&, const PriorityQuestion&) = default;
};

// Two operations on three fractions, with priorities: the brevet's chains
// "A = 2/3 + 1/4 × 5/2".
struct PriorityKind {
  using Question = PriorityQuestion;

  static constexpr OptionUse kOptionUse{
      .multiple_denominators = true, .same_denominators = true, .negatives = true, .mixed = true};

  // Terms stay this small whatever the largest term beyond it: a chain of
  // two operations with larger ones is no longer worked by hand.
  static constexpr int32_t kLargestTerm = 12;

  // Draws `count` distinct questions: the form and sign of each, then terms
  // within the largest term (at most kLargestTerm), the denominators at
  // least 2 and related as the options say (with multiples, each divides
  // the largest). Every operand irreducible and never a whole number
  // (a/1, a/a), no zero result, no zero to divide by, and no number beyond
  // 100 in the result or its worked steps, as the textbooks' chains; without
  // negative numbers no result is negative, the intermediate one neither.
  // On a sheet of three or more, at least a third of the questions start
  // with the operation computed second. Empties the question table first
  // and leaves the keys in it. Throws TooFewQuestions when the settings do
  // not give `count`.
  //
  // At a level, what its class is set, the options applying within it:
  // in 6e a sum and a product by a whole number n from 2 to 9, held as
  // n/1 ("2/3 + 1/4 × 6", "2/3 × 5 + 1/6", "(1/2 + 1/6) × 3"), no
  // division; in 5e the same with differences; in 4e two fractions
  // multiplied or divided, every form but a/b ÷ (c/d ± e/f), terms up to
  // 10; in 3e every form, terms up to 12, at least half of a sheet of two
  // or more starting with the operation computed second. Never a division
  // of a fraction by itself or by its opposite.
  std::vector<PriorityQuestion> Draw(int32_t largest_term, int32_t count, DrawingContext& context,
                                     const ExerciseOptions& options = {}) const;
  // The numbers of the question's key, in its order: form, subtract (0 or
  // 1), a, b, c, d, e, f, signed. The form comes first, so that two
  // questions that differ by it alone differ.
  std::array<int32_t, 8> KeyNumbers(const PriorityQuestion& q) const;
  // The key that keeps a question off a sheet that holds it already, its
  // numbers kept apart (see SeparatedKey).
  std::string RepeatKey(const PriorityQuestion& q) const;
  QuestionFields Fields(const PriorityQuestion& q, const ExerciseOptions& options) const;
  // "2/3 + 1/4 × 5/2 = 31/24", "(-1/2 + 3/4) : 5/6 = 3/10" (Windows-1252:
  // "×", and the division sign may be "÷").
  std::string Text(const PriorityQuestion& q, const ExerciseOptions& options) const;
  // The key as printed: "31/24", "7/4 = 1 + 3/4".
  std::string Answer(const PriorityQuestion& q, const ExerciseOptions& options) const;
  // The worked key, one chain: the operation computed first, written as
  // the four operations write theirs with the third fraction beside it
  // ("2/3 + (1×5)/(4×2) = 2/3 + 5/8"), its result simplified; then the
  // other operation the same way, the result simplified and, when asked,
  // its mixed form.
  WorkedSteps Steps(const PriorityQuestion& q, const ExerciseOptions& options) const;

  friend bool operator==(const PriorityKind&, const PriorityKind&) = default;
};

}  // namespace fractions
