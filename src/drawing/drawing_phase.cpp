#include "drawing_phase.h"

namespace fractions {

namespace {

// "au CM2", "en 6e": where a class is.
std::string AtLevelText(Level level) {
  const std::string name(FindLevelPreset(level)->name);
  return level == Level::kCM2 ? "au " + name : "en " + name;
}

// "du CM2", "de la 6e": where a programme starts.
std::string FromLevelText(Level level) {
  const std::string name(FindLevelPreset(level)->name);
  return level == Level::kCM2 ? "du " + name : "de la " + name;
}

std::string NotAtLevelMessage(ExerciseType type, Level level) {
  const ExerciseInfo& info = Describe(type);
  return "« " + std::string(info.button_caption) + " » ne se travaille pas " + AtLevelText(level) +
         " : c'est au programme à partir " + FromLevelText(info.first_level) +
         " (ou choisir le niveau « Libre »)";
}

}  // namespace

NotAtLevel::NotAtLevel(ExerciseType type, Level level)
    : std::runtime_error(NotAtLevelMessage(type, level)) {}

void CheckLevelSetsType(ExerciseType type, const ExerciseOptions& options) {
  if (options.level != Level::kFree && options.level < Describe(type).first_level) {
    throw NotAtLevel(type, options.level);
  }
}

QuestionSet RunDrawingPhase(ExerciseType type, int32_t largest_term, int32_t count,
                            DrawingContext& context, const ExerciseOptions& options) {
  CheckLevelSetsType(type, options);
  return std::visit(
      [&](const auto& kind) -> QuestionSet {
        using Kind = std::decay_t<decltype(kind)>;
        const ExerciseOptions used = OptionsUsed(options, Kind::kOptionUse);
        return KindQuestions<Kind>{kind, kind.Draw(largest_term, count, context, used), used};
      },
      Describe(type).kind);
}

OptionUse OptionUseOf(ExerciseType type) {
  return std::visit([](const auto& kind) { return std::decay_t<decltype(kind)>::kOptionUse; },
                    Describe(type).kind);
}

const ExerciseOptions& OptionsOf(const QuestionSet& set) {
  return std::visit([](const auto& drawn) -> const ExerciseOptions& { return drawn.options; }, set);
}

size_t QuestionCount(const QuestionSet& set) {
  return std::visit([](const auto& drawn) { return drawn.questions.size(); }, set);
}

std::vector<QuestionListing> ListQuestions(const QuestionSet& set) {
  return std::visit(
      [](const auto& drawn) {
        std::vector<QuestionListing> listing;
        for (const auto& q : drawn.questions) {
          listing.push_back(ListQuestion(drawn.kind, q, drawn.options));
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
