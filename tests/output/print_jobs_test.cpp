#include <gtest/gtest.h>

#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>

#include "output/print_views.h"

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

}  // namespace
}  // namespace fractions
