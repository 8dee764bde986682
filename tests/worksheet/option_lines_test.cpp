// Lines drawn with the exercise options: negative numbers with a true minus
// before the bar, a negative second operand in parentheses, the question
// cut just after its "=" however far the signs push it, the division sign
// and the mixed form.
#include <gtest/gtest.h>

#include "picture_probe.h"
#include "worksheet/fraction_drawing.h"
#include "worksheet/kinds/four_operations_line.h"
#include "worksheet/kinds/simplification_line.h"

namespace fractions {
namespace {

using testing::BlackPixels;
using testing::IsBlack;
using testing::IsTwoColoured;

QImage Operand(int num, int den, bool bracketed) {
  LineImage canvas;
  canvas.SetSize(OperandWidth(LineScale(), num, den, bracketed), 28);
  DrawOperand(canvas, num, den, bracketed);
  return canvas.Picture().copy();
}

// The columns of `picture` holding black pixels in `rows`.
std::pair<int, int> InkColumns(const QImage& picture, int top, int height) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < picture.width(); ++x) {
    if (BlackPixels(picture, QRect(x, top, 1, height)) > 0) {
      first = first < 0 ? x : first;
      last = x;
    }
  }
  return {first, last};
}

TEST(SignedOperand, TheMinusStandsBeforeTheBarOnItsRow) {
  const QImage negative = Operand(-2, 3, false);
  const int bar = OperandWidth(LineScale(), -2, 3, false) - kFractionWidth;
  ASSERT_GT(bar, 0);
  // The bar keeps its 19 columns; the sign's stroke lies on the bar's row
  // only, with blank columns between the two.
  EXPECT_EQ(BlackPixels(negative, QRect(bar, 15, kFractionWidth, 1)), kFractionWidth);
  const auto [sign_left, sign_right] = InkColumns(negative.copy(0, 0, bar, 28), 0, 28);
  EXPECT_GE(sign_right - sign_left, 3);
  EXPECT_EQ(BlackPixels(negative, QRect(0, 0, bar, 28)),
            BlackPixels(negative, QRect(0, 15, bar, 1)));
  EXPECT_LE(sign_right, bar - 3);
  EXPECT_EQ(negative.copy(bar, 0, kFractionWidth, 28), Operand(2, 3, false));
  EXPECT_TRUE(IsTwoColoured(negative));
  // In large print the bar is two rows thick and the stroke lies on them.
  const LineScale large(3, 2);
  LineImage canvas;
  canvas.SetScale(large);
  canvas.SetSize(OperandWidth(large, -2, 3, false), large(28));
  DrawOperand(canvas, -2, 3, false);
  const QImage big = canvas.Picture().copy();
  const int big_bar = big.width() - large(kFractionWidth);
  int bar_rows = 0;
  for (int y = 0; y < big.height(); ++y) {
    const bool on_bar = IsBlack(big, big_bar, y);
    bar_rows += on_bar ? 1 : 0;
    EXPECT_TRUE(on_bar || BlackPixels(big, QRect(0, y, big_bar, 1)) == 0) << "row " << y;
  }
  EXPECT_EQ(bar_rows, 2);
  EXPECT_GT(BlackPixels(big, QRect(0, 0, big_bar - 3, big.height())), 4);

  // A whole number: the sign just before its digits, on their line.
  const QImage whole = Operand(-3, 1, false);
  const auto [digits_left, digits_right] = InkColumns(whole, 7, 14);
  EXPECT_EQ(BlackPixels(whole, QRect(0, 15, whole.width(), 1)) < kFractionWidth, true);
  EXPECT_GT(BlackPixels(whole, QRect(digits_left, 7, 4, 14)), 0);
  EXPECT_LT(digits_right - digits_left, 12);  // "−3", not a sign far from its digits

  // Not negative: DrawFraction's picture, whatever `bracketed` says.
  EXPECT_EQ(Operand(2, 3, true), Operand(2, 3, false));
  EXPECT_EQ(OperandWidth(LineScale(), 2, 3, true), kFractionWidth);
}

TEST(SignedOperand, ParenthesesEncloseSignAndFraction) {
  const QImage bracketed = Operand(-2, 3, true);
  const QImage bare = Operand(-2, 3, false);
  const int open = bracketed.width() - bare.width() - 5;
  ASSERT_GT(open, 0);
  EXPECT_EQ(bracketed.copy(open, 2, bare.width(), 24), bare.copy(0, 2, bare.width(), 24));
  // Tall strokes on both sides, outside the sign and the bar.
  EXPECT_GT(BlackPixels(bracketed, QRect(0, 2, open, 6)), 0);
  EXPECT_GT(BlackPixels(bracketed, QRect(0, 20, open, 6)), 0);
  EXPECT_GT(BlackPixels(bracketed, QRect(open + bare.width(), 2, 5, 6)), 0);
  EXPECT_GT(BlackPixels(bracketed, QRect(open + bare.width(), 20, 5, 6)), 0);
  // A whole number takes the font's parentheses, on its own line: "(−4)".
  const QImage whole = Operand(-4, 1, true);
  EXPECT_LT(whole.width(), bracketed.width());
  EXPECT_EQ(BlackPixels(whole, QRect(0, 0, whole.width(), 6)), 0);
  const auto [left, right] = InkColumns(whole, 0, 28);
  EXPECT_TRUE(left <= 2 && right >= whole.width() - 3) << left << " " << right;
}

