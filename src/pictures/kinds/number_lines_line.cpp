#include "number_lines_line.h"

#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>

#include "pictures/expression_line.h"
#include "pictures/fraction_drawing.h"
#include "pictures/step_drawing.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

// Sizes of the standard layout, in pixels at 96 dpi. The ticks are as far
// apart as fit kLongestLine for the whole line (143 mm), a unit at most
// kLongestUnit long (51 mm), and never closer than kClosestTicks (4.2 mm),
// at every print size: a large print line whose ticks at its scale would
// not fit a page (kMaxWorkedWidth) has them closer, down to that floor,
// which the draw's kLargestTicks keeps within the page. A half-line goes
// on kRunOn past its last tick, a line through 0 as far before its first.
// Rows from the picture's top: the letters, the line, the numbers under
// the units' ticks; the list of the points under them. A letter that
// would come closer than kLetterApart to its neighbour's is raised
// kRaisedLetters above the others, the rest of the picture lowered as much.
constexpr int kLongestLine = 540;
constexpr int kLongestUnit = 192;
constexpr int kClosestTicks = 16;  // a length of any print size
constexpr int kRunOn = 16;
constexpr int kOriginGap = 8;  // between the operand column and the line
constexpr int kLetterRow = 2;
constexpr int kRaisedLetters = 16;
constexpr int kLetterApart = 6;
constexpr int kAxisRow = 26;
constexpr int kUnitTick = 6;  // above and below the line
constexpr int kTick = 3;
constexpr int kCross = 4;  // half the breadth of a point's cross
constexpr int kNumberRow = 34;
constexpr int kLineHeight = 52;

constexpr char16_t kLetters[] = u"ABC";

// The line's ticks, in the picture's pixels.
struct Graduation {
  int first_tick;  // of the question, 0 on a half-line
  int left;        // the column of the first tick
  int spacing;     // between two ticks
  int ticks;       // beyond the first
  int top;         // the rows below the raised letters, when some are

  int Column(int tick) const { return left + (tick - first_tick) * spacing; }
  int Right() const { return Column(first_tick + ticks); }
};

int LetterWidth(LineScale s, size_t p) {
  return LineTextWidth(LineFont::kOperand, s, std::u16string_view(&kLetters[p], 1));
}

// Whether each point's letter is raised: a letter is, when on the first
// row it would come closer than kLetterApart to the letter before it
// along the line. Two letters at least two ticks apart never come that
// close, so a raised letter never meets another raised one.
std::array<bool, 3> RaisedLetters(const NumberLineQuestion& q, const Graduation& line,
                                  LineScale s) {
  std::array<size_t, 3> order{0, 1, 2};
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return q.points[a].tick < q.points[b].tick; });
  std::array<bool, 3> raised{};
  std::optional<int> first_row_end;  // the right edge of the last letter there
  for (const size_t p : order) {
    const int left = line.Column(q.points[p].tick) - LetterWidth(s, p) / 2;
    if (first_row_end && left < *first_row_end + s(kLetterApart)) {
      raised[p] = true;
      continue;
    }
    first_row_end = left + LetterWidth(s, p);
  }
  return raised;
}

Graduation GraduationOf(const NumberLineQuestion& q, LineScale s, bool points) {
  const int ticks = q.LastTick() - q.FirstTick();
  const int left =
      LineWordWidth(s, u"1000") + s(kOriginGap) + (q.negative_units > 0 ? s(kRunOn) : 0);
  const int standard =
      std::max(kClosestTicks, std::min(kLongestUnit / q.unit_parts, kLongestLine / ticks));
  const int room = kMaxWorkedWidth - left - s(kRunOn) - s(1) - s(2);
  Graduation line{q.FirstTick(), left, std::max(kClosestTicks, std::min(s(standard), room / ticks)),
                  ticks, 0};
  if (points) {
    const std::array<bool, 3> raised = RaisedLetters(q, line, s);
    line.top =
        std::find(raised.begin(), raised.end(), true) != raised.end() ? s(kRaisedLetters) : 0;
  }
  return line;
}

// A unit's number as the line has it, "−2" with a true minus.
std::u16string UnitNumber(int unit) {
  const std::string digits = std::to_string(std::abs(unit));
  return (unit < 0 ? std::u16string(kMinusSign) : u"") +
         std::u16string(digits.begin(), digits.end());
}

