#include "number_lines_line.h"

#include <QPainterPath>
#include <algorithm>
#include <string>

#include "pictures/expression_line.h"
#include "pictures/fraction_drawing.h"
#include "pictures/step_drawing.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

// Sizes of the standard layout, in pixels at 96 dpi: the ticks as far
// apart as fit 360 for the whole line, a unit at most 160 long (a line of
// 3 units in twelfths has its ticks 10 apart, 2.6 mm); the half-line goes
// on 16 past its last tick. Rows from the picture's top: the letters, the
// line, the numbers under the units' ticks; the list of the points under
// them.
constexpr int kLongestLine = 360;
constexpr int kLongestUnit = 160;
constexpr int kRunOn = 16;
constexpr int kOriginGap = 8;  // between the operand column and 0
constexpr int kLetterRow = 2;
constexpr int kAxisRow = 26;
constexpr int kUnitTick = 6;  // above and below the line
constexpr int kTick = 3;
constexpr int kCross = 4;  // half the breadth of a point's cross
constexpr int kNumberRow = 34;
constexpr int kLineHeight = 52;

constexpr char16_t kLetters[] = u"ABC";

// The line's ticks, in the picture's pixels.
struct Graduation {
  int origin;   // the column of 0
  int spacing;  // between two ticks
  int ticks;    // beyond 0

  int Column(int tick) const { return origin + tick * spacing; }
};

Graduation GraduationOf(const NumberLineQuestion& q, LineScale s) {
  const int ticks = q.unit_parts * q.units;
  return {LineWordWidth(s, u"1000") + s(kOriginGap),
          std::min(s(kLongestLine) / ticks, s(kLongestUnit) / q.unit_parts), ticks};
}

// The half-line, its ticks (longer at the units) and the units' numbers
// under them.
void DrawGraduation(LineImage& image, const NumberLineQuestion& q, const Graduation& line) {
  const LineScale s = image.Scale();
  const double m = PenMiddle(s(1));
  const double axis = s(kAxisRow) + m;
  QPainterPath half_line(QPointF(line.origin + m, axis));
  half_line.lineTo(line.Column(line.ticks) + s(kRunOn) + m, axis);
  QPainterPath ticks;
  for (int tick = 0; tick <= line.ticks; ++tick) {
    const int reach = s(tick % q.unit_parts == 0 ? kUnitTick : kTick);
    ticks.moveTo(line.Column(tick) + m, axis - reach);
    ticks.lineTo(line.Column(tick) + m, axis + reach);
  }
  image.StrokePath(half_line);
  image.StrokePath(ticks);
  image.SetFont(LineFont::kLine);
  for (int unit = 0; unit <= q.units; ++unit) {
    const std::string number = std::to_string(unit);
    image.TextOut(line.Column(unit * q.unit_parts) - image.TextWidth(number) / 2, s(kNumberRow),
                  number);
  }
}

// Each point as a cross on its tick, its letter centred above it.
void DrawPoints(LineImage& image, const NumberLineQuestion& q, const Graduation& line) {
  const LineScale s = image.Scale();
  const double m = PenMiddle(s(1));
  const double axis = s(kAxisRow) + m;
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
    image.TextOut(column - LineTextWidth(LineFont::kOperand, s, letter) / 2, s(kLetterRow), letter);
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

constexpr std::u16string_view kListSeparator = u" ; ";
constexpr int kLetterGap = 1;  // between a letter and its tall parenthesis

int ListWidth(LineScale s, const NumberLineQuestion& q, DivisionSign sign) {
  int width = 2 * LineWordWidth(s, kListSeparator);
  for (size_t p = 0; p < q.points.size(); ++p) {
    width += LineTextWidth(LineFont::kOperand, s, std::u16string_view(&kLetters[p], 1)) +
             s(kLetterGap) + ExpressionWidth(s, Abscissa(q.points[p]), sign);
  }
  return width;
}

void PlaceList(LineImage& image, int x, int top, const NumberLineQuestion& q, DivisionSign sign) {
  const LineScale s = image.Scale();
  PlaceRow(image, x, top, ListWidth(s, q, sign), [&](LineImage& row) {
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
      at += LineTextWidth(LineFont::kOperand, s, letter) + s(kLetterGap);
      DrawExpression(row, at, Abscissa(q.points[p]), sign);
      at += ExpressionWidth(s, Abscissa(q.points[p]), sign);
    }
  });
}

// One picture: "7°)", the line, with the points when `points`, and the
// list of the abscissas under it when `list`.
void ComposeLinePicture(LineImage& image, int number, const NumberLineQuestion& q,
                        const ExerciseOptions& options, bool points, bool list) {
  const LineScale s = image.Scale();
  const Graduation line = GraduationOf(q, s);
  const int first_x = LineWordWidth(s, u"1000");
  int width = line.Column(line.ticks) + s(kRunOn) + s(1);
  if (list) {
    width = std::max(width, first_x + ListWidth(s, q, options.division_sign));
  }
  image.SetSize(width + s(2), s(kLineHeight) + (list ? s(kRowHeight) + s(2) : 0));
  image.Clear();
  image.SetFont(LineFont::kLine);
  image.TextOut(0, s(6), std::to_string(number) + "\xB0)");  // "°)"
  DrawGraduation(image, q, line);
  if (points) {
    DrawPoints(image, q, line);
  }
  if (list) {
    PlaceList(image, first_x, s(kLineHeight), q, options.division_sign);
  }
}

}  // namespace

void ComposeLine(LineImages& images, int number, const NumberLineKind& kind,
                 const NumberLineQuestion& q, const ExerciseOptions& options) {
  const bool read = kind.form == NumberLineForm::kRead;
  ComposeLinePicture(images.ImaQuest, number, q, options, read, !read);
  ComposeLinePicture(images.ImaRep, number, q, options, true, true);
}

void ComposeWorkedLine(LineImages& images, int number, const NumberLineKind& kind,
                       const NumberLineQuestion& q, const ExerciseOptions& options) {
  LineImage& line = images.worked.emplace_back();
  line.SetScale(images.Scale());
  // The chains below give a reading's abscissas: its line stands alone.
  ComposeLinePicture(line, number, q, options, true, kind.form == NumberLineForm::kPlace);
  const WorkedSteps steps = kind.Steps(q, options);
  for (size_t p = 0; p < steps.size(); ++p) {
    const std::string lead = std::string(1, static_cast<char>('A' + p)) + " :";
    AddWorkedChain(images, 0, lead, steps[p], options.division_sign);
  }
}

}  // namespace fractions
