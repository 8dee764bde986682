#pragma once

#include <variant>
#include <vector>

#include "drawing_context.h"
#include "exercise_type.h"
#include "questions.h"

namespace fractions {

// The questions of one run, in question order; which alternative depends on
// the exercise type.
using QuestionSet =
    std::variant<std::vector<OperationQuestion>, std::vector<PowerQuestion>,
                 std::vector<SimplificationQuestion>, std::vector<CommonDenominatorQuestion>>;

// Runs the drawing phase of `type`: empties the question table, then draws
// `count` distinct questions with terms up to `largest_term`.
QuestionSet RunDrawingPhase(ExerciseType type, int32_t largest_term, int32_t count,
                            DrawingContext& context);

// Visits a question set with one lambda per kind of question:
// std::visit(Overloaded{[](const std::vector<PowerQuestion>&) {...}, ...}, set).
template <typename... Visitors>
struct Overloaded : Visitors... {
  using Visitors::operator()...;
};
// Spelled out for clang 14 (the fuzz build), which does not yet deduce an
// aggregate's template arguments by itself.
template <typename... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

// The number of questions in a set, whatever its type.
size_t QuestionCount(const QuestionSet& set);

}  // namespace fractions
