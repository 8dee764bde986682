// Shaded figures as a pupil sees them on a black-and-white photocopy, in
// the bitmap and in the drawing replayed at a printer's resolution: every
// line between parts stands out inside hatched parts, a disc has no blot at
// its centre, parts are never too small to count or colour and the picture
// stays on the page, at both print sizes; the subject leaves room for the
// fraction read, the key fills it, and several figures say which one is the
// unit.
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

struct Figure {
  FigureShape shape;
  int rows, columns;
};

// Every shape and size a sheet draws at some level.
std::vector<Figure> EveryFigure() {
  std::vector<Figure> figures;
  for (int n = 2; n <= FigureKind::kLargestStrip; ++n)
    figures.push_back({FigureShape::kStrip, 1, n});
  for (int r = 2; r <= FigureKind::kLargestGridRows; ++r)
    for (int c = 2; c <= FigureKind::kLargestGridColumns; ++c)
      figures.push_back({FigureShape::kGrid, r, c});
  for (int n = 2; n <= FigureKind::kLargestDisc; ++n)
    figures.push_back({FigureShape::kDisc, 1, n});
  return figures;
}

// `figures` of them, hatched whole but the last, in which all parts but
// one or two are: the key's fraction as wide as it gets, reduced and with
// its mixed form when it can.
FigureQuestion Question(const Figure& f, int figures) {
  const int parts = f.rows * f.columns;
  const int last = parts % 2 == 0 && parts > 2 ? parts - 2 : parts - 1;
  FigureQuestion q{f.shape, f.rows, f.columns, figures, (figures - 1) * parts + last, parts, {}};
  for (int i = 0; i < figures; ++i)
    q.hatched[static_cast<size_t>(i)] = (uint32_t{1} << (i + 1 < figures ? parts : last)) - 1;
  return q;
}

std::string Name(const Figure& f, LineScale scale) {
  static constexpr const char* kShapes[] = {"strip", "grid", "disc"};
  return std::string(kShapes[static_cast<int>(f.shape)]) + " " + std::to_string(f.rows) + "x" +
         std::to_string(f.columns) + " scale " + std::to_string(scale.Numerator());
}

// The outlines the picture's drawing strokes, one per figure, left to
// right or top to bottom: the closed paths among its strokes (the dividers
// are separate segments).
std::vector<QRectF> Outlines(LineImage& image) {
  std::vector<QRectF> outlines;
  const auto drawing = image.Drawing();
  for (const LineStep& step : drawing->Steps()) {
    const auto* stroke = std::get_if<DrawnPath>(&step);
    if (stroke == nullptr || stroke->path.elementCount() < 5)
      continue;
    bool closed = true;
    for (int i = 1; i < stroke->path.elementCount(); ++i)
      closed = closed && !stroke->path.elementAt(i).isMoveTo();
    if (closed)
      outlines.push_back(stroke->path.boundingRect());
  }
  return outlines;
}

// The drawing again at `factor` times the bitmap's resolution, smoothed as
// a PDF viewer or a printer draws it.
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

// One line a pupil must see between two parts (or round a figure): from
// `from` to `to` in the picture's coordinates.
struct Boundary {
  QPointF from, to;
};

// The lines of the figure in `box` (its outline's bounding box) for the
// question's shape: the dividers, then the outline.
std::vector<Boundary> BoundariesOf(const FigureQuestion& q, const QRectF& box) {
  std::vector<Boundary> lines;
  if (q.shape == FigureShape::kDisc) {
    const QPointF centre = box.center();
    const double r = box.width() / 2;
    for (int i = 0; i < q.columns; ++i) {
      const double turn = 2 * std::numbers::pi * i / q.columns;
      const QPointF ray(std::sin(turn), -std::cos(turn));
      lines.push_back({centre + 0.3 * r * ray, centre + 0.9 * r * ray});
      // The rim in the middle of the sector, as a short chord.
      const double mid = turn + std::numbers::pi / q.columns;
      const QPointF on(std::sin(mid), -std::cos(mid)), along(std::cos(mid), std::sin(mid));
      lines.push_back({centre + r * on - 2.0 * along, centre + r * on + 2.0 * along});
    }
    return lines;
  }
  // Each cell's sides, so that no line crosses the middle of one.
  const double w = box.width() / q.columns, h = box.height() / q.rows;
  for (int r = 0; r <= q.rows; ++r) {
    for (int c = 0; c <= q.columns; ++c) {
      const QPointF corner = box.topLeft() + QPointF(c * w, r * h);
      if (r < q.rows)
        lines.push_back({corner, corner + QPointF(0, h)});
      if (c < q.columns)
        lines.push_back({corner, corner + QPointF(w, 0)});
    }
  }
  return lines;
}

