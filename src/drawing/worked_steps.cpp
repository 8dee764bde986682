#include "worked_steps.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace fractions {

namespace {

StepNumber Number(std::vector<StepFactor> factors) {
  return {StepTerm{std::move(factors)}};
}

// Built by appending: GCC 12 warns wrongly about "(" + std::string.
std::string Parenthesized(const std::string& text) {
  std::string result = "(";
  result += text;
  result += ")";
  return result;
}

bool IsPlainNumber(const StepNumber& number) {
  return number.size() == 1 && number[0].factors.size() == 1 && !number[0].factors[0].power &&
         number[0].factors[0].value >= 0;
}

// A factor after the first, or a base raised to a power, stands in
// parentheses when negative: "2*(-3)", "(-3)^2".
std::string AsciiFactor(const StepFactor& factor, bool first) {
  if (factor.gap) {
    return "?";
  }
  std::string text = std::to_string(factor.value);
  if (factor.value < 0 && (!first || factor.power)) {
    text = Parenthesized(text);
  }
  if (factor.power) {
    text += '^';
    text += std::to_string(*factor.power);
  }
  return text;
}

std::string AsciiTerm(const StepTerm& term) {
  std::string text;
  for (size_t i = 0; i < term.factors.size(); ++i) {
    text += i == 0 ? "" : "*";
    text += AsciiFactor(term.factors[i], i == 0);
  }
  return text;
}

std::string AsciiNumber(const StepNumber& number) {
  std::string text;
  for (size_t i = 0; i < number.size(); ++i) {
    const StepTerm& term = number[i];
    std::string written = AsciiTerm(term);
    if (i > 0) {
      const bool negative = !term.factors.empty() && term.factors[0].value < 0;
      text += term.subtracted ? "-" : "+";
      written = negative ? Parenthesized(written) : written;
    }
    text += written;
  }
  return text;
}

std::string AsciiOperand(const StepOperand& operand, bool first) {
  std::string text;
  if (operand.decimal_places > 0 && IsPlainNumber(operand.num)) {
    text = DecimalText(operand.num[0].factors[0].value, operand.decimal_places, '.');
  } else if (operand.den.empty()) {
    text = IsPlainNumber(operand.num) ? AsciiNumber(operand.num)
                                      : Parenthesized(AsciiNumber(operand.num));
  } else {
    text = Parenthesized(Parenthesized(AsciiNumber(operand.num)) + "/" +
                         Parenthesized(AsciiNumber(operand.den)));
  }
  if (operand.power) {
    text += '^';
    text += std::to_string(*operand.power);
  }
  if (operand.negative) {
    text.insert(text.begin(), '-');
    if (!first && !operand.opens_group) {
      text = Parenthesized(text);
    }
  }
  if (operand.opens_group) {
    text.insert(text.begin(), '(');
  }
  if (operand.closes_group) {
    text += ')';
  }
  return text;
}

const char* AsciiOperator(StepOperator op) {
  switch (op) {
    case StepOperator::kPlus:
      return " + ";
    case StepOperator::kMinus:
      return " - ";
    case StepOperator::kTimes:
      return " * ";
    case StepOperator::kDivide:
      return " / ";
    case StepOperator::kOf:
      return "*";
    case StepOperator::kLess:
      return " < ";
    case StepOperator::kGreater:
      return " > ";
    case StepOperator::kEqual:
      return " = ";
    case StepOperator::kHence:
      return " donc ";
    case StepOperator::kGap:
      return " ... ";
    case StepOperator::kList:
      return " ; ";
    case StepOperator::kAnd:
      return " et ";
  }
  return " ? ";
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The expression as WithoutRepeats compares it: its ASCII without the
// factors 1 of its products ("1*x", "x*1", not the operator " * "), then
// without blanks and parentheses.
std::string Writing(const StepExpression& expression) {
  const std::string text = AsciiExpression(expression);
  std::string kept;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool one = text[i] == '1' && (i == 0 || !IsDigit(text[i - 1])) &&
                     (i + 1 == text.size() || !IsDigit(text[i + 1]));
    if (one && i + 1 < text.size() && text[i + 1] == '*') {
      ++i;  // "1*x": the "*" goes with it
    } else if (one && i > 0 && text[i - 1] == '*' && kept.ends_with('*')) {
      kept.pop_back();  // "x*1"
    } else if (text[i] != ' ' && text[i] != '(' && text[i] != ')') {
      kept += text[i];
    }
  }
  return kept;
}

}  // namespace

