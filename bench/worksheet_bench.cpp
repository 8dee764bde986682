// Building both documents of a worksheet, pictures included, for every
// exercise type at the largest terms (500) and the most questions (40), in
// the standard sizes and in large print; a sheet of six exercises and 60
// questions; a class set of 30 such worksheets; and the probe of the
// questions a class set's settings give.
#include <benchmark/benchmark.h>

#include <string>

#include "drawing/exercise_catalogue.h"
#include "drawing/kinds/kind_parts.h"
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

// The probe a class set runs once to tell the teacher whether its settings
// give twice the questions a worksheet asks, at the smallest largest term,
// for each level that sets the type: it draws until its attempts run out
// when the settings give fewer than kMaxProbedQuestions, the slowest it can
// be. The label says how many they give.
void ProbeSetQuestions(benchmark::State& state, ExerciseType type, Level level) {
  WorksheetSettings settings;
  settings.largest_term = kLargestTermRange.min;
  settings.count = 1;
  if (const LevelPreset* preset = FindLevelPreset(level)) {
    settings.options = preset->options;
  }
  const Sheet sheet = {{type, settings}};
  std::string given = std::to_string(kMaxProbedQuestions) + " or more";
  for (int count = 1; count <= kMaxQuestions; ++count) {
    Sheet larger = sheet;
    larger.front().settings.count = count;
    if (const auto narrow = NarrowExercises(larger, 1); !narrow.empty()) {
      given = std::to_string(narrow.front().available);
      break;
    }
  }
  state.SetLabel(given + " questions");
  uint32_t seed = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NarrowExercises(sheet, ++seed));
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
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    for (const Level level :
         {Level::kFree, Level::kCM2, Level::k6e, Level::k5e, Level::k4e, Level::k3e}) {
      if (level != Level::kFree && level < row.first_level) {
        continue;
      }
      const LevelPreset* preset = FindLevelPreset(level);
      const std::string name = "ProbeSetQuestions/" + std::string(row.command_word) + "/" +
                               (preset ? std::string(preset->command_word) : "libre");
      benchmark::RegisterBenchmark(name.c_str(), ProbeSetQuestions, row.type, level)
          ->Unit(benchmark::kMillisecond);
    }
  }
}

const int kRegistered = (Register(), 0);

}  // namespace
}  // namespace fractions
