// The drawing a line image records is the picture again: at 96 dots per
// inch it gives the bitmap's very pixels (true_size_test.cpp measures it
// at printers' resolutions); and it is found again from the picture's
// bytes once the picture has been through RTF.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include "pictures/kinds/common_denominator_line.h"
#include "pictures/kinds/figures_line.h"
#include "pictures/kinds/four_operations_line.h"
#include "pictures/kinds/number_lines_line.h"
#include "pictures/kinds/powers_line.h"
#include "pictures/rtf_picture.h"
#include "richtext/rtf_reader.h"
#include "richtext/sharp_picture.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

// Both pictures of one question of several layouts, with numbers wider
// than a fraction's area, and in large print, with its thicker bars. Not
// the power in parentheses: its arcs, drawn as outlines through the
// pixels' centres, fall on neighbouring pixels when Qt paints them aliased
// at 96 dots per inch.
std::vector<std::pair<QImage, std::shared_ptr<const LineDrawing>>> Lines() {
  std::vector<std::pair<QImage, std::shared_ptr<const LineDrawing>>> lines;
  LineImages images;
  const auto keep = [&] {
    lines.emplace_back(images.ImaQuest.Picture().copy(), images.ImaQuest.Drawing());
    lines.emplace_back(images.ImaRep.Picture().copy(), images.ImaRep.Drawing());
  };
  ComposeLine(images, 40, OperationKind{Operation::kMultiply}, {466, 150, 500, 7, 233, 105});
  keep();
  for (const PowerForm form : {PowerForm::kNumeratorOnly, PowerForm::kDenominatorOnly}) {
    ComposeLine(images, 9, PowerKind{}, {12, 35, 1728, 42875, form, 3});
    keep();
  }
  ComposeLine(images, 3, CommonDenominatorKind{}, {2, 4, 1, 6, 6, 12, 2, 12});
  keep();
  images.SetScale(kLargePrintSizes.pictures);
  ComposeLine(images, 40, OperationKind{Operation::kMultiply}, {466, 150, 500, 7, 233, 105});
  keep();
  ComposeLine(images, 9, PowerKind{}, {12, 35, 1728, 42875, PowerForm::kNumeratorOnly, 3});
  keep();
  return lines;
}

TEST(LineDrawing, AtNinetySixDotsPerInchItIsTheBitmap) {
  for (const auto& [bitmap, drawing] : Lines()) {
    ASSERT_EQ(drawing->Size(), bitmap.size());
    QImage redrawn(bitmap.size(), QImage::Format_RGB32);
    redrawn.fill(Qt::gray);  // anything the drawing leaves unpainted shows
    QPainter painter(&redrawn);
    drawing->Draw(painter);
    painter.end();
    EXPECT_EQ(redrawn, bitmap.convertToFormat(QImage::Format_RGB32))
        << bitmap.width() << " x " << bitmap.height();
  }
}

// The copy saved files carry for word processors is the line drawn again
// four times finer, not the bitmap enlarged: within one pixel of the
// bitmap's bounds, its ink covers every black pixel of the bitmap but a
// few.
TEST(LineDrawing, TheSharpCopyIsTheLineDrawnFourTimesFiner) {
  for (const auto& [bitmap, drawing] : Lines()) {
    const QImage sharp = DrawSharpPicture(*drawing).convertToFormat(QImage::Format_RGB32);
    const QImage small = bitmap.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(sharp.size(), small.size() * 4);
    EXPECT_NE(sharp, small.scaled(sharp.size()));
    const auto copy_inked = [&](int x, int y) {  // anywhere in the pixel's 4 x 4 block
      for (int i = 0; i < 16; ++i) {
        if (qGray(sharp.pixel(x * 4 + i % 4, y * 4 + i / 4)) < 128) {
          return true;
        }
      }
      return false;
    };
    int ink = 0;
    int missed = 0;
    QRect bounds;
    QRect sharp_bounds;
    for (int y = 0; y < small.height(); ++y) {
      for (int x = 0; x < small.width(); ++x) {
        const bool inked = copy_inked(x, y);
        sharp_bounds |= inked ? QRect(x, y, 1, 1) : QRect();
        if (qGray(small.pixel(x, y)) < 128) {
          bounds |= QRect(x, y, 1, 1);
          ink += 1;
          missed += inked ? 0 : 1;
        }
      }
    }
    EXPECT_GT(ink, 100);
    EXPECT_LE(missed * 20, ink);
    EXPECT_LE((sharp_bounds.topLeft() - bounds.topLeft()).manhattanLength(), 2);
    EXPECT_LE((sharp_bounds.bottomRight() - bounds.bottomRight()).manhattanLength(), 2);
  }
}

