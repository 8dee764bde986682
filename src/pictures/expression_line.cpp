#include "expression_line.h"

#include <cstddef>
#include <optional>
#include <string>

#include "fraction_drawing.h"
#include "line_parts.h"
#include "step_drawing.h"
#include "worked_lines.h"

namespace fractions {

namespace {

// Blank columns after the answer, as after a worked key's last expression.
constexpr int kRightMargin = 2;

}  // namespace

void ComposeExpressionLine(LineImages& images, int number, const StepExpression& question,
                           const StepChain& answer, DivisionSign sign) {
  const LineScale s = images.Scale();
  images.SetSizes({0, kRowHeight, kFractionWidth, 0, kRowHeight});
  LineImage& rep = images.ImaRep;
  const int equals = LineWordWidth(s, kStepEquals) + s(2);
  // The operand column in the line font, whatever font the last line left
  // the image in.
  const int first_x = LineWordWidth(s, u"1000");
  const int question_end = first_x + ExpressionWidth(s, question, sign) + equals;
  int answer_end = question_end;
  for (const StepExpression& expression : answer) {
    answer_end +=
        (&expression == &answer.front() ? 0 : equals) + ExpressionWidth(s, expression, sign);
  }
  images.Widen(question_end, answer_end + s(kRightMargin));

  StartLine(images, number);
  int x = first_x;
  DrawExpression(rep, x, question, sign);
  for (const StepExpression& expression : answer) {
    x += &expression == &answer.front() ? ExpressionWidth(s, question, sign)
                                        : ExpressionWidth(s, *(&expression - 1), sign);
    DrawLineWord(rep, x, kStepEquals);
    x += equals;
    DrawExpression(rep, x, expression, sign);
  }
  CutQuestion(images);
}

void ComposeSeparateLines(LineImages& images, int number, const StepExpression& question,
                          const StepExpression& answer, DivisionSign sign) {
  const LineScale s = images.Scale();
  const int first_x = LineWordWidth(s, u"1000");
  images.SetSizes({0, kRowHeight, kFractionWidth, 0, kRowHeight});
  images.Widen(first_x + ExpressionWidth(s, question, sign) + s(kRightMargin),
               first_x + ExpressionWidth(s, answer, sign) + s(kRightMargin));
  StartLine(images, number);
  images.ImaQuest.TextOut(0, s(6), std::to_string(number) + "\xB0)");  // "°)", as StartLine
  DrawExpression(images.ImaQuest, first_x, question, sign);
  DrawExpression(images.ImaRep, first_x, answer, sign);
}

int ChainWidth(LineScale scale, const StepChain& chain, DivisionSign sign) {
  int width = 0;
  for (const StepExpression& expression : chain) {
    width += (&expression == &chain.front() ? 0 : LineWordWidth(scale, kStepEquals) + scale(2)) +
             ExpressionWidth(scale, expression, sign);
  }
  return width;
}

void PlaceChain(LineImage& target, int x, int top, const StepChain& chain, DivisionSign sign) {
  const LineScale s = target.Scale();
  PlaceRow(target, x, top, ChainWidth(s, chain, sign), [&](LineImage& row) {
    int at = 0;
    for (const StepExpression& expression : chain) {
      if (&expression != &chain.front()) {
        DrawLineWord(row, at, kStepEquals);
        at += LineWordWidth(s, kStepEquals) + s(2);
      }
      DrawExpression(row, at, expression, sign);
      at += ExpressionWidth(s, expression, sign);
    }
  });
}

StepExpression Conclusion(const StepExpression& expression) {
  size_t start = 0;
  for (size_t i = 0; i < expression.operators.size(); ++i) {
    if (expression.operators[i] == StepOperator::kHence) {
      start = i + 1;
    }
  }
  StepExpression conclusion = expression;
  if (start > 0) {
    conclusion.words.clear();  // they say the reason
  }
  conclusion.operands.erase(conclusion.operands.begin(),
                            conclusion.operands.begin() + static_cast<std::ptrdiff_t>(start));
  conclusion.operators.erase(conclusion.operators.begin(),
                             conclusion.operators.begin() + static_cast<std::ptrdiff_t>(start));
  return conclusion;
}

void AddNumberedChains(LineImages& images, int number, const WorkedSteps& steps,
                       DivisionSign sign) {
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i == 0) {
      AddNumberedChain(images, number, steps[i], sign);
    } else {
      AddWorkedChain(images, 0, "", steps[i], sign);
    }
  }
}

StepChain ResultExpressions(int32_t num, int32_t den, const ExerciseOptions& options) {
  StepChain chain{Single(FractionStep(num, den))};
  if (const std::optional<MixedNumber> mixed = MixedForm(options, num, den)) {
    chain.push_back(Binary(FractionStep(mixed->whole, 1), StepOperator::kPlus,
                           FractionStep(mixed->num, mixed->den)));
  }
  return chain;
}

}  // namespace fractions
