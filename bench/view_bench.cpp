// Loading a worksheet's answer key into a document view, and writing it
// back to RTF, at the largest size (40 questions of the common-denominator
// type, whose pictures are the biggest).
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>

#include "bench_support.h"
#include "ui/rich_edit_view.h"

namespace fractions {
namespace {

std::string LargestAnswerKey() {
  return LargestWorksheet(ExerciseType::kCommonDenominator, 2026).answer_key;
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
