// The command line's PDFs draw every exercise line again as text and
// vector lines: no picture in them, and pdftotext reads every number of
// every question where it is drawn, the results in the answer key only.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// The numbers of a question in the order they are drawn, each fraction's
// denominator left out when it is 1; with `answer`, the results too.
QString DrawnDigits(const QString& type, const QJsonObject& q, bool answer) {
  const auto fraction = [&](const char* num, const char* den) {
    const int d = q[den].toInt();
    return QString::number(q[num].toInt()) + (d == 1 ? QString() : QString::number(d));
  };
  const QString exponent = QString::number(q["exp"].toInt());
  const int form = q["form"].toInt();
  if (type == "pow") {
    return QString::number(q["a"].toInt()) + (form == 2 ? exponent : "") +
           QString::number(q["b"].toInt()) + (form != 2 ? exponent : "") +
           (answer ? fraction("num", "den") : "");
  }
  if (type == "simp") {
    return fraction("a", "b") + (answer ? fraction("num", "den") : "");
  }
  if (type == "reduc") {
    return fraction("a", "b") + (answer ? fraction("p1", "q1") : "") + fraction("c", "d") +
           (answer ? fraction("p2", "q2") : "");
  }
  return fraction("a", "b") + fraction("c", "d") + (answer ? fraction("num", "den") : "");
}

TEST(PdfLines, EveryTypeWritesItsNumbersAsTextAndNoPicture) {
  QTemporaryDir folder;
  for (const ExerciseType type : kAllExerciseTypes) {
    const std::string word(Describe(type).command_word);
    SCOPED_TRACE(word);
    const QString base = folder.filePath(QString::fromStdString(word));
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunCli({"--type", word, "--max", "500", "--count", "40", "--seed", "12", "--json",
                      "--out", base.toStdString(), "--pdf"},
                     out, err),
              kExitOk)
        << err.str();
    const QJsonArray questions =
        QJsonDocument::fromJson(QByteArray::fromStdString(out.str()))["questions"].toArray();
    for (const bool answer : {false, true}) {
      const QString pdf = base + (answer ? "_Cor.pdf" : ".pdf");
      EXPECT_EQ(Poppler("pdfimages", {"-list", pdf}).count('\n'), 2);  // its headings only
      const QStringList digits = DigitsByQuestion(pdf);
      ASSERT_EQ(digits.size(), 40);
      for (int i = 0; i < 40; ++i) {
        // The digits of the question's number end the previous segment.
        EXPECT_EQ(digits[i].chopped(i < 39 ? QString::number(i + 2).size() : 0),
                  DrawnDigits(QString::fromStdString(word), questions[i].toObject(), answer))
            << (answer ? "answer key" : "subject") << ", question " << i + 1;
      }
    }
  }
}

}  // namespace
}  // namespace fractions
