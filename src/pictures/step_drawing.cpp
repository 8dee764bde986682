#include "step_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fraction_drawing.h"
#include "richtext/cp1252.h"

namespace fractions {

namespace {

constexpr std::u16string_view kTimesSign = u"\u00D7";
// The gap left for a term to find, "......../20": dots whose ink spans at
// least this many pixels of the standard layout, room for three
// handwritten digits (8 mm at 96 dpi).
constexpr int kGapInk = 31;
// The row the tops of operators, "=" and notes stand at, as on the key's
// lines.
constexpr int kWordRow = 7;
// The exponent of a whole fraction stands this far right of its area, as
// on the key's powers.
constexpr int kPowerExponentShift = 6;
// Blank columns on each side of a whole number or of a fraction's widest
// number.
constexpr int kNumberMargin = 1;

// A run of text in one font: numbers, signs and parentheses in the operand
// font, an exponent in the small bold one. A run with a slot is at least
// that wide, its text in the middle.
struct Piece {
  LineFont font;
  std::u16string text;
  int slot = 0;
};
using Pieces = std::vector<Piece>;

std::u16string Digits(int64_t value) {
  const std::string digits = std::to_string(std::abs(value));
  return std::u16string(digits.begin(), digits.end());
}

// Operand-font text, joined to the run before it when that is one too.
void AddText(Pieces& pieces, std::u16string_view text) {
  if (!pieces.empty() && pieces.back().font == LineFont::kOperand) {
    pieces.back().text += text;
  } else {
    pieces.push_back({LineFont::kOperand, std::u16string(text)});
  }
}

void AddSigned(Pieces& pieces, int64_t value) {
  if (value < 0) {
    AddText(pieces, kMinusSign);
  }
  AddText(pieces, Digits(value));
}

// The dots of a gap at the layout's scale, and the width of their run.
const std::u16string& GapDots(LineScale s) {
  static std::map<std::pair<int, int>, std::u16string> dots;
  std::u16string& run = dots[{s.Numerator(), s.Denominator()}];
  if (run.empty()) {
    run = u"....";
    while (LineTextInk(LineFont::kOperand, s, run).width() < s(kGapInk)) {
      run += u'.';
    }
  }
  return run;
}

int GapWidth(LineScale s) {
  return LineTextWidth(LineFont::kOperand, s, GapDots(s));
}

// A negative factor after the first, or raised to a power, stands in
// parentheses: "2×(−3)". A gap is dots; a bold one, the term found in the
// gap's place, a run of its own as wide as the gap, so that the key's line
// is laid out as the subject's.
void AddFactor(Pieces& pieces, LineScale s, const StepFactor& factor, bool first) {
  if (factor.gap) {
    pieces.push_back({LineFont::kOperand, GapDots(s), GapWidth(s)});
    return;
  }
  const bool bracketed = factor.value < 0 && (!first || factor.power);
  AddText(pieces, bracketed ? u"(" : u"");
  if (factor.bold) {
    const std::u16string sign = factor.value < 0 ? std::u16string(kMinusSign) : u"";
    pieces.push_back({LineFont::kBoldOperand, sign + Digits(factor.value), GapWidth(s)});
  } else {
    AddSigned(pieces, factor.value);
  }
  AddText(pieces, bracketed ? u")" : u"");
  if (factor.power) {
    pieces.push_back({LineFont::kExponent, Digits(*factor.power)});
  }
}

// "2×4", "−8 + 3", "15 − (−8)".
Pieces NumberPieces(LineScale s, const StepNumber& number) {
  Pieces pieces;
  for (size_t i = 0; i < number.size(); ++i) {
    const StepTerm& term = number[i];
    const bool bracketed = i > 0 && !term.factors.empty() && term.factors[0].value < 0;
    if (i > 0) {
      AddText(pieces, term.subtracted ? u" \u2212 " : u" + ");
    }
    AddText(pieces, bracketed ? u"(" : u"");
    for (size_t j = 0; j < term.factors.size(); ++j) {
      AddText(pieces, j == 0 ? u"" : kTimesSign);
      AddFactor(pieces, s, term.factors[j], j == 0);
    }
    AddText(pieces, bracketed ? u")" : u"");
  }
  return pieces;
}

int PiecesWidth(LineScale s, const Pieces& pieces) {
  int width = 0;
  for (const Piece& piece : pieces) {
    width += (piece.font == LineFont::kExponent ? s(kExponentGap) : 0) +
             std::max(piece.slot, LineTextWidth(piece.font, s, piece.text));
  }
  return width;
}

// Draws the runs from column x, their cells' tops at row y.
void DrawPieces(LineImage& image, int x, int y, const Pieces& pieces) {
  const LineScale s = image.Scale();
  for (const Piece& piece : pieces) {
    x += piece.font == LineFont::kExponent ? s(kExponentGap) : 0;
    const int width = LineTextWidth(piece.font, s, piece.text);
    const int slot = std::max(piece.slot, width);
    image.SetFont(piece.font);
    image.TextOut(x + (slot - width) / 2, y, piece.text);
    x += slot;
  }
}

// Where the parts of an operand lie, from its left edge: the left
// parenthesis, the minus sign, the area of the fraction (or of the whole
// number), then the right parenthesis and the exponent.
struct OperandLayout {
  bool whole;
  Pieces num, den;
  int open = 0, sign = 0, area = 0, close = 0;
  bool parenthesized = false;

