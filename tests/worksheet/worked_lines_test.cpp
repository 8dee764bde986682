// The pictures of worked keys: rows as high as the key's lines at both
// scales, never wider than 680 pixels, a chain that does not fit going on
// under its first "="; the question pictures stay as they were.
#include <gtest/gtest.h>

#include "drawing/exercise_catalogue.h"
#include "picture_probe.h"
#include "worksheet/fraction_drawing.h"
#include "worksheet/line_layouts.h"
#include "worksheet/worked_lines.h"

namespace fractions {
namespace {

using testing::BlackPixels;
using testing::IsTwoColoured;

// The first column holding ink, the width if none.
int FirstInkColumn(const QImage& picture) {
  for (int x = 0; x < picture.width(); ++x) {
    if (BlackPixels(picture, QRect(x, 0, 1, picture.height())) > 0) {
      return x;
    }
  }
  return picture.width();
}

// The columns of the ink run starting at x.
int InkRun(const QImage& picture, int x) {
  int end = x;
  while (end < picture.width() && BlackPixels(picture, QRect(end, 0, 1, picture.height())) > 0) {
    ++end;
  }
  return end - x;
}

struct Tally {
  int pictures = 0;
  int continuations = 0;
};

// Every worked picture of every line of a set: the row's height, at most
// 680 pixels wide; a continuation (blank up to the operand column) starts
// with the same "=" as its chain's first picture, in the same columns.
void CheckWorkedPictures(const QuestionSet& set, LineScale scale, Tally& tally) {
  LineImages images;
  images.SetScale(scale);
  LineImages plain;
  plain.SetScale(scale);
  QuestionSet unworked = set;
  std::visit([](auto& drawn) { drawn.options.worked = false; }, unworked);
  for (int number = 1; number <= static_cast<int>(QuestionCount(set)); ++number) {
    ComposeQuestionLine(images, set, number);
    ComposeQuestionLine(plain, unworked, number);
    ASSERT_TRUE(plain.worked.empty());
    EXPECT_EQ(images.ImaQuest.Picture(), plain.ImaQuest.Picture()) << "subject of " << number;
    ASSERT_FALSE(images.worked.empty());
    const QImage* chain_start = nullptr;
    for (LineImage& image : images.worked) {
      const QImage& picture = image.Picture();
      ++tally.pictures;
      EXPECT_EQ(picture.height(), scale(kRowHeight));
      EXPECT_LE(picture.width(), kMaxWorkedWidth) << "line " << number;
      EXPECT_TRUE(IsTwoColoured(picture));
      const int ink = FirstInkColumn(picture);
      if (ink < LineTextWidth(LineFont::kLine, scale, u"1000")) {  // a lead: "7°)", "et"
        chain_start = &picture;
        continue;
      }
      ++tally.continuations;
      ASSERT_NE(chain_start, nullptr);
      const int equals = InkRun(picture, ink);
      EXPECT_GE(equals, scale(4));
      EXPECT_EQ(picture.copy(ink, 0, equals, picture.height()),
                chain_start->copy(ink, 0, equals, picture.height()))
          << "line " << number << ": the continuation's = stands elsewhere";
    }
  }
}

TEST(WorkedLines, RowsStayWithinTheLineAndGoOnUnderTheirFirstEquals) {
  Tally tally;
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : kAllExerciseTypes) {
      for (const ExerciseOptions& options :
           {ExerciseOptions{.worked = true}, ExerciseOptions{.negatives = true,
                                             .mixed = true,
                                             .division_sign = DivisionSign::kObelus,
                                             .worked = true}}) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
          SCOPED_TRACE(std::string(Describe(type).command_word) + " seed " + std::to_string(seed) +
                       " scale " + std::to_string(scale.Numerator()));
          LcgRandom random(seed);
          QuestionTable table;
          DrawingContext context{random, table};
          CheckWorkedPictures(RunDrawingPhase(type, 500, kMaxQuestions, context, options), scale,
                              tally);
        }
      }
    }
  }
  EXPECT_GT(tally.continuations, 50);  // large terms in large print go on
  EXPECT_GT(tally.pictures, 2 * 7 * 2 * 3 * kMaxQuestions);
}

}  // namespace
}  // namespace fractions
