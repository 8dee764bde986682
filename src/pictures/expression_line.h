#pragma once

#include "drawing/exercise_options.h"
#include "drawing/worked_steps.h"
#include "fraction_drawing.h"
#include "line_images.h"

namespace fractions {

// The answer line of a kind whose question is one expression, "7°) 3/4 de
// 28 = 21", drawn as the worked key draws its expressions: the question
// from the operand column, then " = " and each expression of `answer`
// joined by " = " ("31/24 = 1 + 7/24"). Sizes the images for it; the
// question picture is the line cut just after the question's "=".
void ComposeExpressionLine(LineImages& images, int number, const StepExpression& question,
                           const StepChain& answer, DivisionSign sign);

// The lines of a kind whose question is not its answer cut short ("3/4
// ..... 5/7" asks for "3/4 > 5/7"): "7°)" and `question` in the question
// picture, "7°)" and `answer` on the answer line, each from the operand
// column and sized for what it holds.
void ComposeSeparateLines(LineImages& images, int number, const StepExpression& question,
                          const StepExpression& answer, DivisionSign sign);

// The width of `chain`, its expressions joined by " = ".
int ChainWidth(LineScale scale, const StepChain& chain, DivisionSign sign);

// Draws a row `width` wide with `draw(row)` on an image of its own, then
// copies it with its top-left corner at (x, top) of `target`: how a row of
// expressions, drawn from the image's top, goes into a taller picture.
template <typename Draw>
void PlaceRow(LineImage& target, int x, int top, int width, Draw draw) {
  const LineScale s = target.Scale();
  LineImage row;
  row.SetScale(s);
  row.SetSize(width, s(kRowHeight));
  draw(row);
  target.CopyRect({x, top, x + width, top + s(kRowHeight)}, row, {0, 0, width, s(kRowHeight)});
}

// Draws `chain` as ChainWidth measures it with its row's top-left corner
// at (x, top) of `target`, a picture taller than a row: the row is drawn
// on its own and copied there.
void PlaceChain(LineImage& target, int x, int top, const StepChain& chain, DivisionSign sign);

// What an expression concludes: its part after the last "donc", without
// the words of its reason; the whole expression when it has none.
StepExpression Conclusion(const StepExpression& expression);

// The worked pictures of a question of several chains: the first after
// the question number, each other one on rows of its own.
void AddNumberedChains(LineImages& images, int number, const WorkedSteps& steps, DivisionSign sign);

// The answer num/den as a key writes it: the fraction, whole when den is
// 1, then its mixed form when the options ask for one.
StepChain ResultExpressions(int32_t num, int32_t den, const ExerciseOptions& options);

}  // namespace fractions
