// Exercise lines print at their true size on every printer: printed to PDF
// at 300, 360, 600 and 1200 dots per inch, every fraction bar is 19/96 inch
// (14.25 points) long in the PDF's own coordinates, and to the dot once
// the PDF is rasterised by poppler at 600 and 1200 dots per inch.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTransform>
#include <vector>

#include "output/print_views.h"
#include "richtext/rtf_reader.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

constexpr double kBarPoints = 19 * 72.0 / 96;  // 14.25
constexpr double kPixelPoints = 72.0 / 96;     // a bar's thickness

// The content streams of a PDF as Qt writes them (deflated).
std::vector<QByteArray> ContentStreams(const QByteArray& pdf) {
  std::vector<QByteArray> streams;
  const QRegularExpression stream(QStringLiteral("/FlateDecode\\s*>>\\s*stream\\r?\\n"));
  const QString latin = QString::fromLatin1(pdf);
  for (auto it = stream.globalMatch(latin); it.hasNext();) {
    const auto match = it.next();
    const qsizetype start = match.capturedEnd();
    const QByteArray deflated = pdf.mid(start, pdf.indexOf("endstream", start) - start);
    QByteArray sized(4, '\0');  // qUncompress wants the size first: room enough for a page
    sized[1] = 0x40;
    streams.push_back(qUncompress(sized + deflated));
  }
  return streams;
}

// The filled rectangles ("re") of a content stream, in points, through the
// transformations ("q", "Q", "cm") in force where each is drawn.
std::vector<QRectF> Rectangles(const QByteArray& content) {
  std::vector<QRectF> rectangles;
  std::vector<double> operands;
  QTransform ctm;
  std::vector<QTransform> saved;
  for (const QByteArray& token : content.simplified().split(' ')) {
    bool number = false;
    const double value = token.toDouble(&number);
    if (number) {
      operands.push_back(value);
      continue;
    }
    const auto last = [&](size_t i) { return operands[operands.size() - i]; };
    if (token == "q") {
      saved.push_back(ctm);
    } else if (token == "Q" && !saved.empty()) {
      ctm = saved.back();
      saved.pop_back();
    } else if (token == "cm" && operands.size() >= 6) {
      ctm = QTransform(last(6), last(5), last(4), last(3), last(2), last(1)) * ctm;
    } else if (token == "re" && operands.size() >= 4) {
      rectangles.push_back(ctm.mapRect(QRectF(last(4), last(3), last(2), last(1))));
    }
    operands.clear();
  }
  return rectangles;
}

// The lengths of the black runs in the rows of the first page's top-left
// 3 x 7 inches (where the lines stand) rasterised by poppler, between
// `shortest` and `longest` dots.
std::vector<int> BlackRuns(const QString& pdf, int dpi, int shortest, int longest) {
  const QString stem = pdf + QString::number(dpi);
  QProcess raster;
  raster.start("pdftoppm", {"-r", QString::number(dpi), "-gray", "-f", "1", "-l", "1", "-x", "0",
                            "-y", "0", "-W", QString::number(3 * dpi), "-H",
                            QString::number(7 * dpi), "-singlefile", pdf, stem});
  EXPECT_TRUE(raster.waitForFinished(120000)) << "pdftoppm missing: tools/test.sh installs it";
  const QImage page(stem + ".pgm");
  EXPECT_FALSE(page.isNull());
  std::vector<int> runs;
  for (int y = 0; y < page.height(); ++y) {
    int run = 0;
    for (int x = 0; x <= page.width(); ++x) {
      if (x < page.width() && qGray(page.pixel(x, y)) < 128) {
        ++run;
        continue;
      }
      if (run >= shortest && run <= longest) {
        runs.push_back(run);
      }
      run = 0;
    }
  }
  return runs;
}

TEST(TrueSize, FractionBarsAreNineteenNinetySixthsOfAnInchAtEveryResolution) {
  WorksheetSettings settings;
  settings.count = 6;
  const SheetDocuments documents =
      BuildSeededSheet({{ExerciseType::kMultiplication, settings}}, 31);
  QTextDocument subject;
  QTextCursor cursor(&subject);
  ASSERT_FALSE(InsertRtf(cursor, documents.subject).has_value());
  QTemporaryDir folder;
  for (const int dpi : {300, 360, 600, 1200}) {
    SCOPED_TRACE(dpi);
    const QString pdf = folder.filePath(QString("sujet%1.pdf").arg(dpi));
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      printer.setResolution(dpi);
      printer.setPageLayout(
          QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
      PrintDocument(subject, printer, "Sujet");
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int bars = 0;
    for (const QByteArray& content : ContentStreams(file.readAll())) {
      for (const QRectF& rectangle : Rectangles(content)) {
        if (std::abs(rectangle.height() - kPixelPoints) < 0.05 && rectangle.width() > 5) {
          EXPECT_NEAR(rectangle.width(), kBarPoints, kBarPoints / 100);
          ++bars;
        }
      }
    }
    EXPECT_EQ(bars, 12);  // two operands a question, none of them whole here
    for (const int raster_dpi : {600, 1200}) {
      const double dots = 19.0 * raster_dpi / 96;
      const std::vector<int> runs =
          BlackRuns(pdf, raster_dpi, static_cast<int>(dots * 0.8), static_cast<int>(dots * 1.2));
      EXPECT_GE(runs.size(), 12u * raster_dpi / 96 * 3 / 4);  // every bar, several dots thick
      for (const int run : runs) {
        EXPECT_NEAR(run, dots, 1.0) << raster_dpi << " dpi";
      }
    }
  }
}

}  // namespace
}  // namespace fractions