  int Width() const { return open + sign + area + close; }
};

// A decimal's digits with the decimal comma, "0,75"; a whole number's
// pieces otherwise.
Pieces WholePieces(LineScale s, const StepOperand& operand) {
  const bool decimal = operand.decimal_places > 0 && operand.num.size() == 1 &&
                       operand.num[0].factors.size() == 1 && !operand.num[0].factors[0].power;
  if (!decimal) {
    return NumberPieces(s, operand.num);
  }
  const std::string text =
      DecimalText(std::abs(operand.num[0].factors[0].value), operand.decimal_places, ',');
  return {{LineFont::kOperand, std::u16string(text.begin(), text.end())}};
}

OperandLayout LayOutOperand(LineScale s, const StepOperand& operand, bool bracketed) {
  OperandLayout layout{operand.den.empty(),
                       operand.den.empty() ? WholePieces(s, operand) : NumberPieces(s, operand.num),
                       NumberPieces(s, operand.den)};
  if (layout.whole) {
    // "−3", and in parentheses the font's own, "(−4)", as the key has them.
    Pieces written;
    AddText(written, bracketed && operand.negative ? u"(" : u"");
    AddText(written, operand.negative ? kMinusSign : u"");
    written.insert(written.end(), layout.num.begin(), layout.num.end());
    AddText(written, bracketed && operand.negative ? u")" : u"");
    if (operand.power) {
      written.push_back({LineFont::kExponent, Digits(*operand.power)});
    }
    layout.num = std::move(written);
    layout.area = PiecesWidth(s, layout.num) + 2 * s(kNumberMargin);
    return layout;
  }
  layout.area =
      std::max(PiecesWidth(s, layout.num), PiecesWidth(s, layout.den)) + 2 * s(kNumberMargin);
  layout.parenthesized = (bracketed && operand.negative) || operand.power.has_value();
  layout.open = layout.parenthesized ? OpenParenthesisWidth(s) : 0;
  layout.sign = operand.negative ? MinusSignWidth(s) : 0;
  // A blank after the right parenthesis keeps the next sign clear of it.
  layout.close = layout.parenthesized ? CloseParenthesisWidth(s) + s(kNumberMargin) : 0;
  if (operand.power) {
    layout.close =
        s(kPowerExponentShift) + LineTextWidth(LineFont::kExponent, s, Digits(*operand.power));
  }
  return layout;
}

void DrawOperandAt(LineImage& image, int x, const StepOperand& operand, bool bracketed) {
  const LineScale s = image.Scale();
  const OperandLayout layout = LayOutOperand(s, operand, bracketed);
  if (layout.whole) {
    DrawPieces(image, x + s(kNumberMargin), s(kWholeNumberRow), layout.num);
    return;
  }
  const int left = x + layout.open + layout.sign;
  if (operand.negative) {
    DrawMinusBeforeBar(image, x + layout.open);
  }
  DrawPieces(image, left + (layout.area - PiecesWidth(s, layout.num)) / 2, 0, layout.num);
  image.MoveTo(left, s(kBarRow));
  image.LineTo(left + layout.area, s(kBarRow));
  DrawPieces(image, left + (layout.area - PiecesWidth(s, layout.den)) / 2, s(kDenominatorRow),
             layout.den);
  if (layout.parenthesized) {
    DrawTallParentheses(image, x, left, layout.area);
  }
  if (operand.power) {
    image.SetFont(LineFont::kExponent);
    image.TextOut(left + layout.area + s(kPowerExponentShift), 0, Digits(*operand.power));
  }
}

std::u16string OperatorText(StepOperator op, DivisionSign sign) {
  switch (op) {
    case StepOperator::kPlus:
      return u" + ";
    case StepOperator::kMinus:
      return u" \u2212 ";
    case StepOperator::kTimes:
      return u" \u00D7 ";
    case StepOperator::kDivide:
      return sign == DivisionSign::kObelus ? u" \u00F7 " : u" : ";
    case StepOperator::kOf:
      return u" de ";
    case StepOperator::kLess:
      return u" < ";
    case StepOperator::kGreater:
      return u" > ";
    case StepOperator::kEqual:
      return u" = ";
    case StepOperator::kHence:
      return u" donc ";
    case StepOperator::kGap:
      // At least 6 mm of dots to write the sign on: 28 pixels of ink, 37
      // in large print.
      return u" .......... ";
    case StepOperator::kList:
      return u" ; ";
    case StepOperator::kAnd:
      return u" et ";
  }
  return u" ? ";
}

// The operator before operand i, with the gap after it.
int OperatorWidth(LineScale s, const StepExpression& expression, size_t i, DivisionSign sign) {
  return LineWordWidth(s, OperatorText(expression.operators.at(i - 1), sign)) + s(2);
}

bool Bracketed(const StepExpression& expression, size_t i) {
  return i > 0 && expression.operands[i].negative && !expression.operands[i].opens_group &&
         Computes(expression.operators.at(i - 1));
}

// Whether the group that operand i opens or closes holds a fraction: its
// parentheses are then tall ones, as around a fraction; around whole
// numbers they are the font's own, "(28 ÷ 4) × 3".
bool TallGroup(const StepExpression& expression, size_t i) {
  size_t first = i;
  while (first > 0 && !expression.operands[first].opens_group) {
    --first;
  }
  for (size_t j = first; j < expression.operands.size(); ++j) {
    if (!expression.operands[j].den.empty()) {
      return true;
    }
    if (expression.operands[j].closes_group) {
      break;
    }
  }
  return false;
}

int GroupOpenWidth(LineScale s, const StepExpression& expression, size_t i) {
  if (!expression.operands[i].opens_group) {
    return 0;
  }
  return TallGroup(expression, i) ? OpenParenthesisWidth(s)
                                  : LineTextWidth(LineFont::kOperand, s, u"(");
}

// The right parenthesis with a blank after it that keeps the next sign
// clear.
int GroupCloseWidth(LineScale s, const StepExpression& expression, size_t i) {
  if (!expression.operands[i].closes_group) {
    return 0;
  }
  return (TallGroup(expression, i) ? CloseParenthesisWidth(s)
                                   : LineTextWidth(LineFont::kOperand, s, u")")) +
         s(kNumberMargin);
}

// An expression's words, from the core's Windows-1252.
std::u16string Words(std::string_view cp1252) {
  std::u16string words;
  for (const char byte : cp1252) {
    words += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte)));
  }
  return words;
}

}  // namespace

