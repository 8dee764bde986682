#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "drawing_context.h"
#include "exercise_catalogue.h"
#include "exercise_options.h"
#include "exercise_type.h"

// The drawing phase of every exercise type, through its catalogue row, and
// what the rest of the program reads from the questions it draws without
// knowing their kind.
namespace fractions {

// The questions of one run with the kind that drew them and the options
// they were drawn with (those the kind reads; the others at their
// defaults), which the functions of the kind's slice take back (the four
// operations' kind knows its operation).
template <typename Kind>
struct KindQuestions {
  Kind kind;
  std::vector<typename Kind::Question> questions;
  ExerciseOptions options;
  friend bool operator==(const KindQuestions&, const KindQuestions&) = default;
};

namespace internal {
template <typename Kinds>
struct QuestionSetOf;
template <typename... Kinds>
struct QuestionSetOf<std::variant<Kinds...>> {
  using type = std::variant<KindQuestions<Kinds>...>;
};
}  // namespace internal

// The questions of one run, in question order: one alternative per slice
// of the catalogue.
using QuestionSet = internal::QuestionSetOf<ExerciseKind>::type;

// A type of exercise asked at a level whose class does not meet it yet
// (priorities at CM2). The message (UTF-8, French) names the first level
// that does.
class NotAtLevel : public std::runtime_error {
 public:
  NotAtLevel(ExerciseType type, Level level);
};

// Throws NotAtLevel when `options` hold a level before the type's first.
void CheckLevelSetsType(ExerciseType type, const ExerciseOptions& options);

// Runs the drawing phase of `type`: empties the question table, then draws
// `count` distinct questions with terms up to `largest_term` and the
// options the type reads. Throws NotAtLevel when the options' level does
// not set the type, TooFewQuestions when the settings do not give that
// many.
QuestionSet RunDrawingPhase(ExerciseType type, int32_t largest_term, int32_t count,
                            DrawingContext& context, const ExerciseOptions& options = {});

// The options an exercise type reads.
OptionUse OptionUseOf(ExerciseType type);

// The options of a set as its kind drew them.
const ExerciseOptions& OptionsOf(const QuestionSet& set);

// The number of questions in a set, whatever its type.
size_t QuestionCount(const QuestionSet& set);

// One question as the command line lists it.
struct QuestionListing {
  std::string key;        // its repeat key, as the question table holds it
  QuestionFields fields;  // its numbers, named, and its result's mixed form
  std::string text;       // the question and its answer, "3/4 + 5/6 = 19/12" (Windows-1252)
  // The worked key's chains in ASCII (see AsciiExpression) when the options
  // ask for a worked key; empty otherwise.
  std::vector<std::vector<std::string>> steps;
  // The key's text as printed, "0,75" (Windows-1252), for the kinds whose
  // slice writes it (`Answer(q, options)`); none for the others.
  std::optional<std::string> answer;
};
std::vector<QuestionListing> ListQuestions(const QuestionSet& set);

// The key a question's drawing refuses a repeat by: the kind's own
// (`RepeatKey(q)`) when it has one, its numbers joined otherwise.
template <typename Kind>
std::string RepeatKeyOf(const Kind& kind, const typename Kind::Question& q) {
  if constexpr (requires { kind.RepeatKey(q); }) {
    return kind.RepeatKey(q);
  } else {
    return QuestionKey(kind.KeyNumbers(q));
  }
}

// One question of `kind` drawn with `options`, as ListQuestions lists it.
template <typename Kind>
QuestionListing ListQuestion(const Kind& kind, const typename Kind::Question& q,
                             const ExerciseOptions& options) {
  QuestionListing listing{
      RepeatKeyOf(kind, q), kind.Fields(q, options), kind.Text(q, options),
      options.worked ? AsciiSteps(kind.Steps(q, options)) : std::vector<std::vector<std::string>>{},
      std::nullopt};
  if constexpr (requires { kind.Answer(q, options); }) {
    listing.answer = kind.Answer(q, options);
  }
  return listing;
}

// The defining numbers of every question, in order: two sets give the same
// text exactly when they hold the same questions in the same order. Unlike
// the joined question keys, it tells 1/12 + 3/4 from 11/2 + 3/4.
std::string QuestionNumbers(const QuestionSet& set);

}  // namespace fractions
