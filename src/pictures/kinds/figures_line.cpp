#include "figures_line.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <string>

#include "pictures/expression_line.h"
#include "pictures/fraction_drawing.h"
#include "pictures/step_drawing.h"
#include "pictures/worked_lines.h"

namespace fractions {

namespace {

// Sizes of the standard layout, in pixels at 96 dpi, chosen so that the
// figures read on a black-and-white photocopy: a disc 96 across (25 mm),
// 120 (32 mm) from ten sectors on; a strip 24 high whose parts share 240
// but are never narrower than 16 (4 mm; the strip grows longer); a grid's
// square cells as large as fit 120 × 96, never smaller than 20 (5 mm).
// Strips stack one above the other; discs and grids stand side by side.
// In large print everything is half as large again, the figures shrinking
// back towards their standard size where the line would pass
// kMaxWorkedWidth.
constexpr int kDiscAcross = 96;
constexpr int kFineDiscAcross = 120;
constexpr int kFineDisc = 10;  // sectors from which a disc is the larger
constexpr int kGridWidth = 120;
constexpr int kGridHeight = 96;
constexpr int kGridCell = 20;
constexpr int kStripLength = 240;
constexpr int kStripCell = 16;
constexpr int kStripHeight = 24;
constexpr int kStackGap = 8;
constexpr int kSideGap = 12;
constexpr int kHatchSpacing = 4;  // along a row, so about 3 pixels apart across the lines
// The hatching stops this far from every line round its part, so that a
// line between two hatched parts stands between two white bands wider
// than the hatching's gaps, whatever its slope.
constexpr int kClearBand = 4;
constexpr int kMargin = 4;     // above and below the figures
constexpr int kTextGap = 16;   // between the figures and a fraction
constexpr int kLegendGap = 4;  // between the figures and the unit's legend under them
constexpr int kLegendRow = 14;
// Under the figures of a value above 1, what the pupil counts in.
constexpr std::string_view kUnitLegend = "1 figure = 1 unit\xE9";

// Where the figures of a question lie, in the picture's pixels: each
// figure `width` × `height`, cut into parts `part_width` × `part_height`
// (a disc: its diameter), the next one `gap` further down (strips) or
// right.
struct FigureGeometry {
  int part_width, part_height;
  int width, height;
  bool stacked;
  int gap;
  int figures;

  // The figures' whole area, the pen's breadth on their right and bottom
  // edges included.
  int AreaWidth(int pen) const {
    return (stacked ? width : figures * width + (figures - 1) * gap) + pen;
  }
  int AreaHeight(int pen) const {
    return (stacked ? figures * height + (figures - 1) * gap : height) + pen;
  }
  QPoint Origin(int figure, QPoint area) const {
    const int step = figure * ((stacked ? height : width) + gap);
    return stacked ? area + QPoint(0, step) : area + QPoint(step, 0);
  }
};

// The figures' geometry at scale `s` with their area at most `room` wide:
// each part at its size of the scale, or smaller to fit, but never below
// its standard size.
FigureGeometry GeometryOf(const FigureQuestion& q, LineScale s, int room) {
  const bool stacked = q.shape == FigureShape::kStrip;
  const int gap = s(stacked ? kStackGap : kSideGap);
  // Parts side by side across the area, and the room they share.
  const int across =
      stacked ? q.columns : q.figures * (q.shape == FigureShape::kGrid ? q.columns : 1);
  const int shared = room - s(1) - (stacked ? 0 : (q.figures - 1) * gap);
  const auto fitted = [&](int standard) {
    return std::max(standard, std::min(s(standard), shared / across));
  };
  switch (q.shape) {
    case FigureShape::kStrip: {
      const int part = fitted(std::max(kStripCell, kStripLength / q.columns));
      return {part, s(kStripHeight), part * q.columns, s(kStripHeight), true, gap, q.figures};
    }
    case FigureShape::kGrid: {
      const int cell =
          fitted(std::max(kGridCell, std::min(kGridWidth / q.columns, kGridHeight / q.rows)));
      return {cell, cell, cell * q.columns, cell * q.rows, false, gap, q.figures};
    }
    case FigureShape::kDisc:
      break;
  }
  const int diameter = fitted(q.columns >= kFineDisc ? kFineDiscAcross : kDiscAcross);
  return {diameter, diameter, diameter, diameter, false, gap, q.figures};
}

// A disc's centre, radius and sector i, clockwise from the top.
struct Disc {
  QPointF centre;
  double radius;

