// Lines drawn with the exercise options: negative numbers with a true minus
// before the bar, a negative second operand in parentheses, the question
// cut just after its "=" however far the signs push it, the division sign
// and the mixed form.
#include <gtest/gtest.h>

#include "picture_probe.h"
#include "pictures/fraction_drawing.h"
#include "pictures/kinds/four_operations_line.h"
#include "pictures/kinds/powers_line.h"
#include "pictures/kinds/simplification_line.h"
#include "pictures/line_drawing.h"

namespace fractions {
namespace {

using testing::BlackPixels;
using testing::InkColumns;
using testing::IsBlack;
using testing::IsTwoColoured;

QImage Operand(int num, int den, bool bracketed, LineScale scale = {}) {
  LineImage canvas;
  canvas.SetScale(scale);
  canvas.SetSize(OperandWidth(scale, num, den, bracketed), scale(28));
  DrawOperand(canvas, num, den, bracketed);
  return canvas.Picture().copy();
}

TEST(SignedOperand, TheMinusStandsBeforeTheBarOnItsRows) {
  // In large print the bar is two rows thick.
  for (const LineScale scale : testing::kBothScales) {
    const QImage negative = Operand(-2, 3, false, scale);
    const int bar = negative.width() - scale(kFractionWidth);
    // The sign's stroke lies on the bar's rows only, clear of the bar.
    int bar_rows = 0;
    for (int y = 0; y < negative.height(); ++y) {
      const bool on_bar = IsBlack(negative, bar, y);
      bar_rows += on_bar ? 1 : 0;
      EXPECT_TRUE(on_bar || BlackPixels(negative, QRect(0, y, bar, 1)) == 0) << "row " << y;
    }
    EXPECT_EQ(bar_rows, scale(1));
    const auto [sign_left, sign_right] = InkColumns(negative, QRect(0, 0, bar, negative.height()));
    EXPECT_GE(sign_right - sign_left, scale(3));
    EXPECT_LE(sign_right, bar - 3);
    EXPECT_EQ(negative.copy(bar, 0, scale(kFractionWidth), scale(28)), Operand(2, 3, false, scale));
    EXPECT_TRUE(IsTwoColoured(negative));
  }

  // A whole number: the sign just before its digits, on their line.
  const QImage whole = Operand(-3, 1, false);
  const auto [ink_left, ink_right] = InkColumns(whole, QRect(0, 0, whole.width(), 28));
  EXPECT_LT(ink_right - ink_left, 12);  // "−3", not a sign far from its digits

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
  const auto [left, right] = InkColumns(whole, QRect(0, 0, whole.width(), 28));
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

// The last column of the "=": the right end of the question's ink on the
// rows of the line's texts.
int EqualsEnd(const Line& line) {
  return InkColumns(line.question, QRect(0, 7, line.question.width(), 14)).second;
}

TEST(OptionLine, SignsMoveWhatFollowsAndTheQuestionStopsAfterItsEquals) {
  const ExerciseOptions negatives{.negatives = true};
  const Line plain = Compose(Operation::kSubtract, {5, 4, 2, 3, 7, 12}, negatives);
  const Line signed_line = Compose(Operation::kSubtract, {-5, 4, -2, 3, -7, 12}, negatives);
  const int shift = OperandWidth(LineScale(), -5, 4, false) +
                    OperandWidth(LineScale(), -2, 3, true) - 2 * kFractionWidth;
  // The question is the answer line cut just after its "=", with the same
  // blank margin after it as in the first layout, and no result.
  EXPECT_EQ(signed_line.question.width(), plain.question.width() + shift);
  EXPECT_EQ(EqualsEnd(signed_line), EqualsEnd(plain) + shift);
  EXPECT_EQ(signed_line.question, signed_line.answer.copy(signed_line.question.rect()));
  // The result and its sign fit the answer line.
  const int result_left = signed_line.question.width();
  EXPECT_EQ(
      signed_line.answer.width(),
      plain.answer.width() + shift + OperandWidth(LineScale(), -7, 12, false) - kFractionWidth);
  EXPECT_GT(BlackPixels(signed_line.answer, QRect(result_left, 15, 40, 1)), kFractionWidth);
  EXPECT_EQ(BlackPixels(signed_line.answer, QRect(signed_line.answer.width() - 2, 0, 2, 28)), 0);
  EXPECT_TRUE(IsTwoColoured(signed_line.answer));
  // Without a sign the options change nothing.
  EXPECT_EQ(plain.answer, Compose(Operation::kSubtract, {5, 4, 2, 3, 7, 12}, {}).answer);
}

TEST(OptionLine, TheObelusAndTheMixedFormWidenThePictures) {
  const ExerciseOptions obelus{.division_sign = DivisionSign::kObelus};
  const OperationQuestion q{7, 4, 1, 2, 7, 2};
  const Line colon = Compose(Operation::kDivide, q, {});
  const Line divided = Compose(Operation::kDivide, q, obelus);
  EXPECT_NE(divided.question, colon.question);
  EXPECT_EQ(divided.question.width() - EqualsEnd(divided),
            colon.question.width() - EqualsEnd(colon));

  const ExerciseOptions mixed{.mixed = true};
  const Line with_mixed = Compose(Operation::kDivide, q, mixed);
  EXPECT_EQ(with_mixed.question, colon.question);
  EXPECT_GT(with_mixed.answer.width(), colon.answer.width() + 40);
  const int result_end = InkColumns(colon.answer, QRect(0, 15, colon.answer.width(), 1)).second + 1;
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

// The texts an answer line was drawn with, as its drawing recorded them.
std::vector<DrawnText> Texts(LineImage& answer) {
  std::vector<DrawnText> texts;
  for (const LineStep& step : answer.Drawing()->Steps()) {
    if (const auto* text = std::get_if<DrawnText>(&step)) {
      texts.push_back(*text);
    }
  }
  return texts;
}

// A class reads the letter x as the unknown, and every question of a sheet
// ends with "=": at a level the pictures write "×", and a power's question
// shows its "=" (the result still left out); "Libre" keeps the first layout.
TEST(OptionLine, AtALevelProductsShowTheTimesSignAndPowersEndWithEquals) {
  for (const Level level : {Level::kFree, Level::k4e}) {
    SCOPED_TRACE(static_cast<int>(level));
    const ExerciseOptions options{.level = level};
    LineImages product;
    ComposeLine(product, 1, OperationKind{Operation::kMultiply}, {2, 3, 5, 7, 10, 21}, options);
    QString signs;
    for (const DrawnText& text : Texts(product.ImaRep)) {
      signs += text.text.trimmed().size() == 1 ? text.text.trimmed() : QString();
    }
    EXPECT_EQ(signs.contains(u'\u00D7'), level != Level::kFree) << signs.toStdString();
    EXPECT_EQ(signs.contains(u'x'), level == Level::kFree) << signs.toStdString();

    LineImages power;
    ComposeLine(power, 1, PowerKind{}, PowerQuestion{2, 3, 4, 9, PowerForm::kWholeFraction, 2},
                options);
    const int cut = power.ImaQuest.Width();
    bool equals_shown = false;
    for (const DrawnText& text : Texts(power.ImaRep)) {
      if (text.text.trimmed() == "=") {
        equals_shown = text.at.x() + text.ink.right() < cut;
      }
    }
    EXPECT_EQ(equals_shown, level != Level::kFree);
    const auto& result = std::get<DrawnCopy>(power.ImaRep.Drawing()->Steps().back());
    EXPECT_GE(result.dest.left, cut) << "the result shows in the question";
  }
}

}  // namespace
}  // namespace fractions
