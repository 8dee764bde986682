// Loading a worksheet's answer key into a document view, and writing it
// back to RTF, at the largest size (40 questions of the common-denominator
// type, whose pictures are the biggest).
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>

#include "richtext/rich_edit_view.h"
#include "worksheet/worksheet_build.h"

namespace fractions {
namespace {

std::string LargestAnswerKey() {
  LcgRandom random(2026);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  WorksheetSettings settings;
  settings.largest_term = kMaxLargestTerm;
  settings.count = kMaxQuestions;
  return BuildWorksheet(ExerciseType::kCommonDenominator, settings, tools).answer_key;
}

void LoadAnswerKeyIntoView(benchmark::State& state) {
  const std::string answer_key = LargestAnswerKey();
  TRxRichEdit view;
  view.resize(790, 141);
  for (auto _ : state) {
    view.ClearView();
    LoadRtfIntoView(view, answer_key);
    // The layout a view needs before it can show its first lines.
    benchmark::DoNotOptimize(view.document()->documentLayout()->documentSize());
  }
}
BENCHMARK(LoadAnswerKeyIntoView)->Unit(benchmark::kMillisecond);

void WriteAnswerKeyBack(benchmark::State& state) {
  TRxRichEdit view;
  view.ClearView();
  LoadRtfIntoView(view, LargestAnswerKey());
  view.SelectAllText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(view.StreamOutRtf());
  }
}
BENCHMARK(WriteAnswerKeyBack)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fractions

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
