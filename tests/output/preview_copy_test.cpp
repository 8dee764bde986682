// The preview's pages are a small copy of the printed ones. The subject of
// a "+" run with the window's default settings is printed to PDF as
// "Imprimer" prints it, on A4 printers of 300, 600 and 1200 dots per inch,
// on one whose unprintable border is wider than the print margin, and on
// the sheet the window falls back to without a printer; the preview is
// made for the same printer. Its first page has its ink where the printed
// page, shrunk to the same size, has it (the same margins, text of the same
// size, nothing cut), and its second page starts with the question the
// printed second page starts with. A second run of these tests (CMake)
// sets the screen to 144 dots per inch.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>

#include "output/preview_files.h"
#include "output/print_views.h"
#include "output/rich_edit_emf_print.h"
#include "richtext/rtf_reader.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

constexpr QSize kPicture(420, 594);  // the pane's page image, 2 pixels per mm of A4

struct Ink {
  QRect box;          // of every pixel clearly off-white, grey dots included
  double dark_share;  // of the page: pixels darker than mid-grey
};

Ink InkOf(const QImage& page) {
  Ink ink{QRect(), 0};
  int dark = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      const int grey = qGray(page.pixel(x, y));
      dark += grey < 128 ? 1 : 0;
      if (grey < 192) {
        ink.box |= QRect(x, y, 1, 1);
      }
    }
  }
  ink.dark_share = static_cast<double>(dark) / (page.width() * page.height());
  return ink;
}

QString OutputOf(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString() << " missing";
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Page `page` (from 1) of a PDF, rasterised by poppler to the pane's size.
QImage PrintedPicture(const QString& pdf, int page) {
  const QString number = QString::number(page);
  OutputOf(
      "pdftoppm",
      {"-f", number, "-l", number, "-scale-to-x", QString::number(kPicture.width()), "-scale-to-y",
       QString::number(kPicture.height()), "-gray", "-singlefile", pdf, pdf + number});
  return QImage(pdf + number + ".pgm");
}

// The number of the first exercise line, "N°)", of a page's text or of a
// page file (an SVG, each piece of text in an element of its own).
int FirstQuestion(QString text) {
  static const QRegularExpression tag(QStringLiteral("<[^>]*>\\s*"));
  static const QRegularExpression number(QStringLiteral("(\\d+)°\\)"));
  const QRegularExpressionMatch match = number.match(text.remove(tag));
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

struct Printer {
  const char* what;
  int dpi;                // 0: the sheet the window takes without a printer
  QMarginsF unprintable;  // in millimetres
  QMarginsF expected_mm;  // the margins the pages keep
};

std::unique_ptr<QPrinter> Make(const Printer& p, const QString& pdf) {
  std::unique_ptr<QPrinter> printer = SheetWithoutPrinter();
  if (p.dpi > 0) {
    printer->setResolution(p.dpi);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                       QPageLayout::Millimeter, p.unprintable));
    // Set to print on the whole sheet, past its unprintable border.
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF());
  }
  printer->setOutputFileName(pdf);
  return printer;
}

TEST(PreviewCopy, ThePreviewIsASmallCopyOfThePrintedPage) {
  WorksheetSettings settings;  // the window's defaults
  QTextDocument subject;
  QTextCursor cursor(&subject);
  ASSERT_FALSE(
      InsertRtf(cursor, BuildSeededSheet({{ExerciseType::kAddition, settings}}, 17).subject));
  const QMarginsF none;
  const QMarginsF least(15, 15, 15, 15);
  const Printer printers[] = {
      {"300 dpi", 300, none, least},
      {"600 dpi", 600, none, least},
      {"1200 dpi", 1200, none, least},
      {"no printer", 0, none, least},
      {"a wide unprintable border", 600, QMarginsF(25, 20, 5, 10), QMarginsF(25, 20, 15, 15)},
  };
  QTemporaryDir folder;
  const QDir here(folder.path());
  for (const Printer& p : printers) {
    SCOPED_TRACE(p.what);
    const QString pdf = here.filePath(QStringLiteral("%1.pdf").arg(p.dpi));
    // A printer each, as alike as two printers of one model: neither takes
    // its margins from the other.
    WrittenFiles files;
    ASSERT_EQ(RichEditToEMF(subject, here, *Make(p, pdf), files), 2);
    ASSERT_TRUE(PrintDocument(subject, *Make(p, pdf), "Sujet"));

    const Ink preview = InkOf(PreviewPagePicture(PreviewPageFile(here, 0), kPicture));
    const Ink printed = InkOf(PrintedPicture(pdf, 1));
    EXPECT_GE(preview.dark_share, 0.003);
    EXPECT_LE(preview.dark_share, 0.08);
    EXPECT_LE(preview.box.right(), 0.8 * kPicture.width());
    // The header starts at the margins' corner.
    const double per_mm = kPicture.width() / 210.0;
    EXPECT_NEAR(preview.box.left(), p.expected_mm.left() * per_mm, 2);
    EXPECT_NEAR(preview.box.top(), p.expected_mm.top() * per_mm, 4);
    EXPECT_LE(preview.box.bottom(), kPicture.height() - p.expected_mm.bottom() * per_mm);
    for (const auto& [side, a, b] :
         {std::tuple{"left", preview.box.left(), printed.box.left()},
          std::tuple{"top", preview.box.top(), printed.box.top()},
          std::tuple{"right", preview.box.right(), printed.box.right()},
          std::tuple{"bottom", preview.box.bottom(), printed.box.bottom()}}) {
      EXPECT_NEAR(a, b, 2) << side << " of the ink";
    }

    const int second_page = FirstQuestion(OutputOf("pdftotext", {"-f", "2", "-l", "2", pdf, "-"}));
    EXPECT_GT(second_page, 1);
    QFile page_file(PreviewPageFile(here, 1));
    ASSERT_TRUE(page_file.open(QIODevice::ReadOnly));
    EXPECT_EQ(FirstQuestion(QString::fromUtf8(page_file.readAll())), second_page);
    files.RemoveAll();
  }
}

}  // namespace
}  // namespace fractions
