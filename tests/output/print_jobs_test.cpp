#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

#include "output/print_views.h"
#include "output/rich_edit_emf_print.h"
#include "richtext/rtf_reader.h"
#include "worksheet/worksheet_build.h"

namespace fractions {
namespace {

// A set stopped by the teacher: the jobs before the stop are printed, the
// rest not even asked about, and the report says so.
TEST(PrintJobs, ASetStopsBeforeTheJobItIsToldTo) {
  QTextDocument first;
  first.setPlainText("premier");
  QTextDocument second;
  second.setPlainText("second");
  const std::vector<PrintJob> jobs = {{&first, kSubjectJobTitle},
                                      {&second, kSubjectJobTitle},
                                      {&first, kAnswerKeyJobTitle},
                                      {&second, kAnswerKeyJobTitle}};
  QTemporaryDir folder;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("jobs.pdf"));
  std::vector<int> asked;
  const ClassSetReport report = PrintJobs(jobs, printer, [&](int sent, int total) {
    EXPECT_EQ(total, 4);
    asked.push_back(sent);
    return sent != 2;  // "Annuler" pressed once, while the third job waits
  });
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.jobs_sent, 2);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
}

// Jobs that cannot start are counted and said, naming the printer: a set
// where nothing printed must not look like one that did.
TEST(PrintJobs, JobsThatCannotStartAreSaid) {
  QTextDocument subject;
  subject.setPlainText("sujet");
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName("/nonexistent-folder/jobs.pdf");
  const ClassSetReport report = PrintClassSet(subject, subject, 2, 1, printer);
  EXPECT_EQ(report.jobs_sent, 0);
  EXPECT_EQ(report.jobs_not_started, 3);
  EXPECT_EQ(ClassSetMessage(report),
            QString::fromUtf8("L'imprimante « /nonexistent-folder/jobs.pdf » : 3 impressions sur "
                              "3 n'ont pas pu commencer."));
  ClassSetReport all_sent;
  all_sent.jobs_total = all_sent.jobs_sent = 3;
  EXPECT_EQ(ClassSetMessage(all_sent), "");
}

// The first line of each page of a PDF, as pdftotext lays the page out.
QStringList PageOpenings(const QString& pdf) {
  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(text.waitForFinished()) << "pdftotext missing: tools/test.sh installs poppler-utils";
  QStringList openings;
  for (const QString& page : QString::fromUtf8(text.readAllStandardOutput()).split('\f')) {
    const QStringList lines = page.split('\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty()) {
      openings << lines.front().trimmed();
    }
  }
  return openings;
}

// A question prints whole on one page: its separator and, in a worked key,
// every row of its calculation. No page of a long worked key in large print
// opens with a question whose separator stayed at the foot of the page
// before, nor with the "= ..." of a calculation begun there.
TEST(PrintDocument, EachPageOfAWorkedKeyOpensWithAQuestionsSeparator) {
  const LevelPreset& level = *FindLevelPreset(Level::k4e);
  WorksheetSettings settings;
  settings.largest_term = level.largest_term;
  settings.options = level.options;
  settings.options.large_print = settings.options.worked = true;
  settings.count = 40;
  QTemporaryDir folder;
  // Without the keep, seeds 1 and 3 end a page between two rows of a
  // question, and all four under a separator.
  for (const uint32_t seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    QTextDocument key;
    QTextCursor cursor(&key);
    ASSERT_FALSE(InsertRtf(
        cursor, BuildSeededWorksheet(ExerciseType::kSubtraction, settings, seed).answer_key));
    const QString pdf = folder.filePath(QStringLiteral("%1.pdf").arg(seed));
    const std::unique_ptr<QPrinter> printer = SheetWithoutPrinter();
    printer->setOutputFileName(pdf);
    ASSERT_TRUE(PrintDocument(key, *printer, kAnswerKeyJobTitle));
    const QStringList openings = PageOpenings(pdf);
    ASSERT_GE(openings.size(), 3);
    for (qsizetype page = 1; page < openings.size(); ++page) {
      EXPECT_TRUE(openings[page].startsWith("-----"))
          << "page " << page + 1 << ": " << openings[page].toStdString();
    }
  }
}

}  // namespace
}  // namespace fractions
