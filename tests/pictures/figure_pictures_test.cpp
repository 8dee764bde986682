// Shaded figures as a pupil sees them on a black-and-white photocopy, every
// shape and size at both print sizes.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "picture_probe.h"
#include "pictures/kinds/figures_line.h"
#include "pictures/worked_lines.h"

namespace fractions {
namespace {

using testing::IsBlack;

// `figures` figures hatched whole but the last, in which all parts but one
// or two are.
FigureQuestion Question(FigureShape shape, int rows, int columns, int figures) {
  const int parts = rows * columns;
  const int last = parts % 2 == 0 && parts > 2 ? parts - 2 : parts - 1;
  FigureQuestion q{shape, rows, columns, figures, (figures - 1) * parts + last, parts, {}};
  for (int i = 0; i < figures; ++i) {
    q.hatched[static_cast<size_t>(i)] = (uint32_t{1} << (i + 1 < figures ? parts : last)) - 1;
  }
  return q;
}

// Composes the lines of every shape and size a level draws, one figure and
// three, at both print sizes, and calls `check(images, q, scale)`.
template <typename Check>
void ForEveryFigure(FigureForm form, Check check) {
  std::vector<FigureQuestion> questions;
  for (const int figures : {1, 3}) {
    for (int n = 2; n <= FigureKind::kLargestStrip; ++n)
      questions.push_back(Question(FigureShape::kStrip, 1, n, figures));
    for (int r = 2; r <= FigureKind::kLargestGridRows; ++r)
      for (int c = 2; c <= FigureKind::kLargestGridColumns; ++c)
        questions.push_back(Question(FigureShape::kGrid, r, c, figures));
    for (int n = 2; n <= FigureKind::kLargestDisc; ++n)
      questions.push_back(Question(FigureShape::kDisc, 1, n, figures));
  }
  for (const LineScale scale : testing::kBothScales) {
    LineImages images;
    images.SetScale(scale);
    for (const FigureQuestion& q : questions) {
      SCOPED_TRACE("shape " + std::to_string(static_cast<int>(q.shape)) + " " +
                   std::to_string(q.rows) + "x" + std::to_string(q.columns) + " figures " +
                   std::to_string(q.figures) + " scale " + std::to_string(scale.Numerator()));
      ComposeLine(images, 40, FigureKind{form}, q, {.mixed = true});
      check(images, q, scale);
    }
  }
}

// The figures' outlines, left to right or top to bottom: the closed paths
// among the strokes (the dividers are open).
std::vector<QRectF> Outlines(LineImage& image) {
  std::vector<QRectF> outlines;
  for (const DrawnPath* stroke : testing::StepsOf<DrawnPath>(*image.Drawing())) {
    bool closed = stroke->path.elementCount() >= 5;
    for (int i = 1; i < stroke->path.elementCount(); ++i)
      closed = closed && !stroke->path.elementAt(i).isMoveTo();
    if (closed)
      outlines.push_back(stroke->path.boundingRect());
  }
  return outlines;
}

// The drawing at `factor` times the bitmap's resolution, smoothed as a PDF
// viewer or a printer draws it.
QImage Replayed(LineImage& image, double factor) {
  const auto drawing = image.Drawing();
  QImage sharp((QSizeF(drawing->Size()) * factor).toSize(), QImage::Format_RGB32);
  sharp.fill(Qt::white);
  QPainter painter(&sharp);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(factor, factor);
  drawing->Draw(painter);
  return sharp;
}

// The lines a pupil must see round the parts of the figure in `box`: a
// disc's radii (clear of the centre) and its rim in the middle of each
// sector; each side of each cell of a strip or a grid.
std::vector<QLineF> BoundariesOf(const FigureQuestion& q, const QRectF& box) {
  std::vector<QLineF> lines;
  if (q.shape == FigureShape::kDisc) {
    const QPointF centre = box.center();
    const double r = box.width() / 2;
    for (int i = 0; i < q.columns; ++i) {
      const double turn = 2 * std::numbers::pi * i / q.columns;
      const QPointF ray(std::sin(turn), -std::cos(turn));
      lines.emplace_back(centre + 0.3 * r * ray, centre + 0.9 * r * ray);
      const double mid = turn + std::numbers::pi / q.columns;
      const QPointF on(std::sin(mid), -std::cos(mid)), along(std::cos(mid), std::sin(mid));
      lines.emplace_back(centre + r * on - 2.0 * along, centre + r * on + 2.0 * along);
    }
    return lines;
  }
  const double w = box.width() / q.columns, h = box.height() / q.rows;
  for (int r = 0; r <= q.rows; ++r) {
    for (int c = 0; c <= q.columns; ++c) {
      const QPointF corner = box.topLeft() + QPointF(c * w, r * h);
      if (r < q.rows)
        lines.emplace_back(corner, corner + QPointF(0, h));
      if (c < q.columns)
        lines.emplace_back(corner, corner + QPointF(w, 0));
    }
  }
  return lines;
}

// Whether `line` stands out on `image`, drawn at `factor` times the
// picture's pixels: at nine points in ten along its middle it is black
// (within a pixel) and, inside the figure, white 2 and 3 standard pixels
// (`unit`) away on either side, where hatching run on to it would be black.
bool StandsOut(const QImage& image, double factor, const QLineF& line, const QRectF& box,
               double unit) {
  const QPointF normal = QPointF(-line.dy(), line.dx()) / line.length();
  const auto black = [&](QPointF p) {
    return IsBlack(image, static_cast<int>(std::floor(p.x() * factor)),
                   static_cast<int>(std::floor(p.y() * factor)));
  };
  int samples = 0, failed = 0;
  for (double t = 0.15; t <= 0.85; t += 0.7 / 24, ++samples) {
    const QPointF m = line.pointAt(t);
    bool ok = false;
    for (int i = 0; i < 9; ++i)
      ok = ok || black(m + QPointF(i % 3 - 1, i / 3 - 1) / factor);
    for (const double away : {-3.0, -2.0, 2.0, 3.0}) {
      const QPointF p = m + away * unit * normal;
      ok = ok && !(box.adjusted(1, 1, -1, -1).contains(p) && black(p));
    }
    failed += ok ? 0 : 1;
  }
  return failed * 10 <= samples;
}

// Inside the hatched parts of the key, every line round a part stands out
// between two white bands, in the bitmap and replayed at 300 dots per inch;
// a disc's centre, an eighth of its radius round, is at most a third black.
TEST(FigurePictures, EveryLineBetweenHatchedPartsStandsOut) {
  ForEveryFigure(FigureForm::kRead, [](LineImages& images, const FigureQuestion& q,
                                       LineScale scale) {
    if (q.figures == 1) {
      return;  // the first of three is hatched whole
    }
    const QRectF box = Outlines(images.ImaRep).at(0);
    const double unit = static_cast<double>(scale.Numerator()) / scale.Denominator();
    for (const double factor : {1.0, 300.0 / 96}) {
      const QImage picture =
          factor == 1.0 ? images.ImaRep.Picture().copy() : Replayed(images.ImaRep, factor);
      int lost = 0;
      for (const QLineF& line : BoundariesOf(q, box)) {
        lost += StandsOut(picture, factor, line, box, unit) ? 0 : 1;
      }
      EXPECT_EQ(lost, 0) << "lines lost in the hatching at " << factor << " times";
      if (q.shape == FigureShape::kDisc) {
        const double r = box.width() / 16;
        int ink = 0, all = 0;
        for (double y = -r; y <= r; y += 1 / factor)
          for (double x = -r; x <= r; x += 1 / factor)
            if (x * x + y * y <= r * r) {
              const QPointF at = (box.center() + QPointF(x, y)) * factor;
              ++all;
              ink += IsBlack(picture, static_cast<int>(at.x()), static_cast<int>(at.y())) ? 1 : 0;
            }
        EXPECT_LE(ink * 3, all) << "a blot at the centre at " << factor << " times";
      }
    }
  });
}

// In the subject and the key alike: parts of strips and cells of grids at
// least 4 mm across (15.1 pixels at 96 dpi), discs 24 mm (30 mm from ten
// sectors on), the picture within the page's 680 pixels, and "1 figure = 1
// unité" under several figures only. To read, right of the figures, the
// subject leaves dots over a bar over dots and the key writes the fraction
// read there.
TEST(FigurePictures, PartsCountableOnThePageWithRoomForTheFractionRead) {
  constexpr double kMillimetre = 96 / 25.4;
  for (const FigureForm form : {FigureForm::kRead, FigureForm::kShade}) {
    ForEveryFigure(form, [&](LineImages& images, const FigureQuestion& q, LineScale) {
      for (LineImage* image : {&images.ImaQuest, &images.ImaRep}) {
        const bool subject = image == &images.ImaQuest;
        EXPECT_LE(image->Width(), kMaxWorkedWidth);
        const std::vector<QRectF> outlines = Outlines(*image);
        ASSERT_EQ(static_cast<int>(outlines.size()), q.figures);
        EXPECT_EQ(outlines[0].size(), Outlines(images.ImaRep)[0].size());
        const double wide = outlines[0].width() / kMillimetre;
        const double high = outlines[0].height() / kMillimetre;
        EXPECT_GE(q.shape == FigureShape::kDisc ? std::min(wide, high)
                                                : std::min(wide / q.columns, high / q.rows),
                  q.shape != FigureShape::kDisc ? 4.0
                  : q.columns >= 10             ? 30.0
                                                : 24.0);
        int legends = 0;
        QStringList beside;  // right of the figures
        std::vector<int> rows, bars;
        for (const LineStep& step : testing::FlatSteps(*image->Drawing())) {
          if (const auto* text = std::get_if<DrawnText>(&step)) {
            legends += text->text == QString::fromUtf8("1 figure = 1 unité") ? 1 : 0;
            if (text->at.x() > outlines.back().right() && !text->text.trimmed().isEmpty()) {
              beside << text->text.trimmed();
              rows.push_back(text->at.y());
            }
          } else if (const auto* line = std::get_if<DrawnLine>(&step);
                     line != nullptr && line->from.x() > outlines.back().right()) {
            bars.push_back(line->from.y());
          }
        }
        EXPECT_EQ(legends, q.figures > 1 ? 1 : 0);
        if (form == FigureForm::kShade) {
          continue;
        }
        if (!subject) {
          EXPECT_EQ(beside.mid(0, 2), QStringList({QString::number(q.num), QString::number(q.den)}))
              << beside.join(' ').toStdString();
          continue;
        }
        ASSERT_EQ(beside.size(), 2) << beside.join(' ').toStdString();
        EXPECT_TRUE(beside[0].count('.') >= 4 && beside[0].count('.') == beside[0].size() &&
                    beside[1] == beside[0])
            << beside.join(' ').toStdString();
        ASSERT_EQ(bars.size(), 1u);
        EXPECT_TRUE(std::min(rows[0], rows[1]) < bars[0] && bars[0] < std::max(rows[0], rows[1]));
      }
    });
  }
}

}  // namespace
}  // namespace fractions
