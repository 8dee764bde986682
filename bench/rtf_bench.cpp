// The RTF reader and writer on the heaviest document a teacher gets: the
// answer key of 40 common-denominator questions with terms up to 500, whose
// pictures are the largest. Reading goes into a fresh QTextDocument, as
// loading a view does (before the view's layout); writing saves it back.
#include <benchmark/benchmark.h>

#include <QTextCursor>
#include <QTextDocument>

#include "bench_support.h"
#include "drawing/question_table.h"
#include "drawing/random.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace fractions {
namespace {

const std::string& AnswerKey() {
  static const std::string answer_key =
      LargestWorksheet(ExerciseType::kCommonDenominator, 2024).answer_key;
  return answer_key;
}

void ReadAnswerKey(benchmark::State& state) {
  const std::string& rtf = AnswerKey();
  for (auto _ : state) {
    QTextDocument document;
    QTextCursor cursor(&document);
    if (InsertRtf(cursor, rtf)) {
      state.SkipWithError("the answer key does not read");
      break;
    }
    benchmark::DoNotOptimize(document.characterCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}

void WriteAnswerKey(benchmark::State& state) {
  QTextDocument document;
  QTextCursor cursor(&document);
  if (InsertRtf(cursor, AnswerKey())) {
    state.SkipWithError("the answer key does not read");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(WriteRtf(document));
  }
}

BENCHMARK(ReadAnswerKey)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(WriteAnswerKey)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace fractions