int LineWordWidth(LineScale scale, std::u16string_view text) {
  return LineTextWidth(LineFont::kLine, scale, text);
}

void DrawLineWord(LineImage& image, int x, std::u16string_view text) {
  image.SetFont(LineFont::kLine);
  image.TextOut(x, image.Scale()(kWordRow), text);
}

int ExpressionWidth(LineScale s, const StepExpression& expression, DivisionSign sign) {
  int width = expression.irreducible ? LineWordWidth(s, kIrreducibleNote) : 0;
  if (!expression.words.empty()) {
    width += LineWordWidth(s, Words(expression.words));
  }
  for (size_t i = 0; i < expression.operands.size(); ++i) {
    width += i > 0 ? OperatorWidth(s, expression, i, sign) : 0;
    width += GroupOpenWidth(s, expression, i) + GroupCloseWidth(s, expression, i);
    width += LayOutOperand(s, expression.operands[i], Bracketed(expression, i)).Width();
  }
  return width;
}

void DrawExpression(LineImage& image, int x, const StepExpression& expression, DivisionSign sign) {
  const LineScale s = image.Scale();
  if (!expression.words.empty()) {
    const std::u16string words = Words(expression.words);
    DrawLineWord(image, x, words);
    x += LineWordWidth(s, words);
  }
  int group_open = x;
  for (size_t i = 0; i < expression.operands.size(); ++i) {
    if (i > 0) {
      DrawLineWord(image, x, OperatorText(expression.operators.at(i - 1), sign));
      x += OperatorWidth(s, expression, i, sign);
    }
    const StepOperand& operand = expression.operands[i];
    if (operand.opens_group) {
      group_open = x;
      x += GroupOpenWidth(s, expression, i);
    }
    DrawOperandAt(image, x, operand, Bracketed(expression, i));
    x += LayOutOperand(s, operand, Bracketed(expression, i)).Width();
    if (operand.closes_group) {
      if (TallGroup(expression, i)) {
        DrawTallParentheses(image, group_open, x, 0);
      } else {
        image.SetFont(LineFont::kOperand);
        image.TextOut(group_open, s(kWholeNumberRow), u"(");
        image.TextOut(x, s(kWholeNumberRow), u")");
      }
      x += GroupCloseWidth(s, expression, i);
    }
  }
  if (expression.irreducible) {
    DrawLineWord(image, x, kIrreducibleNote);
  }
}

}  // namespace fractions
