// Building both documents of a worksheet, pictures included, for every
// exercise type at the largest terms (500) and the most questions (40).
#include <benchmark/benchmark.h>

#include "worksheet/variant_set.h"
#include "worksheet/worksheet_build.h"

namespace fractions {
namespace {

void BuildBothDocuments(benchmark::State& state, ExerciseType type) {
  LcgRandom random(1);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  WorksheetSettings settings;
  settings.largest_term = kLargestTermRange.max;
  settings.count = kMaxQuestions;
  settings.spacing = kSpacingRange.max;
  uint32_t seed = 0;
  for (auto _ : state) {
    random.SetSeed(++seed);
    benchmark::DoNotOptimize(BuildWorksheet(type, settings, tools));
  }
}

BENCHMARK_CAPTURE(BuildBothDocuments, add, ExerciseType::kAddition);
BENCHMARK_CAPTURE(BuildBothDocuments, sub, ExerciseType::kSubtraction);
BENCHMARK_CAPTURE(BuildBothDocuments, mul, ExerciseType::kMultiplication);
BENCHMARK_CAPTURE(BuildBothDocuments, div, ExerciseType::kDivision);
BENCHMARK_CAPTURE(BuildBothDocuments, pow, ExerciseType::kPowers);
BENCHMARK_CAPTURE(BuildBothDocuments, simp, ExerciseType::kSimplification);
BENCHMARK_CAPTURE(BuildBothDocuments, reduc, ExerciseType::kCommonDenominator);

}  // namespace
}  // namespace fractions

namespace fractions {
namespace {

// A class set of 30 different worksheets of 40 questions, both documents
// each, as "Imprimer" and "Enregistrer" build it with "Sujets différents".
void BuildClassSetOf30(benchmark::State& state) {
  WorksheetSettings settings;
  settings.count = kMaxQuestions;
  uint32_t seed = 0;
  for (auto _ : state) {
    const std::vector<uint32_t> seeds =
        PlanVariantSeeds(ExerciseType::kAddition, settings, ++seed, 30);
    benchmark::DoNotOptimize(BuildVariants(ExerciseType::kAddition, settings, seeds, 1, 30));
  }
}
BENCHMARK(BuildClassSetOf30)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fractions
