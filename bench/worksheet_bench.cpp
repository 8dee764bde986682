// Building both documents of a worksheet, pictures included, for every
// exercise type at the largest terms (500) and the most questions (40), in
// the standard sizes and in large print; a sheet of six exercises and 60
// questions; and a class set of 30 such worksheets.
#include <benchmark/benchmark.h>

#include <string>

#include "drawing/exercise_catalogue.h"
#include "worksheet/class_set.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

void BuildBothDocuments(benchmark::State& state, ExerciseType type, bool large_print) {
  LcgRandom random(1);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  WorksheetSettings settings;
  settings.largest_term = kLargestTermRange.max;
  settings.count = kMaxQuestions;
  settings.spacing = kSpacingRange.max;
  settings.options.large_print = large_print;
  const Sheet sheet = {{type, settings}};
  uint32_t seed = 0;
  for (auto _ : state) {
    random.SetSeed(++seed);
    benchmark::DoNotOptimize(BuildSheet(sheet, tools));
  }
}

// A sheet of six exercises, one of each type but powers, ten questions each
// at the largest terms (the most a sheet holds), both documents.
void BuildSixExerciseSheet(benchmark::State& state) {
  WorksheetSettings settings;
  settings.largest_term = kLargestTermRange.max;
  settings.count = kMaxSheetQuestions / kMaxExercises;
  Sheet sheet;
  for (const ExerciseType type : kAllExerciseTypes) {
    if (type != ExerciseType::kPowers) {
      sheet.push_back({type, settings});
    }
  }
  uint32_t seed = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildSeededSheet(sheet, ++seed));
  }
}

// A class set of 30 different worksheets of 40 questions, both documents
// each, as "Imprimer" and "Enregistrer" build it with "Sujets différents".
void BuildClassSetOf30(benchmark::State& state) {
  WorksheetSettings settings;
  settings.count = kMaxQuestions;
  uint32_t seed = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        BuildClassSet({{{ExerciseType::kAddition, settings}}, ++seed, 30, {}}));
  }
}

void Register() {
  for (const bool large_print : {false, true}) {
    for (const ExerciseInfo& row : kExerciseCatalogue) {
      const std::string name = "BuildBothDocuments/" + std::string(row.command_word) +
                               (large_print ? "/large_print" : "");
      benchmark::RegisterBenchmark(name.c_str(), BuildBothDocuments, row.type, large_print);
    }
  }
  benchmark::RegisterBenchmark("BuildSixExerciseSheet", BuildSixExerciseSheet)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BuildClassSetOf30", BuildClassSetOf30)
      ->Unit(benchmark::kMillisecond);
}

const int kRegistered = (Register(), 0);

}  // namespace
}  // namespace fractions