// The line (a half-line from 0, or running on on both sides), its ticks
// (longer at the units) and the units' numbers under them.
void DrawGraduation(LineImage& image, const NumberLineQuestion& q, const Graduation& line) {
  const LineScale s = image.Scale();
  const double m = PenMiddle(s(1));
  const double axis = line.top + s(kAxisRow) + m;
  const int start = line.left - (q.negative_units > 0 ? s(kRunOn) : 0);
  QPainterPath whole_line(QPointF(start + m, axis));
  whole_line.lineTo(line.Right() + s(kRunOn) + m, axis);
  QPainterPath ticks;
  for (int tick = q.FirstTick(); tick <= q.LastTick(); ++tick) {
    const int reach = s(tick % q.unit_parts == 0 ? kUnitTick : kTick);
    ticks.moveTo(line.Column(tick) + m, axis - reach);
    ticks.lineTo(line.Column(tick) + m, axis + reach);
  }
  image.StrokePath(whole_line);
  image.StrokePath(ticks);
  image.SetFont(LineFont::kLine);
  for (int unit = -q.negative_units; unit <= q.units; ++unit) {
    const std::u16string number = UnitNumber(unit);
    image.TextOut(line.Column(unit * q.unit_parts) - LineWordWidth(s, number) / 2,
                  line.top + s(kNumberRow), number);
  }
}

// Each point as a cross on its tick, its letter centred above it, raised
// when it would touch its neighbour's.
void DrawPoints(LineImage& image, const NumberLineQuestion& q, const Graduation& line) {
  const LineScale s = image.Scale();
  const double m = PenMiddle(s(1));
  const double axis = line.top + s(kAxisRow) + m;
  const std::array<bool, 3> raised = RaisedLetters(q, line, s);
  image.SetFont(LineFont::kOperand);
  for (size_t p = 0; p < q.points.size(); ++p) {
    const int column = line.Column(q.points[p].tick);
    const QPointF centre(column + m, axis);
    const double arm = s(kCross);
    QPainterPath cross(centre + QPointF(-arm, -arm));
    cross.lineTo(centre + QPointF(arm, arm));
    cross.moveTo(centre + QPointF(-arm, arm));
    cross.lineTo(centre + QPointF(arm, -arm));
    image.StrokePath(cross);
    const std::u16string_view letter(&kLetters[p], 1);
    image.TextOut(column - LetterWidth(s, p) / 2, (raised[p] ? 0 : line.top) + s(kLetterRow),
                  letter);
  }
}

// "A(3/4) ; B(5/4) ; C(2)": each abscissa in parentheses after its
// letter, as tall as a fraction's.
StepExpression Abscissa(const NumberLinePoint& point) {
  StepOperand operand = FractionStep(point.num, point.den);
  operand.opens_group = true;
  operand.closes_group = true;
  return Single(operand);
}

// What the list under the line holds after each letter: nothing, the
// abscissas, or room to write them.
enum class ListForm { kNone, kAbscissas, kSlots };

constexpr std::u16string_view kListSeparator = u" ; ";
constexpr int kLetterGap = 1;  // between a letter and its tall parenthesis
// A slot is as wide as the widest abscissa of its line, and at least
// this: room for a hand to write a fraction (8 mm).
constexpr int kSlotWidth = 30;
constexpr std::u16string_view kSlotDot = u".";

// The width inside a slot's parentheses, the same for the three points so
// that none tells a whole number from a fraction.
int SlotArea(LineScale s, const NumberLineQuestion& q, DivisionSign sign) {
  int area = s(kSlotWidth);
  for (const NumberLinePoint& point : q.points) {
    area = std::max(area, ExpressionWidth(s, Single(FractionStep(point.num, point.den)), sign));
  }
  return area;
}

int SlotWidth(LineScale s, const NumberLineQuestion& q, DivisionSign sign) {
  return OpenParenthesisWidth(s) + SlotArea(s, q, sign) + CloseParenthesisWidth(s);
}

int ListWidth(LineScale s, const NumberLineQuestion& q, DivisionSign sign, ListForm form) {
  int width = 2 * LineWordWidth(s, kListSeparator);
  for (size_t p = 0; p < q.points.size(); ++p) {
    width += LetterWidth(s, p) + s(kLetterGap) +
             (form == ListForm::kSlots ? SlotWidth(s, q, sign)
                                       : ExpressionWidth(s, Abscissa(q.points[p]), sign));
  }
  return width;
}

