// The command line's PDFs draw every exercise line again as text and
// vector lines: no picture in them, and pdftotext reads every number of
// every question where it is drawn, the results in the answer key only,
// as the text listing writes them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sstream>

#include "cli/cli_app.h"
#include "drawing/exercise_catalogue.h"

namespace fractions {
namespace {

QString Poppler(const QString& tool, const QStringList& arguments) {
  QProcess run;
  run.start(tool, arguments);
  EXPECT_TRUE(run.waitForFinished()) << tool.toStdString() << ": tools/test.sh installs it";
  return QString::fromUtf8(run.readAllStandardOutput());
}

// The digits of each question in drawing order (pdftotext -raw keeps it),
// from its "N°)" to the next one.
QStringList DigitsByQuestion(const QString& pdf) {
  QStringList questions = Poppler("pdftotext", {"-raw", pdf, "-"}).split(QStringLiteral("°)"));
  questions.removeFirst();  // the headers
  for (QString& question : questions) {
    question.remove(QRegularExpression("\\D"));
  }
  return questions;
}

// The digits of each question of the command line's text listing, "7) 3/4
// + 5/6 = 19/12": every line writes a question's numbers in the order its
// picture draws them, and a fraction over 1 as its numerator alone, as the
// picture does. Without `answer`, every "= result" is left out, as the
// subject's pictures leave out the results. A kind whose question is drawn
// on its own lists its answer whole ("3/4 > 5/7"), after the question
// when that is another text ("3/4 ; 2/3 ; 5/6 ; 7/12 : 7/12 < 2/3 < ..."),
// and its key's line shows all it lists.
QStringList ListedDigits(const std::string& listing, bool answer, bool own_question) {
  QStringList questions = QString::fromStdString(listing).split('\n', Qt::SkipEmptyParts);
  questions.removeFirst();  // the name
  for (QString& question : questions) {
    question = question.section(") ", 1);
    if (own_question) {
      question = answer ? question : question.section(" : ", 0, 0);
    } else if (!answer) {
      question.remove(QRegularExpression(" = \\S+"));
    }
    question.remove(QRegularExpression("\\D"));
  }
  return questions;
}

TEST(PdfLines, EveryTypeWritesItsNumbersAsTextAndNoPicture) {
  QTemporaryDir folder;
  for (const ExerciseType type : kAllExerciseTypes) {
    const std::string word(Describe(type).command_word);
    SCOPED_TRACE(word);
    const QString base = folder.filePath(QString::fromStdString(word));
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunCli({"--type", word, "--max", "500", "--count", "40", "--seed", "12", "--out",
                      base.toStdString(), "--pdf"},
                     out, err),
              kExitOk)
        << err.str();
    const bool own_question = type == ExerciseType::kComparison ||
                              type == ExerciseType::kOrdering ||
                              type == ExerciseType::kEqualFractions;
    for (const bool answer : {false, true}) {
      if (!answer && type == ExerciseType::kEqualFractions) {
        continue;  // its subject leaves a gap where a number is listed
      }
      const QString pdf = base + (answer ? "_Cor.pdf" : ".pdf");
      EXPECT_EQ(Poppler("pdfimages", {"-list", pdf}).count('\n'), 2);  // its headings only
      if (std::holds_alternative<FigureKind>(Describe(type).kind) ||
          std::holds_alternative<NumberLineKind>(Describe(type).kind)) {
        continue;  // figures and lines, whose drawings a test reads back
      }
      const QStringList digits = DigitsByQuestion(pdf);
      const QStringList listed = ListedDigits(out.str(), answer, own_question);
      ASSERT_EQ(digits.size(), 40);
      ASSERT_EQ(listed.size(), 40);
      for (int i = 0; i < 40; ++i) {
        // The digits of the question's number end the previous segment.
        EXPECT_EQ(digits[i].chopped(i < 39 ? QString::number(i + 2).size() : 0), listed[i])
            << (answer ? "answer key" : "subject") << ", question " << i + 1;
      }
    }
  }
}

}  // namespace
}  // namespace fractions
