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

// Sizes of the standard layout, in pixels at 96 dpi. A figure is at most
// 64 high (17 mm): a disc 64 across, whose twelve sectors still read; a
// grid's square cells as large as fit 96 × 64; a strip 24 high, its parts
// as wide as fit 240. Strips stack one above the other, so that three of
// 24 parts still fit the page in large print; discs and grids stand side
// by side.
constexpr int kFigureHeight = 64;
constexpr int kGridWidth = 96;
constexpr int kStripLength = 240;
constexpr int kStripHeight = 24;
constexpr int kStackGap = 8;
constexpr int kSideGap = 12;
constexpr int kHatchSpacing = 4;  // along a row, so about 3 pixels apart across the lines
constexpr int kMargin = 4;        // above and below the figures
constexpr int kTextGap = 16;      // between the figures and a fraction

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

FigureGeometry GeometryOf(const FigureQuestion& q, LineScale s) {
  switch (q.shape) {
    case FigureShape::kStrip: {
      const int part = s(kStripLength) / q.columns;
      return {part, s(kStripHeight), part * q.columns, s(kStripHeight),
              true, s(kStackGap),    q.figures};
    }
    case FigureShape::kGrid: {
      const int cell = std::min(s(kGridWidth) / q.columns, s(kFigureHeight) / q.rows);
      return {cell, cell, cell * q.columns, cell * q.rows, false, s(kSideGap), q.figures};
    }
    case FigureShape::kDisc:
      break;
  }
  const int across = s(kFigureHeight);
  return {across, across, across, across, false, s(kSideGap), q.figures};
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
    for (int i = 0; i < parts; ++i) {
      if ((mask >> i) & 1U) {
        image.Hatch(disc.Sector(i, parts), s(kHatchSpacing));
      }
      const double turn = 2 * std::numbers::pi * i / parts;
      dividers.moveTo(disc.centre);
      dividers.lineTo(disc.centre + disc.radius * QPointF(std::sin(turn), -std::cos(turn)));
    }
    outline.addEllipse(disc.Box());
  } else {
    for (int i = 0; i < parts; ++i) {
      if ((mask >> i) & 1U) {
        const QPointF cell =
            corner + QPointF((i % q.columns) * g.part_width, (i / q.columns) * g.part_height);
        QPainterPath region;
        region.addRect(QRectF(cell, QSizeF(g.part_width, g.part_height)));
        image.Hatch(region, s(kHatchSpacing));
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
  image.StrokePath(dividers);
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

// One picture: "7°)", then the figures, the fraction before them (shade)
// or after them (read) when `with_fraction`, its row centred on them.
void ComposeFigurePicture(LineImage& image, int number, const FigureKind& kind,
                          const FigureQuestion& q, const ExerciseOptions& options, bool hatched,
                          bool with_fraction) {
  const LineScale s = image.Scale();
  const FigureGeometry g = GeometryOf(q, s);
  const StepChain fraction = KeyFraction(kind, q, options);
  const int fraction_width = ChainWidth(s, fraction, options.division_sign);
  const int first_x = LineWordWidth(s, u"1000");
  const int area_top = s(kMargin);
  const int area_height = g.AreaHeight(s(1));
  const int fraction_top = std::max(0, area_top + (area_height - s(kRowHeight)) / 2);
  const bool shade = kind.form == FigureForm::kShade;
  const int area_x = shade && with_fraction ? first_x + fraction_width + s(kTextGap) : first_x;
  int width = area_x + g.AreaWidth(s(1));
  if (!shade && with_fraction) {
    width += s(kTextGap) + fraction_width;
  }
  image.SetSize(width + s(2),
                std::max(area_top + area_height + s(kMargin), fraction_top + s(kRowHeight)));
  image.Clear();
  image.SetFont(LineFont::kLine);
  image.TextOut(0, s(6), std::to_string(number) + "\xB0)");  // "°)"
  DrawFigures(image, q, g, {area_x, area_top}, hatched);
  if (!with_fraction) {
    return;
  }
  if (shade) {
    PlaceChain(image, first_x, fraction_top, fraction, options.division_sign);
  } else {
    PlaceChain(image, area_x + g.AreaWidth(s(1)) + s(kTextGap), fraction_top, fraction,
               options.division_sign);
  }
}

}  // namespace

void ComposeLine(LineImages& images, int number, const FigureKind& kind, const FigureQuestion& q,
                 const ExerciseOptions& options) {
  const bool read = kind.form == FigureForm::kRead;
  ComposeFigurePicture(images.ImaQuest, number, kind, q, options, read, !read);
  ComposeFigurePicture(images.ImaRep, number, kind, q, options, true, true);
}

void ComposeWorkedLine(LineImages& images, int number, const FigureKind& kind,
                       const FigureQuestion& q, const ExerciseOptions& options) {
  LineImage& figures = images.worked.emplace_back();
  figures.SetScale(images.Scale());
  // The chain below says the fraction: the figures stand alone.
  ComposeFigurePicture(figures, number, kind, q, options, true, false);
  AddWorkedChain(images, 0, "", kind.Steps(q, options).at(0), options.division_sign);
}

}  // namespace fractions