// "A(……)": tall parentheses round a row of dots, the slot's width.
void DrawSlot(LineImage& row, int x, int area) {
  const LineScale s = row.Scale();
  const int fraction = x + OpenParenthesisWidth(s);
  DrawTallParentheses(row, x, fraction, area);
  const int dot = LineTextWidth(LineFont::kOperand, s, kSlotDot);
  const int dots = std::max(1, (area - 2 * s(2)) / dot);
  std::u16string text;
  for (int i = 0; i < dots; ++i) {
    text += kSlotDot;
  }
  row.SetFont(LineFont::kOperand);
  row.TextOut(fraction + (area - dots * dot) / 2, s(kWholeNumberRow), text);
}

void PlaceList(LineImage& image, int x, int top, const NumberLineQuestion& q, DivisionSign sign,
               ListForm form) {
  const LineScale s = image.Scale();
  PlaceRow(image, x, top, ListWidth(s, q, sign, form), [&](LineImage& row) {
    int at = 0;
    for (size_t p = 0; p < q.points.size(); ++p) {
      if (p > 0) {
        DrawLineWord(row, at, kListSeparator);
        at += LineWordWidth(s, kListSeparator);
      }
      const std::u16string_view letter(&kLetters[p], 1);
      // The letter as large as the numbers, where a whole number stands.
      row.SetFont(LineFont::kOperand);
      row.TextOut(at, s(kWholeNumberRow), letter);
      at += LetterWidth(s, p) + s(kLetterGap);
      if (form == ListForm::kSlots) {
        DrawSlot(row, at, SlotArea(s, q, sign));
        at += SlotWidth(s, q, sign);
      } else {
        DrawExpression(row, at, Abscissa(q.points[p]), sign);
        at += ExpressionWidth(s, Abscissa(q.points[p]), sign);
      }
    }
  });
}

// One picture: "7°)", the line, with the points when `points`, and the
// list under it.
void ComposeLinePicture(LineImage& image, int number, const NumberLineQuestion& q,
                        const ExerciseOptions& options, bool points, ListForm list) {
  const LineScale s = image.Scale();
  const Graduation line = GraduationOf(q, s, points);
  const int first_x = LineWordWidth(s, u"1000");
  const bool listed = list != ListForm::kNone;
  int width = line.Right() + s(kRunOn) + s(1);
  if (listed) {
    width = std::max(width, first_x + ListWidth(s, q, options.division_sign, list));
  }
  const int list_top = line.top + s(kLineHeight);
  image.SetSize(width + s(2), list_top + (listed ? s(kRowHeight) + s(2) : 0));
  image.Clear();
  image.SetFont(LineFont::kLine);
  image.TextOut(0, line.top + s(6), std::to_string(number) + "\xB0)");  // "°)"
  DrawGraduation(image, q, line);
  if (points) {
    DrawPoints(image, q, line);
  }
  if (listed) {
    PlaceList(image, first_x, list_top, q, options.division_sign, list);
  }
}

}  // namespace

void ComposeLine(LineImages& images, int number, const NumberLineKind& kind,
                 const NumberLineQuestion& q, const ExerciseOptions& options) {
  const bool read = kind.form == NumberLineForm::kRead;
  ComposeLinePicture(images.ImaQuest, number, q, options, read,
                     read ? ListForm::kSlots : ListForm::kAbscissas);
  ComposeLinePicture(images.ImaRep, number, q, options, true, ListForm::kAbscissas);
}

void ComposeWorkedLine(LineImages& images, int number, const NumberLineKind& kind,
                       const NumberLineQuestion& q, const ExerciseOptions& options) {
  LineImage& line = images.worked.emplace_back();
  line.SetScale(images.Scale());
  // The chains below give a reading's abscissas: its line stands alone.
  ComposeLinePicture(line, number, q, options, true,
                     kind.form == NumberLineForm::kPlace ? ListForm::kAbscissas : ListForm::kNone);
  const WorkedSteps steps = kind.Steps(q, options);
  for (size_t p = 0; p < steps.size(); ++p) {
    const std::string lead = std::string(1, static_cast<char>('A' + p)) + " :";
    AddWorkedChain(images, 0, lead, steps[p], options.division_sign);
  }
}

}  // namespace fractions