  QRectF Box() const { return {centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius}; }
  QPainterPath Sector(int i, int sectors) const {
    QPainterPath sector(centre);
    sector.arcTo(Box(), 90.0 - 360.0 * i / sectors, -360.0 / sectors);
    sector.closeSubpath();
    return sector;
  }
};

// Figure `f` of the question with its top-left corner at `at`: its parts
// in `mask` hatched first, then its outline and the lines between its
// parts.
void DrawFigure(LineImage& image, const FigureQuestion& q, const FigureGeometry& g, QPoint at,
                uint32_t mask) {
  const LineScale s = image.Scale();
  const QPointF corner = QPointF(at) + QPointF(PenMiddle(s(1)), PenMiddle(s(1)));
  const int parts = q.PartCount();
  QPainterPath outline;
  QPainterPath dividers;
  if (q.shape == FigureShape::kDisc) {
    const Disc disc{corner + QPointF(g.width / 2.0, g.width / 2.0), g.width / 2.0};
    // From five sectors on, the radii stop short of the centre, where
    // they would run into a blot: half a pen's breadth per sector, so
    // that neighbours start about three pens apart.
    const double hub = parts > 4 ? s(1) * parts / 2.0 : 0.0;
    for (int i = 0; i < parts; ++i) {
      if ((mask >> i) & 1U) {
        image.Hatch(disc.Sector(i, parts), s(kHatchSpacing), s(kClearBand));
      }
      const double turn = 2 * std::numbers::pi * i / parts;
      const QPointF ray(std::sin(turn), -std::cos(turn));
      dividers.moveTo(disc.centre + hub * ray);
      dividers.lineTo(disc.centre + disc.radius * ray);
    }
    outline.addEllipse(disc.Box());
  } else {
    for (int i = 0; i < parts; ++i) {
      if ((mask >> i) & 1U) {
        const QPointF cell =
            corner + QPointF((i % q.columns) * g.part_width, (i / q.columns) * g.part_height);
        QPainterPath region;
        region.addRect(QRectF(cell, QSizeF(g.part_width, g.part_height)));
        image.Hatch(region, s(kHatchSpacing), s(kClearBand));
      }
    }
    for (int c = 1; c < q.columns; ++c) {
      dividers.moveTo(corner + QPointF(c * g.part_width, 0));
      dividers.lineTo(corner + QPointF(c * g.part_width, g.height));
    }
    for (int r = 1; r < q.rows; ++r) {
      dividers.moveTo(corner + QPointF(0, r * g.part_height));
      dividers.lineTo(corner + QPointF(g.width, r * g.part_height));
    }
    outline.addRect(QRectF(corner, QSizeF(g.width, g.height)));
  }
  // A disc's radii end in the open round its centre.
  image.StrokePath(dividers, q.shape == FigureShape::kDisc ? Qt::SquareCap : Qt::FlatCap);
  image.StrokePath(outline);
}

// The figures from (x, top), hatched as the key hatches them or blank.
void DrawFigures(LineImage& image, const FigureQuestion& q, const FigureGeometry& g, QPoint area,
                 bool hatched) {
  for (int f = 0; f < q.figures; ++f) {
    DrawFigure(image, q, g, g.Origin(f, area), hatched ? q.hatched.at(static_cast<size_t>(f)) : 0);
  }
}

// The fraction a reading finds, "6/8 = 3/4" with the mixed form when the
// options ask for it; the fraction to shade alone.
StepChain KeyFraction(const FigureKind& kind, const FigureQuestion& q,
                      const ExerciseOptions& options) {
  if (kind.form == FigureForm::kShade) {
    return {Single(FractionStep(q.num, q.den))};
  }
  const int32_t g = std::gcd(q.num, q.den);
  StepChain chain = ResultExpressions(q.num / g, q.den / g, options);
  if (g > 1) {
    chain.insert(chain.begin(), Single(FractionStep(q.num, q.den)));
  }
  return chain;
}

// Where a pupil writes the fraction read: a bar as wide as a fraction of
// two-digit terms written by hand, dots over it and under it.
constexpr int kSlotWidth = 36;
constexpr std::string_view kSlotDots = ".........";

void DrawAnswerSlot(LineImage& image, int x, int top) {
  const LineScale s = image.Scale();
  PlaceRow(image, x, top, s(kSlotWidth), [&](LineImage& row) {
    row.SetFont(LineFont::kOperand);
    const int dots_x = (s(kSlotWidth) - row.TextWidth(kSlotDots)) / 2;
    row.TextOut(dots_x, 0, kSlotDots);
    row.MoveTo(0, s(kBarRow));
    row.LineTo(s(kSlotWidth), s(kBarRow));
    row.TextOut(dots_x, s(kDenominatorRow), kSlotDots);
  });
}

// What a picture shows beside its figures: nothing (the worked key's
// figures, which its chain follows), the fraction (to shade: the one
// asked, before them; read: the one read, after them), or, read, the
// empty fraction the pupil fills in.
enum class Beside { kNothing, kFraction, kSlot };

// One picture: "7°)", then the figures, hatched or blank, with what stands
// beside them centred on them and, for a value above 1, the unit's legend
// under them. The subject, the key and the worked key lay the figures out
// alike, so that they are the same size in each.
void ComposeFigurePicture(LineImage& image, int number, const FigureKind& kind,
                          const FigureQuestion& q, const ExerciseOptions& options, bool hatched,
                          Beside beside) {
  const LineScale s = image.Scale();
  const bool shade = kind.form == FigureForm::kShade;
  const StepChain fraction = KeyFraction(kind, q, options);
  const int key_width = ChainWidth(s, fraction, options.division_sign);
  const int fraction_width = beside == Beside::kSlot ? s(kSlotWidth) : key_width;
  // The room the figures leave: the question's column and, to shade, the
  // fraction before them; read, the wider of the key's fraction and the
  // slot after them.
  const int first_x = LineWordWidth(s, u"1000");
  const int before = shade ? key_width + s(kTextGap) : 0;
  const int after = shade ? 0 : s(kTextGap) + std::max(key_width, s(kSlotWidth));
  const FigureGeometry g = GeometryOf(q, s, kMaxWorkedWidth - s(2) - first_x - before - after);

  const int area_top = s(kMargin);
  const int area_height = g.AreaHeight(s(1));
  const int area_x = first_x + before;
  const int fraction_top = std::max(0, area_top + (area_height - s(kRowHeight)) / 2);
  int width = area_x + g.AreaWidth(s(1));
  if (!shade && beside != Beside::kNothing) {
    width += s(kTextGap) + fraction_width;
  }
  int bottom = std::max(area_top + area_height, fraction_top + s(kRowHeight));
  const int legend_top = area_top + area_height + s(kLegendGap);
  const bool legend = q.figures > 1;
  image.Clear();
  if (legend) {
    bottom = legend_top + s(kLegendRow);
    width = std::max(width, area_x + image.TextWidth(kUnitLegend));
  }
  image.SetSize(width + s(2), bottom + s(kMargin));
  image.SetFont(LineFont::kLine);
  image.TextOut(0, s(6), std::to_string(number) + "\xB0)");  // "°)"
  if (legend) {
    image.TextOut(area_x, legend_top, kUnitLegend);
  }
  DrawFigures(image, q, g, {area_x, area_top}, hatched);
  if (beside == Beside::kNothing) {
    return;
  }
  const int fraction_x = shade ? first_x : area_x + g.AreaWidth(s(1)) + s(kTextGap);
  if (beside == Beside::kSlot) {
    DrawAnswerSlot(image, fraction_x, fraction_top);
  } else {
    PlaceChain(image, fraction_x, fraction_top, fraction, options.division_sign);
  }
}

}  // namespace

void ComposeLine(LineImages& images, int number, const FigureKind& kind, const FigureQuestion& q,
                 const ExerciseOptions& options) {
  const bool read = kind.form == FigureForm::kRead;
  ComposeFigurePicture(images.ImaQuest, number, kind, q, options, read,
                       read ? Beside::kSlot : Beside::kFraction);
  ComposeFigurePicture(images.ImaRep, number, kind, q, options, true, Beside::kFraction);
}

void ComposeWorkedLine(LineImages& images, int number, const FigureKind& kind,
                       const FigureQuestion& q, const ExerciseOptions& options) {
  LineImage& figures = images.worked.emplace_back();
  figures.SetScale(images.Scale());
  // The chain below says the fraction: the figures stand alone.
  ComposeFigurePicture(figures, number, kind, q, options, true, Beside::kNothing);
  AddWorkedChain(images, 0, "", kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
