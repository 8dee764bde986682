#include "line_drawing.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <type_traits>
#include <vector>

namespace fractions {

// What a copy cuts off must stay off: drawn again, the result of a question
// would show right of the question picture, and on a PDF it would be text
// a pupil could copy out of the subject. So a step wholly outside the part
// of the picture that shows is not drawn at all; rectangles (text cells,
// bars, copies) are cut to it; and a text or an arc that crosses its edge
// is drawn through a clip. A text whose glyphs the bitmap shows whole is
// drawn whole, even where its sharper glyphs reach a hair beyond the
// fraction's area: the bitmap's cut only ever took away blank pixels there.

namespace {

QRectF ToRectF(PixelRect r) {
  return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void Fill(QPainter& painter, const QRectF& rect, const QRectF& shown, Qt::GlobalColor colour) {
  const QRectF part = rect & shown;
  if (!part.isEmpty()) {
    painter.fillRect(part, colour);
  }
}

// Runs `draw` through a clip to `shown` unless `extent` lies inside it.
// Qt's SVG generator (the preview's page files) ignores clips: there the
// part that shows of `outline()`, the black shape `draw` would make, is
// filled instead.
template <typename Draw, typename Outline>
void DrawWithin(QPainter& painter, const QRectF& extent, const QRectF& shown, Draw draw,
                Outline outline) {
  if (!extent.intersects(shown)) {
    return;
  }
  if (shown.contains(extent)) {
    draw();
    return;
  }
  if (painter.paintEngine()->type() == QPaintEngine::SVG) {
    QPainterPath visible;
    visible.addRect(shown);
    painter.fillPath(outline().intersected(visible), Qt::black);
    return;
  }
  painter.save();
  painter.setClipRect(shown, Qt::IntersectClip);
  draw();
  painter.restore();
}

// The outline of a stroke `width` pixels thick along `path`.
QPainterPath StrokeOutline(const QPainterPath& path, int width) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::FlatCap);
  return stroker.createStroke(path);
}

void DrawStep(QPainter& painter, const DrawnText& text, const QRectF& shown) {
  Fill(painter, QRectF(text.at, QSizeF(text.width, text.height)), shown, Qt::white);
  const QFont& font = GetLineFont(text.font, text.scale);
  const QPointF baseline(text.at.x(), text.at.y() + text.ascent);
  DrawWithin(
      painter, QRectF(text.ink.translated(text.at)), shown,
      [&] {
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(baseline, text.text);
      },
      [&] {
        QPainterPath glyphs;
        glyphs.addText(baseline, font, text.text);
        return glyphs;
      });
}

// A horizontal or vertical line (the fraction bars) covers exactly the
// pixels LineImage sets; any other is stroked through their middle.
void DrawStep(QPainter& painter, const DrawnLine& line, const QRectF& shown) {
  const QPoint a = line.from;
  const QPoint b = line.to;
  const int extra = line.width - 1;  // pixels above (or left of) the line's own
  if (a.y() == b.y() && a.x() != b.x()) {
    const int first = a.x() < b.x() ? a.x() : b.x() + 1;
    Fill(painter, QRectF(first, a.y() - extra, std::abs(b.x() - a.x()), line.width), shown,
         Qt::black);
  } else if (a.x() == b.x() && a.y() != b.y()) {
    const int first = a.y() < b.y() ? a.y() : b.y() + 1;
    Fill(painter, QRectF(a.x() - extra, first, line.width, std::abs(b.y() - a.y())), shown,
         Qt::black);
  } else if (a != b) {
    const bool steep = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
    const QPointF middle =
        QPointF(0.5, 0.5) - (steep ? QPointF(extra / 2.0, 0) : QPointF(0, extra / 2.0));
    const QRectF extent =
        QRectF(QPointF(a), QPointF(b)).normalized().adjusted(-extra, -extra, 1, 1);
    const QLineF centres(QPointF(a) + middle, QPointF(b) + middle);
    DrawWithin(
        painter, extent, shown,
        [&] {
          painter.setPen(QPen(Qt::black, line.width, Qt::SolidLine, Qt::FlatCap));
          painter.drawLine(centres);
        },
        [&] {
          QPainterPath path(centres.p1());
          path.lineTo(centres.p2());
          return StrokeOutline(path, line.width);
        });
  }
}

void DrawStep(QPainter& painter, const DrawnArc& arc, const QRectF& shown) {
  const double half = arc.width / 2.0;
  DrawWithin(
      painter, arc.ellipse.adjusted(-half, -half, half, half), shown,
      [&] {
        painter.setPen(QPen(Qt::black, arc.width, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(arc.ellipse, arc.start16, arc.span16);
      },
      [&] {
        QPainterPath path;
        path.arcMoveTo(arc.ellipse, arc.start16 / 16.0);
        path.arcTo(arc.ellipse, arc.start16 / 16.0, arc.span16 / 16.0);
        return StrokeOutline(path, arc.width);
      });
}

void DrawStep(QPainter& painter, const DrawnPath& drawn, const QRectF& shown) {
  const QPen pen(Qt::black, drawn.width, Qt::SolidLine, drawn.cap, Qt::MiterJoin);
  const double reach = drawn.width;  // a mitred corner reaches beyond half the width
  DrawWithin(
      painter, drawn.path.boundingRect().adjusted(-reach, -reach, reach, reach), shown,
      [&] {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(drawn.path);
      },
      [&] {
        QPainterPathStroker stroker(pen);
        return stroker.createStroke(drawn.path);
      });
}

// The hatching is drawn through a clip to its region, and the SVG pages,
// which ignore clips, fill what the clip would let through. With a clear
// band its lines are the segments the bitmap drew, square-ended as there
// (an aliased flat end leaves out its last pixel), so that the two never
// part at the band's corners.
void DrawStep(QPainter& painter, const DrawnHatch& hatch, const QRectF& shown) {
  const QRectF extent = hatch.region.boundingRect();
  if (!extent.intersects(shown)) {
    return;
  }
  if (hatch.clear > 0) {
    const QPainterPath segments =
        HatchSegments(hatch.region, hatch.spacing, hatch.clear, hatch.width);
    DrawWithin(
        painter, extent, shown,
        [&] {
          painter.setPen(QPen(Qt::black, hatch.width, Qt::SolidLine, Qt::SquareCap));
          painter.setBrush(Qt::NoBrush);
          painter.drawPath(segments);
        },
        [&] {
          QPainterPathStroker stroker(QPen(Qt::black, hatch.width, Qt::SolidLine, Qt::SquareCap));
          return stroker.createStroke(segments);
        });
    return;
  }
  const QPainterPath lines = HatchLines(extent, hatch.spacing);
  if (painter.paintEngine()->type() == QPaintEngine::SVG) {
    QPainterPath visible;
    visible.addRect(shown);
    painter.fillPath(
        StrokeOutline(lines, hatch.width).intersected(hatch.region).intersected(visible),
        Qt::black);
    return;
  }
  painter.save();
  painter.setClipRect(shown, Qt::IntersectClip);
  painter.setClipPath(hatch.region, Qt::IntersectClip);
  painter.setPen(QPen(Qt::black, hatch.width, Qt::SolidLine, Qt::FlatCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(lines);
  painter.restore();
}

}  // namespace

QPainterPath HatchLines(const QRectF& area, int spacing) {
  // Lines x + y = k × spacing for every whole k whose line crosses the
  // area, from its left or bottom edge to its top or right one.
  QPainterPath lines;
  const QRectF box = area.adjusted(-1, -1, 1, 1);
  const int first = static_cast<int>(std::floor((box.left() + box.top()) / spacing));
  const int last = static_cast<int>(std::ceil((box.right() + box.bottom()) / spacing));
  for (int k = first; k <= last; ++k) {
    const double c = k * static_cast<double>(spacing);
    lines.moveTo(c - box.bottom(), box.bottom());
    lines.lineTo(c - box.top(), box.top());
  }
  return lines;
}

QPainterPath HatchSegments(const QPainterPath& region, int spacing, int clear, int width) {
  // The points of the region at least `clear` from its border, and half
  // a pen more for the segments' square ends: the stroke along the border
  // covers every point within half its width of it, inside and out.
  const QPainterPath area = region.subtracted(StrokeOutline(region, 2 * clear + width));
  const QRectF box = area.boundingRect();
  const QList<QPolygonF> polygons = area.toFillPolygons();
  QPainterPath segments;
  const int first = static_cast<int>(std::floor((box.left() + box.top()) / spacing));
  const int last = static_cast<int>(std::ceil((box.right() + box.bottom()) / spacing));
  std::vector<double> crossings;
  for (int k = first; k <= last; ++k) {
    // Where the line x + y = c crosses the polygons' edges, by x; inside
    // between one crossing and the next, out between that one and the
    // following (odd-even).
    const double c = k * static_cast<double>(spacing);
    crossings.clear();
    for (const QPolygonF& polygon : polygons) {
      for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF p = polygon[i];
        const QPointF q = polygon[(i + 1) % polygon.size()];
        const double fp = p.x() + p.y() - c;
        const double fq = q.x() + q.y() - c;
        if ((fp < 0) != (fq < 0)) {
          crossings.push_back(p.x() + fp / (fp - fq) * (q.x() - p.x()));
        }
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double from = crossings[i];
      const double to = crossings[i + 1];
      // A sliver at a corner would be a speck, drawn or not by the bitmap
      // as its pixels fall.
      if ((to - from) * std::numbers::sqrt2 >= 2.0 * width) {
        segments.moveTo(from, c - from);
        segments.lineTo(to, c - to);
      }
    }
  }
  return segments;
}

LineDrawing::LineDrawing(QSize size, std::shared_ptr<const std::vector<LineStep>> steps,
                         size_t count)
    : size_(size), steps_(std::move(steps)), count_(count) {}

void LineDrawing::Draw(QPainter& painter) const {
  const QRectF picture(QPointF(0, 0), QSizeF(size_));
  painter.save();
  painter.fillRect(picture, Qt::white);
  DrawSteps(painter, picture);
  painter.restore();
}

void LineDrawing::DrawSteps(QPainter& painter, const QRectF& shown) const {
  for (size_t i = 0; i < count_; ++i) {
    const LineStep& step = (*steps_)[i];
    if (const auto* copy = std::get_if<DrawnCopy>(&step)) {
      // The copy replaces its whole rectangle with the source's pixels,
      // white included, and shows nothing of the source beyond it or
      // beyond the source picture's edges.
      const QRectF dest = ToRectF(copy->dest) & shown;
      if (dest.isEmpty()) {
        continue;
      }
      const QRectF source = ToRectF(copy->source_rect);
      QTransform to_dest;
      to_dest.translate(copy->dest.left, copy->dest.top);
      to_dest.scale((copy->dest.right - copy->dest.left) / source.width(),
                    (copy->dest.bottom - copy->dest.top) / source.height());
      to_dest.translate(-source.left(), -source.top());
      painter.fillRect(dest, Qt::white);
      const QRectF source_shown = to_dest.inverted().mapRect(dest) & source &
                                  QRectF(QPointF(0, 0), QSizeF(copy->source->size_));
      painter.save();
      painter.setTransform(to_dest, true);
      copy->source->DrawSteps(painter, source_shown);
      painter.restore();
    } else {
      std::visit(
          [&](const auto& drawn) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(drawn)>, DrawnCopy>) {
              DrawStep(painter, drawn, shown);
            }
          },
          step);
    }
  }
}

}  // namespace fractions
