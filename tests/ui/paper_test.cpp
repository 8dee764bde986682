// The subject on paper as the teacher sees it on screen: printed through
// the real path (a view's document, the class set's print function, a PDF
// printer) at printer resolutions, each exercise line lands where the same
// document paginated at 96 dots per inch puts it, blank lines included; a
// line typed by hand prints at the size it shows.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <map>

#include "output/print_views.h"
#include "ui/rich_edit_view.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

// Where an exercise line stands: its page (from 1) and the top of its
// number "N°)" on it, in points.
struct Place {
  int page;
  double top;
};

// Prints the view's document as "Imprimer" does, on A4 paper at `dpi`.
QString Print(const TRxRichEdit& view, int dpi, const QTemporaryDir& folder) {
  const QString pdf = folder.filePath(QStringLiteral("sujet-%1.pdf").arg(dpi));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setResolution(dpi);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  PrintClassSet(*view.document(), *view.document(), 1, 0, printer);
  return pdf;
}

// The place of every exercise line of a PDF, by question number, and the
// height of a typed word "Bravo", as pdftotext reads them.
struct PdfReading {
  std::map<int, Place> lines;
  double typed_height = 0;
};

PdfReading Read(const QString& pdf) {
  QProcess text;
  text.start("pdftotext", {"-bbox", pdf, "-"});
  EXPECT_TRUE(text.waitForFinished()) << "pdftotext missing: tools/test.sh installs poppler-utils";
  PdfReading reading;
  int page = 0;
  static const QRegularExpression word(
      "<word xMin=\"[-0-9.]+\" yMin=\"([-0-9.]+)\" xMax=\"[-0-9.]+\" yMax=\"([-0-9.]+)\">([^<]*)<");
  for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n')) {
    if (line.contains("<page ")) {
      ++page;
    }
    const QRegularExpressionMatch match = word.match(line);
    if (!match.hasMatch()) {
      continue;
    }
    const QString content = match.captured(3);
    const double top = match.captured(1).toDouble();
    if (content.endsWith(QStringLiteral("°)"))) {
      reading.lines[content.chopped(2).toInt()] = {page, top};
    } else if (content == "Bravo") {
      reading.typed_height = match.captured(2).toDouble() - top;
    }
  }
  return reading;
}

class Paper : public ::testing::TestWithParam<int> {};

TEST_P(Paper, LinesLandWhereTheScreenPutsThemAtEveryResolution) {
  const int spacing = GetParam();
  WorksheetSettings settings;
  settings.count = 40;
  settings.spacing = spacing;
  TRxRichEdit view;
  view.ClearView();
  LoadRtfIntoView(view, BuildSeededSheet({{ExerciseType::kAddition, settings}}, 5).subject);
  QTemporaryDir folder;
  const PdfReading screen = Read(Print(view, 96, folder));
  ASSERT_EQ(screen.lines.size(), 40u);
  // An empty line's height on screen: the most a line may move on paper.
  const double blank_line = 9 * 1.2;
  for (const int dpi : {300, 600, 1200}) {
    SCOPED_TRACE(dpi);
    const PdfReading paper = Read(Print(view, dpi, folder));
    ASSERT_EQ(paper.lines.size(), 40u);
    for (const auto& [number, place] : paper.lines) {
      const Place& expected = screen.lines.at(number);
      // A line may cross a page break the other way, no more.
      if (place.page == expected.page) {
        EXPECT_NEAR(place.top, expected.top, blank_line) << number;
      } else {
        EXPECT_EQ(std::abs(place.page - expected.page), 1) << number;
      }
    }
    // The blank lines between two questions print as tall as on screen.
    for (int number = 1; number < 40; ++number) {
      const Place a = paper.lines.at(number);
      const Place b = paper.lines.at(number + 1);
      const Place sa = screen.lines.at(number);
      const Place sb = screen.lines.at(number + 1);
      if (a.page == b.page && sa.page == sb.page) {
        EXPECT_NEAR(b.top - a.top, sb.top - sa.top, 1.5) << number;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Spacing, Paper, ::testing::Values(0, 1, 5, 10));

TEST(Paper, ATypedLinePrintsAtItsSizeOnScreen) {
  TRxRichEdit view;
  view.ClearView();
  view.SetEditable(true);
  QTextCursor cursor = view.textCursor();
  cursor.insertText("Bravo");  // into an emptied view: the view's own font
  QTemporaryDir folder;
  const double on_screen = Read(Print(view, 96, folder)).typed_height;
  ASSERT_GT(on_screen, 5);
  for (const int dpi : {300, 1200}) {
    EXPECT_NEAR(Read(Print(view, dpi, folder)).typed_height, on_screen, 0.5) << dpi;
  }
}

}  // namespace
}  // namespace fractions
