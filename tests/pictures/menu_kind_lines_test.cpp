// The lines of the kinds whose question is their answer line cut short
// (a chain with priorities, a fraction of a number, decimal writing), drawn
// one after the other
// in the same images as a sheet draws them, at both scales: the question
// picture is the answer line cut in blank columns after its "=", and the
// answer starts just right of the cut, so that none of it shows on the
// pupils' sheet.
#include <gtest/gtest.h>

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
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : {ExerciseType::kPriorities, ExerciseType::kFractionOfNumber,
                                    ExerciseType::kDecimalWriting}) {
      const ExerciseInfo& row = Describe(type);
      for (const ExerciseOptions& options : {ExerciseOptions{}, signs}) {
        SCOPED_TRACE(std::string(row.command_word) + " scale " + std::to_string(scale.Numerator()));
        LcgRandom random(11);
        QuestionTable table;
        DrawingContext context{random, table};
        const QuestionSet set =
            RunDrawingPhase(row.type, 20, 30, context, OptionsUsed(options, OptionUseOf(row.type)));
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

}  // namespace
}  // namespace fractions
