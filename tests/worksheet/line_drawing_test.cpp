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

#include "richtext/rtf_reader.h"
#include "richtext/sharp_picture.h"
#include "worksheet/line_layouts.h"
#include "worksheet/rtf_picture.h"
#include "worksheet/worksheet_build.h"

namespace fractions {
namespace {

// Both pictures of one question of several layouts, with numbers wider
// than a fraction's area. Not the power in parentheses: its arcs, drawn as
// outlines through the pixels' centres, fall on neighbouring pixels when
// Qt paints them aliased at 96 dots per inch.
std::vector<std::pair<QImage, std::shared_ptr<const LineDrawing>>> Lines() {
  std::vector<std::pair<QImage, std::shared_ptr<const LineDrawing>>> lines;
  LineImages images;
  const auto keep = [&] {
    lines.emplace_back(images.ImaQuest.Picture().copy(), images.ImaQuest.Drawing());
    lines.emplace_back(images.ImaRep.Picture().copy(), images.ImaRep.Drawing());
  };
  images.SetSizesFor(ExerciseType::kMultiplication);
  ComposeOperationLine(images, 40, ExerciseType::kMultiplication, {466, 150, 500, 7, 233, 105});
  keep();
  images.SetSizesFor(ExerciseType::kPowers);
  for (const PowerForm form : {PowerForm::kNumeratorOnly, PowerForm::kDenominatorOnly}) {
    ComposePowerLine(images, 9, {12, 35, 1728, 42875, form, 3});
    keep();
  }
  images.SetSizesFor(ExerciseType::kCommonDenominator);
  ComposeCommonDenominatorLine(images, 3, {2, 4, 1, 6, 6, 12, 2, 12});
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

// The black pixels of a picture, and how many of them the sharp copy
// leaves without ink in their 4 x 4 block.
struct InkAgreement {
  int ink = 0;
  int missed = 0;
};

InkAgreement CompareInk(const QImage& bitmap, const QImage& sharp) {
  const QImage small = bitmap.convertToFormat(QImage::Format_RGB32);
  const QImage big = sharp.convertToFormat(QImage::Format_RGB32);
  InkAgreement result;
  for (int y = 0; y < small.height(); ++y) {
    for (int x = 0; x < small.width(); ++x) {
      if (qGray(small.pixel(x, y)) >= 128) {
        continue;
      }
      bool block_inked = false;
      for (int i = 0; i < kSharpPictureScale * kSharpPictureScale; ++i) {
        block_inked |= qGray(big.pixel(x * kSharpPictureScale + i % kSharpPictureScale,
                                       y * kSharpPictureScale + i / kSharpPictureScale)) < 128;
      }
      result.ink += 1;
      result.missed += block_inked ? 0 : 1;
    }
  }
  return result;
}

// The rectangle holding a picture's black pixels.
QRect InkBounds(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  QRect bounds;
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) {
      if (qGray(rgb.pixel(x, y)) < 128) {
        bounds |= QRect(x, y, 1, 1);
      }
    }
  }
  return bounds;
}

// The copy saved files carry for word processors is the line drawn again
// at four times the resolution, not the bitmap enlarged: its ink covers the
// bitmap's, over the same area.
TEST(LineDrawing, TheSharpCopyIsTheLineDrawnFourTimesFiner) {
  for (const auto& [bitmap, drawing] : Lines()) {
    const QImage sharp = DrawSharpPicture(*drawing);
    ASSERT_EQ(sharp.size(), bitmap.size() * kSharpPictureScale);
    EXPECT_EQ(sharp.depth(), 1);
    const QImage enlarged = bitmap.scaled(sharp.size()).convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(sharp.convertToFormat(QImage::Format_RGB32), enlarged);
    const InkAgreement agreement = CompareInk(bitmap, sharp);
    EXPECT_GT(agreement.ink, 100);
    EXPECT_LE(agreement.missed * 20, agreement.ink) << agreement.missed << " of " << agreement.ink;
    const QRect bounds = InkBounds(bitmap);
    const QRect sharp_bounds = InkBounds(sharp);
    const QRectF shrunk(sharp_bounds.x() / 4.0, sharp_bounds.y() / 4.0, sharp_bounds.width() / 4.0,
                        sharp_bounds.height() / 4.0);
    EXPECT_LE(std::abs(shrunk.left() - bounds.left()), 1.0) << bitmap.width();
    EXPECT_LE(std::abs(shrunk.top() - bounds.top()), 1.0) << bitmap.width();
    EXPECT_LE(std::abs(shrunk.right() - (bounds.right() + 1)), 1.0) << bitmap.width();
    EXPECT_LE(std::abs(shrunk.bottom() - (bounds.bottom() + 1)), 1.0) << bitmap.width();
  }
}

TEST(LineDrawing, PicturesReadFromRtfFindTheirDrawings) {
  WorksheetSettings settings;
  settings.count = 12;
  const WorksheetDocuments documents =
      BuildSeededWorksheet(ExerciseType::kCommonDenominator, settings, 5);
  for (const std::string* rtf : {&documents.subject, &documents.answer_key}) {
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
    EXPECT_EQ(found, 12);
  }
}

}  // namespace
}  // namespace fractions
