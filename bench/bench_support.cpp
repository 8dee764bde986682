// Shared by the benchmarks that need Qt: the largest worksheet, and a main
// that runs the benchmarks inside a QApplication on the offscreen platform
// (the line pictures need fonts, the views need widgets).
#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace fractions {

SheetDocuments LargestWorksheet(ExerciseType type, uint32_t seed) {
  WorksheetSettings settings;
  settings.largest_term = kLargestTermRange.max;
  settings.count = kMaxQuestions;
  settings.spacing = kSpacingRange.max;
  return BuildSeededSheet({{type, settings}}, seed);
}

}  // namespace fractions

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
