#include <gtest/gtest.h>

#include "picture_probe.h"
#include "pictures/fraction_drawing.h"
#include "pictures/kinds/common_denominator_line.h"
#include "pictures/kinds/four_operations_line.h"
#include "pictures/kinds/powers_line.h"
#include "pictures/kinds/simplification_line.h"
#include "pictures/line_fonts.h"

namespace fractions {
namespace {

using testing::BlackPixels;
using testing::IsBlack;
using testing::IsTwoColoured;

QImage Fraction(int num, int den, int canvas_width = 19) {
  LineImage canvas;
  canvas.SetSize(canvas_width, 28);
  DrawFraction(canvas, num, den);
  return canvas.Picture();
}

TEST(LineFonts, OperandColumnIsTwentyFourPixels) {
  LineImage image;
  image.SetSize(10, 10);
  EXPECT_EQ(image.TextWidth("1000"), 24);
}

TEST(DrawFraction, BarOnRowFifteenFromColumnZeroToEighteen) {
  for (const auto& [num, den] : {std::pair{3, 4}, std::pair{999, 7}, std::pair{1, 998}}) {
    const QImage picture = Fraction(num, den, 41);  // room right of the 19-pixel area
    for (int x = 0; x <= 18; ++x) {
      EXPECT_TRUE(IsBlack(picture, x, 15)) << num << "/" << den << " column " << x;
    }
    EXPECT_FALSE(IsBlack(picture, 19, 15));
    EXPECT_GT(BlackPixels(picture, QRect(0, 0, 19, 15)), 0);   // numerator above
    EXPECT_GT(BlackPixels(picture, QRect(0, 16, 19, 12)), 0);  // denominator below
    EXPECT_TRUE(IsTwoColoured(picture));
  }
}

TEST(DrawFraction, WholeNumberHasNoBarAndSitsLower) {
  const QImage picture = Fraction(4, 1);
  EXPECT_LT(BlackPixels(picture, QRect(0, 15, 19, 1)), 19);  // no bar
  EXPECT_EQ(BlackPixels(picture, QRect(0, 0, 19, 7)), 0);    // nothing above row 7
  EXPECT_GT(BlackPixels(picture, QRect(0, 7, 19, 14)), 0);
  // Centred on its own: "4" stays clear of both edges.
  EXPECT_EQ(BlackPixels(picture, QRect(0, 0, 5, 28)) + BlackPixels(picture, QRect(14, 0, 5, 28)),
            0);
}

QImage AnswerLine(LineImages& images, int number, const OperationQuestion& q) {
  ComposeLine(images, number, OperationKind{Operation::kAdd}, q);
  return images.ImaRep.Picture().copy();
}

// In large print too, where the widths of the texts grow by their fonts'
// own steps rather than by exactly 1.5.
TEST(OperationLine, ResultLiesRightOfColumnNinetyAndOutOfTheQuestion) {
  for (const auto& [scale, cut, width, height] :
       {std::tuple{kStandardSizes.pictures, 90, 120, 28},
        std::tuple{kLargePrintSizes.pictures, 135, 180, 42}}) {
    SCOPED_TRACE(cut);
    LineImages images;
    images.SetScale(scale);
    const QImage with_result = AnswerLine(images, 7, {999, 999, 999, 999, 999, 999});
    const QImage question = images.ImaQuest.Picture().copy();
    const QImage other_result = AnswerLine(images, 7, {999, 999, 999, 999, 1, 2});
    EXPECT_EQ(question.size(), QSize(cut, height));
    EXPECT_EQ(with_result.size(), QSize(width, height));
    EXPECT_EQ(question, with_result.copy(0, 0, cut, height));
    EXPECT_EQ(with_result.copy(0, 0, cut, height), other_result.copy(0, 0, cut, height));
    EXPECT_NE(with_result, other_result);
    EXPECT_GT(BlackPixels(question, QRect(cut - 20, 0, 20, height)), 0);     // the "=" is in
    EXPECT_EQ(BlackPixels(with_result, QRect(width - 2, 0, 2, height)), 0);  // "999" not cut
    EXPECT_TRUE(IsTwoColoured(with_result));
  }
}

TEST(OperationLine, QuestionFortyDoesNotMoveTheOperands) {
  LineImages images;
  const OperationQuestion q{12, 35, 7, 8, 341, 280};
  const QImage first = AnswerLine(images, 1, q);
  const QImage fortieth = AnswerLine(images, 40, q);
  EXPECT_EQ(first.copy(24, 0, 96, 28), fortieth.copy(24, 0, 96, 28));
  EXPECT_NE(first.copy(0, 0, 24, 28), fortieth.copy(0, 0, 24, 28));
}

QImage PowerOperand(PowerForm form) {
  LineImage canvas;
  canvas.SetSize(41, 28);
  DrawPowerFraction(canvas, 3, 4, form, 2);
  return canvas.Picture();
}

TEST(PowerFraction, ParenthesesAndExponentPositions) {
  const QImage whole = PowerOperand(PowerForm::kWholeFraction);
  const QImage numerator = PowerOperand(PowerForm::kNumeratorOnly);
  const QImage denominator = PowerOperand(PowerForm::kDenominatorOnly);
  for (const QImage* picture : {&whole, &numerator, &denominator}) {
    EXPECT_TRUE(IsTwoColoured(*picture));
    for (int x = 6; x <= 24; ++x) {
      EXPECT_TRUE(IsBlack(*picture, x, 15)) << x;  // the bar, shifted 6 pixels
    }
    EXPECT_FALSE(IsBlack(*picture, 25, 15));
  }
  // Form 1: a parenthesis left of the bar and one right of it, both tall,
  // and the exponent right of the closing one at the top.
  // Each parenthesis bulges outward: its middle lies at the outer edge.
  EXPECT_GT(BlackPixels(whole, QRect(0, 12, 2, 4)), 0);
  EXPECT_EQ(BlackPixels(whole, QRect(3, 10, 3, 4)), 0);
  EXPECT_GT(BlackPixels(whole, QRect(27, 12, 3, 4)), 0);
  EXPECT_EQ(BlackPixels(whole, QRect(20, 10, 5, 4)), 0);
  EXPECT_GT(BlackPixels(whole, QRect(0, 0, 6, 8)), 0);
  EXPECT_GT(BlackPixels(whole, QRect(0, 20, 6, 8)), 0);
  EXPECT_GT(BlackPixels(whole, QRect(25, 0, 6, 8)), 0);
  EXPECT_GT(BlackPixels(whole, QRect(25, 20, 6, 8)), 0);
  EXPECT_GT(BlackPixels(whole, QRect(31, 0, 10, 10)), 0);
  EXPECT_EQ(BlackPixels(whole, QRect(31, 12, 10, 16)), 0);
  // Forms 2 and 3: no parentheses; the exponent one pixel right of the
  // numerator (top) or the denominator (from row 16).
  for (const QImage* picture : {&numerator, &denominator}) {
    EXPECT_EQ(BlackPixels(*picture, QRect(0, 0, 6, 28)), 0);
  }
  EXPECT_GT(BlackPixels(numerator, QRect(20, 0, 10, 12)), 0);
  EXPECT_EQ(BlackPixels(numerator, QRect(20, 16, 21, 12)), 0);
  EXPECT_GT(BlackPixels(denominator, QRect(20, 16, 10, 12)), 0);
  EXPECT_EQ(BlackPixels(denominator, QRect(20, 0, 21, 15)), 0);
}

TEST(CommonDenominatorLine, TwoRowsJoinedByEt) {
  LineImages images;
  ComposeLine(images, 3, CommonDenominatorKind{}, {2, 4, 1, 6, 6, 12, 2, 12});
  const QImage answer = images.ImaRep.Picture().copy();
  const QImage question = images.ImaQuest.Picture().copy();
  EXPECT_EQ(answer.size(), QSize(77, 70));
  EXPECT_EQ(question, answer.copy(0, 0, 53, 70));
  // Bars of the given fractions (column 24 on) and of the rewritten ones
  // (column 57 on), on row 15 of each row.
  for (const int row : {15, 42 + 15}) {
    EXPECT_TRUE(IsBlack(answer, 24, row) && IsBlack(answer, 42, row)) << row;
    EXPECT_TRUE(IsBlack(answer, 57, row) && IsBlack(answer, 75, row)) << row;
    EXPECT_FALSE(IsBlack(question, 52, row));
  }
  EXPECT_GT(BlackPixels(answer, QRect(8, 29, 16, 12)), 0);  // "et"
  // The second row's "=" stands 4 pixels higher in its row than the first's.
  const auto first_black_row = [&](int top) {
    for (int y = top; y < top + 28; ++y) {
      if (BlackPixels(answer, QRect(43, y, 12, 1)) > 0)
        return y - top;
    }
    return -1;
  };
  EXPECT_EQ(first_black_row(42), first_black_row(0) - 4);
  EXPECT_EQ(BlackPixels(answer, QRect(24, 28, 53, 14)), 0);  // nothing else between rows
}

TEST(LineLayouts, PowerAndSimplificationQuestionsStopBeforeTheResult) {
  LineImages images;
  ComposeLine(images, 9, PowerKind{}, {6, 4, 243, 32, PowerForm::kWholeFraction, 5});
  EXPECT_EQ(images.ImaQuest.Picture(), images.ImaRep.Picture().copy(0, 0, 65, 28));
  EXPECT_EQ(BlackPixels(images.ImaRep.Picture(), QRect(79, 0, 19, 28)) > 0, true);
  ComposeLine(images, 9, SimplificationKind{}, {12, 18, 2, 3});
  EXPECT_EQ(images.ImaQuest.Picture(), images.ImaRep.Picture().copy(0, 0, 53, 28));
  EXPECT_GT(BlackPixels(images.ImaRep.Picture(), QRect(57, 0, 19, 28)), 0);
  EXPECT_EQ(BlackPixels(images.ImaQuest.Picture(), QRect(53 - 10, 15, 10, 1)), 0);
}

}  // namespace
}  // namespace fractions
