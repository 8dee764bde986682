// The drawing phase of every exercise type at the largest terms (500) and
// the most questions (40), with the program's Gcd3 and, beside it, with the
// literal upward trial-division search, so that one run shows the ratio;
// then with the options that cost the most draws: denominators one a
// multiple of the other, negative numbers and the least common denominator.
#include <benchmark/benchmark.h>

#include <string>
#include <tuple>

#include "drawing/drawing_phase.h"
#include "drawing/trial_division_gcd3.h"

namespace fractions {
namespace {

constexpr int32_t kLargestTerm = 500;

void DrawingPhase(benchmark::State& state, ExerciseType type, Gcd3Function gcd3,
                  const ExerciseOptions& options) {
  LcgRandom random(1);
  QuestionTable table;
  DrawingContext context{random, table, gcd3};
  uint32_t seed = 0;
  for (auto _ : state) {
    // A new seed each time, as every click brings: the work per phase varies
    // with the draws, and the median over many seeds is what a teacher sees.
    random.SetSeed(++seed);
    benchmark::DoNotOptimize(RunDrawingPhase(type, kLargestTerm, kMaxQuestions, context, options));
  }
}

void Register() {
  ExerciseOptions costly;
  costly.denominators = DenominatorRule::kMultiple;
  costly.negatives = true;
  costly.least_common_denominator = true;
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    const std::string word(row.command_word);
    for (const auto& [name, gcd3, options] :
         {std::tuple{"DrawingPhase/", &Gcd3, ExerciseOptions{}},
          std::tuple{"DrawingPhaseTrialDivision/", &testing::TrialDivisionGcd3, ExerciseOptions{}},
          std::tuple{"DrawingPhaseMultiplesNegatives/", &Gcd3, costly}}) {
      benchmark::RegisterBenchmark((name + word).c_str(), DrawingPhase, row.type, gcd3, options)
          ->Unit(benchmark::kMicrosecond)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true);
    }
  }
}

const int kRegistered = (Register(), 0);

}  // namespace
}  // namespace fractions