// Whether the line is drawn and stands out on `image`, drawn `factor`
// times the picture's pixels: along its middle, the line is black (in one
// of the 3 × 3 pixels round where it runs, as an aliased slope steps), and
// on each side inside the figure the pixels 2 and 3 standard pixels
// (`unit` of the picture's) away are white, at nine points in ten at
// least. Hatching that runs on to the line, or runs along it one hatching
// gap away, blacks those pixels.
bool StandsOut(const QImage& image, double factor, const Boundary& line, const QRectF& box,
               double unit, std::string& why) {
  const QLineF segment(line.from, line.to);
  const QPointF along = (line.to - line.from) / segment.length();
  const QPointF normal(-along.y(), along.x());
  const auto black = [&](QPointF p) {
    const QPointF at = p * factor;
    return IsBlack(image, static_cast<int>(std::floor(at.x())),
                   static_cast<int>(std::floor(at.y())));
  };
  int samples = 0, failed = 0;
  for (double t = 0.15; t <= 0.85; t += 0.7 / 24) {
    const QPointF m = line.from + t * (line.to - line.from);
    ++samples;
    bool ok = false;
    for (int i = 0; i < 9; ++i) {
      ok = ok || black(m + QPointF(i % 3 - 1, i / 3 - 1) / factor);
    }
    for (const double side : {-1.0, 1.0}) {
      for (const double away : {2.0, 3.0}) {
        const QPointF p = m + side * away * unit * normal;
        if (box.adjusted(1, 1, -1, -1).contains(p) && black(p)) {
          ok = false;
        }
      }
    }
    failed += ok ? 0 : 1;
  }
  if (failed * 10 > samples) {
    why = "from (" + std::to_string(line.from.x()) + ", " + std::to_string(line.from.y()) +
          ") to (" + std::to_string(line.to.x()) + ", " + std::to_string(line.to.y()) +
          "): " + std::to_string(failed) + " of " + std::to_string(samples);
    return false;
  }
  return true;
}

// Inside hatched parts every line between two parts, and the outline,
// stands out between two white bands, in the bitmap and replayed at 300
// dots per inch; a disc's centre is no blot.
TEST(FigurePictures, EveryLineBetweenHatchedPartsStandsOut) {
  for (const LineScale scale : {LineScale(), kLargePrintSizes.pictures}) {
    LineImages images;
    images.SetScale(scale);
    const double unit = static_cast<double>(scale.Numerator()) / scale.Denominator();
    for (const Figure& f : EveryFigure()) {
      SCOPED_TRACE(Name(f, scale));
      // Two figures: the first hatched whole, as a value above 1 shows it.
      const FigureQuestion q = Question(f, 2);
      ComposeLine(images, 1, FigureKind{FigureForm::kRead}, q, {.mixed = true});
      const std::vector<QRectF> outlines = Outlines(images.ImaRep);
      ASSERT_EQ(outlines.size(), 2u);
      const QRectF box = outlines[0];
      for (const double factor : {1.0, 300.0 / 96}) {
        const QImage picture =
            factor == 1.0 ? images.ImaRep.Picture().copy() : Replayed(images.ImaRep, factor);
        int lost = 0;
        for (const Boundary& line : BoundariesOf(q, box)) {
          std::string why;
          if (!StandsOut(picture, factor, line, box, unit, why)) {
            ADD_FAILURE() << "factor " << factor << ": a line lost in the hatching " << why;
            if (++lost > 3)
              break;
          }
        }
        if (q.shape == FigureShape::kDisc) {
          // The centre, an eighth of the radius round it, at most a third black.
          const double r = box.width() / 16;
          int ink = 0, all = 0;
          for (double y = -r; y <= r; y += 1 / factor)
            for (double x = -r; x <= r; x += 1 / factor)
              if (x * x + y * y <= r * r) {
                const QPointF at = (box.center() + QPointF(x, y)) * factor;
                ++all;
                ink += IsBlack(picture, static_cast<int>(at.x()), static_cast<int>(at.y())) ? 1 : 0;
              }
          EXPECT_LE(ink * 3, all) << "factor " << factor << ": a blot at the centre";
        }
      }
    }
  }
}

