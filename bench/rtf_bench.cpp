// The RTF reader and writer on the heaviest document a teacher gets: the
// answer key of 40 common-denominator questions with terms up to 500, whose
// pictures are the largest. Reading goes into a fresh QTextDocument, as
// loading a view does (before the view's layout); writing saves it back.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include "drawing/question_table.h"
#include "drawing/random.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "worksheet/worksheet_build.h"

namespace fractions {
namespace {

const std::string& AnswerKey() {
  static const std::string answer_key = [] {
    LcgRandom random(2024);
    QuestionTable table;
    LineImages images;
    WorksheetTools tools{random, table, images};
    WorksheetSettings settings;
    settings.largest_term = 500;
    settings.count = 40;
    return BuildWorksheet(ExerciseType::kCommonDenominator, settings, tools).answer_key;
  }();
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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);  // the line pictures need its fonts
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