StepOperand FractionStep(int32_t num, int32_t den) {
  return {
      num < 0, Number({{std::abs(num), {}}}), den == 1 ? StepNumber{} : Number({{den, {}}}), {}};
}

StepOperand ExpandedStep(int32_t num, int32_t den, int32_t k) {
  StepNumber expanded_den = den == 1 ? Number({{k, {}}}) : Number({{den, {}}, {k, {}}});
  return {num < 0, Number({{std::abs(num), {}}, {k, {}}}), std::move(expanded_den), {}};
}

StepOperand DecimalStep(int32_t digits, int32_t places) {
  StepOperand operand = FractionStep(digits, 1);
  operand.decimal_places = places;
  return operand;
}

std::string DecimalText(int32_t digits, int32_t places, char point) {
  std::string text = std::to_string(std::abs(digits));
  if (places > 0) {
    const size_t width = static_cast<size_t>(places) + 1;  // at least "0" before the point
    text.insert(0, width > text.size() ? width - text.size() : 0, '0');
    text.insert(text.size() - static_cast<size_t>(places), 1, point);
  }
  return digits < 0 ? "-" + text : text;
}

bool Computes(StepOperator op) {
  switch (op) {
    case StepOperator::kPlus:
    case StepOperator::kMinus:
    case StepOperator::kTimes:
    case StepOperator::kDivide:
    case StepOperator::kOf:
      return true;
    case StepOperator::kLess:
    case StepOperator::kGreater:
    case StepOperator::kEqual:
    case StepOperator::kHence:
    case StepOperator::kGap:
    case StepOperator::kList:
    case StepOperator::kAnd:
      return false;
  }
  return true;
}

StepExpression Single(StepOperand operand) {
  return {{std::move(operand)}, {}, false};
}

StepExpression Binary(StepOperand left, StepOperator op, StepOperand right) {
  return {{std::move(left), std::move(right)}, {op}, false};
}

std::string AsciiExpression(const StepExpression& expression) {
  // A conclusion is written alone: what follows its last "donc".
  size_t start = 0;
  for (size_t i = 0; i < expression.operators.size(); ++i) {
    if (expression.operators[i] == StepOperator::kHence) {
      start = i + 1;
    }
  }
  std::string text;
  for (size_t i = start; i < expression.operands.size(); ++i) {
    if (i > start) {
      text += AsciiOperator(expression.operators.at(i - 1));
    }
    text += AsciiOperand(expression.operands[i],
                         i == start || !Computes(expression.operators.at(i - 1)));
  }
  return text;
}

StepChain WithoutRepeats(StepChain chain) {
  StepChain kept;
  std::string last;
  for (StepExpression& expression : chain) {
    std::string writing = Writing(expression);
    const bool repeat =
        !kept.empty() && writing == last && expression.irreducible == kept.back().irreducible;
    const bool last_step = &expression == &chain.back();
    if (repeat && (kept.size() == 1 || !last_step)) {
      continue;  // the question and every step before stay as written
    }
    if (repeat) {
      kept.pop_back();  // the last step stays last
    }
    kept.push_back(std::move(expression));
    last = std::move(writing);
  }
  return kept;
}

std::vector<std::vector<std::string>> AsciiSteps(const WorkedSteps& steps) {
  std::vector<std::vector<std::string>> chains;
  for (const StepChain& chain : steps) {
    std::vector<std::string>& written = chains.emplace_back();
    for (const StepExpression& expression : chain) {
      written.push_back(AsciiExpression(expression));
    }
  }
  return chains;
}

}  // namespace fractions