// The black pixels of `image` joined to each other (8 neighbours), as
// boxes: the largest ones are the figures' outlines with their dividers.
std::vector<QRect> InkBoxes(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  // 1 for a black pixel not yet in a box.
  std::vector<char> ink(static_cast<size_t>(w * h), 0);
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x)
      ink[static_cast<size_t>(y * w + x)] = qGray(line[x]) < 128 ? 1 : 0;
  }
  std::vector<QRect> boxes;
  std::vector<QPoint> stack;
  for (int start = 0; start < w * h; ++start) {
    if (!ink[static_cast<size_t>(start)])
      continue;
    ink[static_cast<size_t>(start)] = 0;
    stack.push_back({start % w, start / w});
    QRect box;
    while (!stack.empty()) {
      const QPoint p = stack.back();
      stack.pop_back();
      box |= QRect(p, QSize(1, 1));
      for (int i = 0; i < 9; ++i) {
        const QPoint n = p + QPoint(i % 3 - 1, i / 3 - 1);
        if (n.x() >= 0 && n.y() >= 0 && n.x() < w && n.y() < h &&
            ink[static_cast<size_t>(n.y() * w + n.x())]) {
          ink[static_cast<size_t>(n.y() * w + n.x())] = 0;
          stack.push_back(n);
        }
      }
    }
    boxes.push_back(box);
  }
  std::sort(boxes.begin(), boxes.end(), [](const QRect& a, const QRect& b) {
    return a.width() * a.height() > b.width() * b.height();
  });
  return boxes;
}

// At 96 dots per inch: 4 mm is 15.1 pixels, 24 mm 90.7, 30 mm 113.4.
constexpr double kPixelsPerMillimetre = 96 / 25.4;

// Measured on the bitmaps of the subject and the key, for one figure and
// for three (the widest line) of every shape and size at both print sizes: a strip's parts and
// a grid's cells at least 4 mm across, a disc 24 mm across and 30 mm from
// ten sectors on, the same figures in the subject and in the key, and both
// pictures within the page's 680 pixels (the worked key's figures, drawn
// alone, are narrower than the key's).
TEST(FigurePictures, PartsAreLargeEnoughAndPicturesStayOnThePage) {
  for (const LineScale scale : {LineScale(), kLargePrintSizes.pictures}) {
    for (const FigureForm form : {FigureForm::kRead, FigureForm::kShade}) {
      LineImages images;
      images.SetScale(scale);
      for (const Figure& f : EveryFigure()) {
        for (const int figures : {1, 3}) {
          SCOPED_TRACE(Name(f, scale) + " figures " + std::to_string(figures) + " form " +
                       std::to_string(static_cast<int>(form)));
          const FigureQuestion q = Question(f, figures);
          ComposeLine(images, 40, FigureKind{form}, q, {.mixed = true});
          for (LineImage* image : {&images.ImaQuest, &images.ImaRep}) {
            EXPECT_LE(image->Width(), kMaxWorkedWidth);
          }
          // A figure's outline with its dividers is the largest piece of
          // ink: the hatching stays off it.
          const QRect blank = InkBoxes(images.ImaQuest.Picture())[0];
          const QRect hatched = InkBoxes(images.ImaRep.Picture())[0];
          EXPECT_EQ(blank.size(), hatched.size()) << "the subject's figures and the key's differ";
          const double wide = static_cast<double>(blank.width()) / kPixelsPerMillimetre;
          const double high = static_cast<double>(blank.height()) / kPixelsPerMillimetre;
          switch (f.shape) {
            case FigureShape::kStrip:
              EXPECT_GE(wide / f.columns, 4.0) << "parts of a strip " << wide / f.columns << " mm";
              break;
            case FigureShape::kGrid:
              EXPECT_GE(std::min(wide / f.columns, high / f.rows), 4.0) << "cells of a grid";
              break;
            case FigureShape::kDisc:
              EXPECT_GE(std::min(wide, high), f.columns >= 10 ? 30.0 : 24.0)
                  << "a disc " << wide << " mm across";
              break;
          }
        }
      }
    }
  }
}

