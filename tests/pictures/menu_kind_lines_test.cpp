// The lines of the kinds whose question is their answer line cut short
// (a chain with priorities, a fraction of a number, decimal writing), drawn
// one after the other
// in the same images as a sheet draws them, at both scales: the question
// picture is the answer line cut in blank columns after its "=", and the
// answer starts just right of the cut, so that none of it shows on the
// pupils' sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "drawing/drawing_phase.h"
#include "drawing/random.h"
#include "picture_probe.h"
#include "pictures/fraction_drawing.h"
#include "pictures/line_layouts.h"

namespace fractions {
namespace {

using testing::BlackPixels;

TEST(MenuKindLines, TheQuestionIsCutInBlankColumnsJustBeforeTheAnswer) {
  const ExerciseOptions signs{
      .negatives = true, .mixed = true, .division_sign = DivisionSign::kObelus};
  int lines = 0;
  for (const LineScale scale : testing::kBothScales) {
    for (const ExerciseType type : {ExerciseType::kPriorities, ExerciseType::kFractionOfNumber,
                                    ExerciseType::kDecimalWriting}) {
      const ExerciseInfo& row = Describe(type);
      for (const ExerciseOptions& options : {ExerciseOptions{}, signs}) {
        SCOPED_TRACE(std::string(row.command_word) + " scale " + std::to_string(scale.Numerator()));
        const QuestionSet set =
            testing::Drawn(row.type, 20, 30, OptionsUsed(options, OptionUseOf(row.type)), 11);
        LineImages images;
        images.SetScale(scale);
        for (int number = 1; number <= 30; ++number) {
          ComposeQuestionLine(images, set, number);
          const QImage question = images.ImaQuest.Picture();
          const QImage line = images.ImaRep.Picture();
          const int cut = question.width();
          const int height = line.height();
          ASSERT_EQ(height, scale(kRowHeight));
          EXPECT_EQ(question, line.copy(0, 0, cut, height)) << "line " << number;
          EXPECT_EQ(BlackPixels(line, QRect(cut - scale(2), 0, scale(2), height)), 0)
              << "line " << number << ": the cut goes through ink";
          EXPECT_GT(BlackPixels(line, QRect(cut, 0, scale(4), height)), 0)
              << "line " << number << ": no answer just right of the cut";
          ++lines;
        }
      }
    }
  }
  EXPECT_EQ(lines, 2 * 3 * 2 * 30);
}

// An equality to complete, at both sizes: the gap leaves room for three
// handwritten digits, 8 mm (31 pixels at 96 dpi, scaled), and the key
// differs from the subject only there, where it writes the found term in
// the middle of the gap.
TEST(EqualFractionLines, TheGapHoldsThreeDigitsAndTheKeyFillsItInPlace) {
  const std::vector<EqualFractionsQuestion> questions = {
      {3, 4, 15, 20, 0},     {3, 4, 15, 20, 1},     {3, 4, 15, 20, 2}, {3, 4, 15, 20, 3},
      {110, 120, 11, 12, 0}, {11, 12, 110, 120, 3}, {1, 2, 2, 4, 2},   {100, 120, 5, 6, 1},
  };
  const QuestionSet set = KindQuestions<EqualFractionsKind>{{}, questions, {}};
  for (const LineScale scale : testing::kBothScales) {
    LineImages images;
    images.SetScale(scale);
    for (int number = 1; number <= static_cast<int>(questions.size()); ++number) {
      const EqualFractionsQuestion& q = questions[static_cast<size_t>(number - 1)];
      SCOPED_TRACE("question " + std::to_string(number) + " scale " +
                   std::to_string(scale.Numerator()));
      ComposeQuestionLine(images, set, number);
      const QImage subject = images.ImaQuest.Picture();
      const QImage key = images.ImaRep.Picture();
      ASSERT_EQ(subject.size(), key.size());
      // The missing term's rows, above the bar or below it.
      const int bar = scale(kBarRow);
      const QRect band = q.missing % 2 == 0 ? QRect(0, 0, subject.width(), bar - scale(1))
                                            : QRect(0, bar + scale(1), subject.width(),
                                                    subject.height() - bar - scale(1));
      int left = subject.width(), right = -1;  // where the two differ
      for (int y = 0; y < subject.height(); ++y) {
        for (int x = 0; x < subject.width(); ++x) {
          if (subject.pixel(x, y) != key.pixel(x, y)) {
            EXPECT_TRUE(band.contains(x, y)) << "the lines differ at " << x << ", " << y;
            left = std::min(left, x);
            right = std::max(right, x);
          }
        }
      }
      ASSERT_LE(left, right) << "the key's line is the subject's";
      const QRect term(left, band.top(), right - left + 1, band.height());
      const auto [gap_from, gap_to] = testing::InkColumns(subject, term);
      const auto [found_from, found_to] = testing::InkColumns(key, term);
      EXPECT_GE(gap_to - gap_from + 1, scale(31));
      EXPECT_TRUE(found_from >= gap_from && found_to <= gap_to &&
                  std::abs((found_from - gap_from) - (gap_to - found_to)) <= scale(2))
          << "the found term in " << found_from << ".." << found_to << ", the gap in " << gap_from
          << ".." << gap_to;
    }
  }
}

}  // namespace
}  // namespace fractions