// Figures and graduated lines drawn again four times finer keep to the
// bitmap's ink: every inked block of the copy has a black pixel of the
// bitmap next to it (hatching replayed outside its parts would not), and
// the copy covers nearly all of the bitmap's ink.
TEST(LineDrawing, FiguresAndLinesDrawnAgainKeepToTheirPixels) {
  const auto expect_kept = [](LineImage& image, const std::string& what) {
    const QImage small = image.Picture().convertToFormat(QImage::Format_RGB32);
    const QImage sharp = DrawSharpPicture(*image.Drawing()).convertToFormat(QImage::Format_RGB32);
    const auto black = [&](int x, int y) {
      return QRect(QPoint(), small.size()).contains(x, y) && qGray(small.pixel(x, y)) < 128;
    };
    int ink = 0, missed = 0, strays = 0;
    for (int y = 0; y < small.height(); ++y) {
      for (int x = 0; x < small.width(); ++x) {
        bool inked = false, near = false;
        for (int i = 0; i < 16; ++i) {
          inked = inked || qGray(sharp.pixel(x * 4 + i % 4, y * 4 + i / 4)) < 128;
        }
        for (int i = 0; i < 9; ++i) {
          near = near || black(x + i % 3 - 1, y + i / 3 - 1);
        }
        ink += black(x, y) ? 1 : 0;
        missed += black(x, y) && !inked ? 1 : 0;
        strays += inked && !near ? 1 : 0;
      }
    }
    EXPECT_GT(ink, 300) << what;
    EXPECT_LE(missed * 20, ink) << what;
    EXPECT_EQ(strays, 0) << what;
  };
  using enum FigureShape;
  const FigureQuestion figures[] = {{kDisc, 1, 6, 1, 4, 6, {0b001111, 0, 0}},
                                    {kGrid, 3, 4, 2, 17, 12, {0xFFF, 0b11111, 0}},
                                    {kStrip, 1, 10, 3, 23, 10, {0x3FF, 0x3FF, 0b111}}};
  const NumberLineQuestion line{8, 2, {{{9, 9, 8}, {4, 1, 2}, {15, 15, 8}}}};
  for (const LineScale scale : {LineScale(), kLargePrintSizes.pictures}) {
    LineImages images;
    images.SetScale(scale);
    for (const FigureQuestion& q : figures) {
      ComposeLine(images, 1, FigureKind{FigureForm::kRead}, q);
      expect_kept(images.ImaRep, "figures of " + std::to_string(q.columns) + " parts");
    }
    ComposeLine(images, 1, NumberLineKind{NumberLineForm::kPlace}, line);
    expect_kept(images.ImaRep, "line");
  }
}

// Worked keys' pictures too, several to a question.
TEST(LineDrawing, PicturesReadFromRtfFindTheirDrawings) {
  WorksheetSettings settings;
  settings.count = 12;
  const SheetDocuments documents =
      BuildSeededSheet({{ExerciseType::kCommonDenominator, settings}}, 5);
  settings.options.worked = true;
  const std::string worked_key =
      BuildSeededSheet({{ExerciseType::kCommonDenominator, settings}}, 5).answer_key;
  for (const std::string* rtf : {&documents.subject, &documents.answer_key, &worked_key}) {
    QTextDocument document;
    QTextCursor cursor(&document);
    ASSERT_FALSE(InsertRtf(cursor, *rtf).has_value());
    int found = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (!format.isImageFormat()) {
          continue;
        }
        QImage picture =
            document.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                .value<QImage>();
        const auto drawing = FindPictureDrawing(picture);
        ASSERT_NE(drawing, nullptr);
        EXPECT_EQ(drawing->Size(), picture.size());
        found += 1;
        picture.setPixel(0, 0, picture.pixelIndex(0, 0) ^ 1);  // a hand-touched copy
        EXPECT_EQ(FindPictureDrawing(picture), nullptr);
      }
    }
    EXPECT_EQ(found, rtf == &worked_key ? 2 * 12 : 12);  // two rows, each on one picture
  }
}

}  // namespace
}  // namespace fractions