// A text of the picture's drawing, where it stands in the picture.
struct PlacedText {
  QString text;
  QPoint at;
};

void CollectTexts(const LineDrawing& drawing, QPoint offset, std::vector<PlacedText>& texts,
                  std::vector<QLine>& bars) {
  for (const LineStep& step : drawing.Steps()) {
    if (const auto* text = std::get_if<DrawnText>(&step)) {
      texts.push_back({text->text, text->at + offset});
    } else if (const auto* line = std::get_if<DrawnLine>(&step)) {
      bars.emplace_back(line->from + offset, line->to + offset);
    } else if (const auto* copy = std::get_if<DrawnCopy>(&step)) {
      CollectTexts(*copy->source,
                   offset + QPoint(copy->dest.left - copy->source_rect.left,
                                   copy->dest.top - copy->source_rect.top),
                   texts, bars);
    }
  }
}

// To read: right of the figures, the subject leaves an empty fraction,
// dots over a bar over dots and not a digit, and the key writes the
// fraction read there. Under several figures, both say that one figure is
// the unit; under one, neither does.
TEST(FigurePictures, TheSubjectLeavesRoomForTheFractionTheKeyFillsIt) {
  const FigureKind read{FigureForm::kRead};
  struct Case {
    FigureQuestion q;
    QString key;  // the numbers right of the figures, in order
  };
  const Case cases[] = {
      {{FigureShape::kStrip, 1, 8, 1, 6, 8, {0b01110111, 0, 0}}, "6 8 3 4"},
      {{FigureShape::kDisc, 1, 5, 1, 2, 5, {0b00011, 0, 0}}, "2 5"},
      {{FigureShape::kGrid, 2, 3, 3, 16, 6, {0x3F, 0x3F, 0b1111}}, "16 6 8 3 2 2 3"},
  };
  for (const LineScale scale : {LineScale(), kLargePrintSizes.pictures}) {
    LineImages images;
    images.SetScale(scale);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(c.q.num) + "/" + std::to_string(c.q.den) + " scale " +
                   std::to_string(scale.Numerator()));
      ComposeLine(images, 1, read, c.q, {.mixed = true});
      for (LineImage* image : {&images.ImaQuest, &images.ImaRep}) {
        const bool subject = image == &images.ImaQuest;
        const std::vector<QRectF> outlines = Outlines(*image);
        ASSERT_EQ(static_cast<int>(outlines.size()), c.q.figures);
        const double right = outlines.back().right();
        std::vector<PlacedText> texts;
        std::vector<QLine> bars;
        CollectTexts(*image->Drawing(), {}, texts, bars);
        std::vector<PlacedText> beside;
        QStringList shown;
        int legends = 0;
        for (const PlacedText& text : texts) {
          legends += text.text == QString::fromUtf8("1 figure = 1 unité") ? 1 : 0;
          const QString word = text.text.trimmed();
          if (text.at.x() > right && !word.isEmpty() && word != "=" && word != "+") {
            beside.push_back(text);
            shown << word;
          }
        }
        EXPECT_EQ(legends, c.q.figures > 1 ? 1 : 0) << (subject ? "subject" : "key");
        if (!subject) {
          EXPECT_EQ(shown.join(' ').toStdString(), c.key.toStdString());
          continue;
        }
        // Dots, a bar under them, dots under it.
        ASSERT_EQ(beside.size(), 2u) << shown.join(' ').toStdString();
        for (const PlacedText& dots : beside)
          EXPECT_TRUE(dots.text.size() >= 4 && dots.text.count('.') == dots.text.size());
        const int high = std::min(beside[0].at.y(), beside[1].at.y());
        const int low = std::max(beside[0].at.y(), beside[1].at.y());
        EXPECT_TRUE(std::any_of(bars.begin(), bars.end(), [&](const QLine& l) {
          return l.dy() == 0 && std::min(l.x1(), l.x2()) > right && std::abs(l.dx()) >= scale(30) &&
                 high < l.y1() && l.y1() < low;
        })) << "no bar between the dots";
      }
    }
  }
}

}  // namespace
}  // namespace fractions
