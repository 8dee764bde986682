#pragma once

#include <cstdint>

#include "commune.h"
#include "question_table.h"
#include "random.h"
#include "setting_range.h"

namespace fractions {

// The largest term M and the number of questions N. A drawing phase whose
// settings give fewer acceptable questions than N (decimal writing at the
// smallest largest term gives 23) says so with TooFewQuestions rather than
// draw for ever; its attempts are bounded by an AttemptBudget.
inline constexpr SettingRange kLargestTermRange{9, 500, 100};
inline constexpr SettingRange kQuestionCountRange{1, kMaxQuestions, 25};

using Gcd3Function = int32_t (*)(int32_t, int32_t, int32_t);

// What a drawing phase works with: the program's generator and question
// table, and the divisor helper (replaceable so that benchmarks can compare
// helpers on identical draws).
struct DrawingContext {
  RandomSource& random;
  QuestionTable& table;
  Gcd3Function gcd3 = &Gcd3;
};

// Throws std::out_of_range unless largest_term lies in kLargestTermRange and
// count is at most kMaxQuestions, a sheet's most. Outside those ranges a
// phase could loop forever or overrun the question table. A count below 1
// is allowed and draws nothing.
void CheckDrawingSettings(int32_t largest_term, int32_t count);

// The same for a drawing phase that stores its keys in `table`: count is
// at most the table's slots (kMaxQuestions for the program's table, more
// for a probe's).
void CheckDrawingSettings(int32_t largest_term, int32_t count, const QuestionTable& table);

// The most questions a probe asks of a drawing phase, on a table of that
// many slots of its own: twice a sheet's most, to learn how many different
// questions settings give beyond what one sheet holds.
inline constexpr int kMaxProbedQuestions = 2 * kMaxQuestions;

}  // namespace fractions
