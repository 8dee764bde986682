#include "drawing_phase.h"

namespace fractions {

QuestionSet RunDrawingPhase(ExerciseType type, int32_t largest_term, int32_t count,
                            DrawingContext& context) {
  return std::visit(
      [&](const auto& kind) -> QuestionSet {
        return KindQuestions<std::decay_t<decltype(kind)>>{kind,
                                                           kind.Draw(largest_term, count, context)};
      },
      Describe(type).kind);
}

size_t QuestionCount(const QuestionSet& set) {
  return std::visit([](const auto& drawn) { return drawn.questions.size(); }, set);
}

std::vector<QuestionListing> ListQuestions(const QuestionSet& set) {
  return std::visit(
      [](const auto& drawn) {
        std::vector<QuestionListing> listing;
        for (const auto& q : drawn.questions) {
          listing.push_back(
              {QuestionKey(drawn.kind.KeyNumbers(q)), drawn.kind.Fields(q), drawn.kind.Text(q)});
        }
        return listing;
      },
      set);
}

std::string QuestionNumbers(const QuestionSet& set) {
  return std::visit(
      [](const auto& drawn) {
        std::string text;
        for (const auto& q : drawn.questions) {
          for (const int32_t n : drawn.kind.KeyNumbers(q)) {
            text += std::to_string(n);
            text += ',';
          }
          text += ';';
        }
        return text;
      },
      set);
}

}  // namespace fractions