struct Line {
  QImage question;
  QImage answer;
};

Line Compose(Operation operation, const OperationQuestion& q, const ExerciseOptions& options) {
  LineImages images;
  ComposeLine(images, 7, OperationKind{operation}, q, options);
  return {images.ImaQuest.Picture().copy(), images.ImaRep.Picture().copy()};
}

// The last column of the "=" in a four-operation line: the right end of
// the ink on rows 7..20 before the result, which starts `result_width`
// plus 2 and the blanks of "  =  " further right.
int EqualsEnd(const Line& line) {
  return InkColumns(line.question, 7, 14).second;
}

TEST(OptionLine, SignsMoveWhatFollowsAndTheQuestionStopsAfterItsEquals) {
  ExerciseOptions negatives;
  negatives.negatives = true;
  const Line plain = Compose(Operation::kSubtract, {5, 4, 2, 3, 7, 12}, negatives);
  const Line signed_line = Compose(Operation::kSubtract, {-5, 4, -2, 3, -7, 12}, negatives);
  const int shift = OperandWidth(LineScale(), -5, 4, false) +
                    OperandWidth(LineScale(), -2, 3, true) - 2 * kFractionWidth;
  EXPECT_EQ(signed_line.question.width(), plain.question.width() + shift);
  EXPECT_EQ(EqualsEnd(signed_line), EqualsEnd(plain) + shift);
  // The question is the answer line cut just after its "=": the same
  // blank margin after the sign as in the first layout, and no result.
  EXPECT_EQ(signed_line.question, signed_line.answer.copy(signed_line.question.rect()));
  EXPECT_EQ(signed_line.question.width() - EqualsEnd(signed_line),
            plain.question.width() - EqualsEnd(plain));
  // The result and its sign fit the answer line.
  const int result_left = signed_line.question.width();
  EXPECT_EQ(
      signed_line.answer.width(),
      plain.answer.width() + shift + OperandWidth(LineScale(), -7, 12, false) - kFractionWidth);
  EXPECT_GT(BlackPixels(signed_line.answer, QRect(result_left, 15, 40, 1)), kFractionWidth);
  EXPECT_EQ(BlackPixels(signed_line.answer, QRect(signed_line.answer.width() - 2, 0, 2, 28)), 0);
  EXPECT_EQ(signed_line.answer.height(), 28);
  EXPECT_TRUE(IsTwoColoured(signed_line.answer));
  // Without a sign the options change nothing.
  EXPECT_EQ(plain.answer, Compose(Operation::kSubtract, {5, 4, 2, 3, 7, 12}, {}).answer);
}

TEST(OptionLine, TheObelusAndTheMixedFormWidenThePictures) {
  ExerciseOptions obelus;
  obelus.division_sign = DivisionSign::kObelus;
  const OperationQuestion q{7, 4, 1, 2, 7, 2};
  const Line colon = Compose(Operation::kDivide, q, {});
  const Line divided = Compose(Operation::kDivide, q, obelus);
  EXPECT_NE(divided.question, colon.question);
  EXPECT_EQ(divided.question.width() - EqualsEnd(divided),
            colon.question.width() - EqualsEnd(colon));

  ExerciseOptions mixed;
  mixed.mixed = true;
  const Line with_mixed = Compose(Operation::kDivide, q, mixed);
  EXPECT_EQ(with_mixed.question, colon.question);
  EXPECT_GT(with_mixed.answer.width(), colon.answer.width() + 40);
  const int result_end = InkColumns(colon.answer, 15, 1).second + 1;
  EXPECT_EQ(with_mixed.answer.copy(0, 0, result_end, 28), colon.answer.copy(0, 0, result_end, 28));
  // "= 3 + 1/2": a second bar right of the result's.
  EXPECT_GT(BlackPixels(with_mixed.answer,
                        QRect(colon.answer.width() + 30, 15, with_mixed.answer.width(), 1)),
            kFractionWidth - 1);

  LineImages images;
  ComposeLine(images, 1, SimplificationKind{}, {12, 8, 3, 2}, mixed);
  EXPECT_EQ(images.ImaQuest.Picture().width(), 53);
  EXPECT_GT(images.ImaRep.Picture().width(), 80 + 40);
}

}  // namespace
}  // namespace fractions
