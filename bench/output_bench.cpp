// The print preview's two pages of a 40-question subject, and the whole
// command-line run that writes both PDFs of a 40-question worksheet, with
// a worked key too, of a sheet of six exercises and 60 questions, and of a
// class set.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "bench_support.h"
#include "output/rich_edit_emf_print.h"
#include "richtext/rtf_reader.h"

namespace fractions {
namespace {

void PreviewPages(benchmark::State& state) {
  QTextDocument subject;
  QTextCursor cursor(&subject);
  InsertRtf(cursor, LargestWorksheet(ExerciseType::kCommonDenominator, 7).subject);
  QPrinter a4(QPrinter::HighResolution);
  a4.setOutputFormat(QPrinter::PdfFormat);
  a4.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  QTemporaryDir folder;
  WrittenFiles files;
  for (auto _ : state) {
    RichEditToEMF(subject, QDir(folder.path()), a4, files);
  }
}
BENCHMARK(PreviewPages)->Unit(benchmark::kMillisecond);

// Runs fractions-cli with `arguments` once per iteration.
void RunCliEachTime(benchmark::State& state, const QStringList& arguments) {
  for (auto _ : state) {
    QProcess run;
    run.start(FRACTIONS_CLI_PATH, arguments);
    if (!run.waitForFinished() || run.exitCode() != 0) {
      state.SkipWithError("fractions-cli failed");
      break;
    }
  }
}

// Seeded, so that the size of the two PDFs (counter pdf_bytes) can be
// compared from one build to the next.
void CommandLinePdfs(benchmark::State& state) {
  QTemporaryDir folder;
  const QStringList arguments = {"--type", "reduc", "--count", "40",
                                 "--seed", "7",     "--out",   folder.filePath("feuille"),
                                 "--pdf"};
  RunCliEachTime(state, arguments);
  state.counters["pdf_bytes"] =
      static_cast<double>(QFileInfo(folder.filePath("feuille.pdf")).size() +
                          QFileInfo(folder.filePath("feuille_Cor.pdf")).size());
}
BENCHMARK(CommandLinePdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

// The largest sheet: six exercises of ten questions at the largest terms,
// its two RTF files and two PDFs.
void CommandLineSixExercisePdfs(benchmark::State& state) {
  QTemporaryDir folder;
  RunCliEachTime(state, {"--type", "add,sub,mul,div,simp,reduc", "--count", "10", "--max", "500",
                         "--seed", "7", "--out", folder.filePath("controle"), "--pdf"});
}
BENCHMARK(CommandLineSixExercisePdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

// A worked key of 40 additions up to 500, the longest chains: the whole
// run to both RTF files and both PDFs, to hold under 0.3 s.
void CommandLineWorkedPdfs(benchmark::State& state) {
  QTemporaryDir folder;
  RunCliEachTime(state, {"--type", "add", "--max", "500", "--count", "40", "--seed", "7",
                         "--worked", "--out", folder.filePath("corrige"), "--pdf"});
}
BENCHMARK(CommandLineWorkedPdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

// A worked sheet of the menu's kinds, 60 questions in six exercises at the
// largest terms: the whole run to both RTF files and both PDFs, to hold
// under 0.3 s.
void CommandLineWorkedMenuKindsPdfs(benchmark::State& state) {
  QTemporaryDir folder;
  RunCliEachTime(state, {"--type", "prio,part,dec,prio,part,dec", "--count", "10", "--max", "500",
                         "--seed", "7", "--worked", "--out", folder.filePath("autres"), "--pdf"});
}
BENCHMARK(CommandLineWorkedMenuKindsPdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

// Figures and graduated lines, hatching included, in large print: 40
// pictures drawn at 96 dpi and again as vectors in the PDFs.
void CommandLineFiguresAndLinesPdfs(benchmark::State& state) {
  QTemporaryDir folder;
  RunCliEachTime(state, {"--type", "figread,figshade,lineread,lineplace", "--count", "10",
                         "--max", "12", "--seed", "7", "--worked", "--large-print", "--out",
                         folder.filePath("figures"), "--pdf"});
}
BENCHMARK(CommandLineFiguresAndLinesPdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

// A class set of 30 different worksheets of 40 questions, as RTF and PDF.
void CommandLineSetOf30(benchmark::State& state) {
  QTemporaryDir folder;
  const QStringList arguments = {"--type", "add",    "--count", "40",    "--variants",
                                 "30",     "--seed", "7",       "--out", folder.filePath("classe"),
                                 "--pdf"};
  RunCliEachTime(state, arguments);
}
BENCHMARK(CommandLineSetOf30)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace fractions
