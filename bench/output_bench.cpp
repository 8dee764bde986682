// The print preview's two pages of a 40-question subject, and the whole
// command-line run that writes both PDFs of a 40-question worksheet.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "output/rich_edit_emf_print.h"
#include "richtext/rich_edit_view.h"
#include "worksheet/worksheet_build.h"

namespace fractions {
namespace {

void PreviewPages(benchmark::State& state) {
  LcgRandom random(7);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  WorksheetSettings settings;
  settings.largest_term = kMaxLargestTerm;
  settings.count = kMaxQuestions;
  TRxRichEdit subject;
  subject.ClearView();
  LoadRtfIntoView(subject,
                  BuildWorksheet(ExerciseType::kCommonDenominator, settings, tools).subject);
  QPrinter a4(QPrinter::HighResolution);
  a4.setOutputFormat(QPrinter::PdfFormat);
  a4.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  QTemporaryDir folder;
  const QString prefix = QDir(folder.path()).filePath("Temp");
  for (auto _ : state) {
    RichEditToEMF(subject, prefix, a4, {21000, 29700});
  }
}
BENCHMARK(PreviewPages)->Unit(benchmark::kMillisecond);

void CommandLinePdfs(benchmark::State& state) {
  QTemporaryDir folder;
  const QStringList arguments = {
      "--type", "reduc", "--count", "40", "--out", folder.filePath("feuille"), "--pdf"};
  for (auto _ : state) {
    QProcess run;
    run.start(FRACTIONS_CLI_PATH, arguments);
    if (!run.waitForFinished() || run.exitCode() != 0) {
      state.SkipWithError("fractions-cli failed");
      break;
    }
  }
}
BENCHMARK(CommandLinePdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

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
