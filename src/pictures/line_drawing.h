#pragma once

#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <memory>
#include <span>
#include <variant>
#include <vector>

#include "line_fonts.h"
#include "richtext/picture_drawings.h"

namespace fractions {

// A rectangle as (left, top, right, bottom), right and bottom excluded: the
// form every coordinate of the line layouts is given in.
struct PixelRect {
  int left, top, right, bottom;
};

class LineDrawing;

// The steps a line image is drawn with, in its pixels, as LineImage draws
// them on its bitmap.
struct DrawnText {  // opaque: the cell is filled white first
  QPoint at;        // top-left corner of the cell
  LineFont font;
  LineScale scale;  // the font's size
  QString text;
  int width, height, ascent;  // of the cell, and of the baseline below `at`
  QRect ink;                  // the glyphs' pixels, from `at`
};
// A line `width` pixels thick, the end point left out. The extra pixels of
// a thick line lie above it (or left of it, for a steep one), so the row
// the line is drawn on stays its lowest.
struct DrawnLine {
  QPoint from, to;
  int width;
};
struct DrawnArc {       // an arc of an outline `width` pixels thick
  QRectF ellipse;       // through the middle of the outline's pixels
  int start16, span16;  // in sixteenths of a degree, as QPainter::drawArc
  int width;
};
// A path stroked with a pen `width` pixels thick: the outlines and the
// dividing lines of a figure. Its coordinates are those of the vector
// drawing, where pixel (x, y) is the square from (x, y) to (x + 1, y + 1):
// a one-pixel line through a pixel's middle lies at x + 0.5.
// Where a line `width` pixels thick through pixel (x, y) lies in those
// coordinates: through the pixel's middle, (x + 0.5, y + 0.5), when the
// width is odd; on its corner (x, y) when it is even, as Qt's aliased pens
// draw it.
constexpr double PenMiddle(int width) {
  return width % 2 == 1 ? 0.5 : 0.0;
}
struct DrawnPath {
  QPainterPath path;
  int width;
  // Square ends reach half the width past the path's ends: an end in the
  // open then keeps its last pixel, which an aliased flat end leaves out.
  Qt::PenCapStyle cap = Qt::FlatCap;
};
// Parallel lines rising to the right at 45 degrees, `spacing` pixels apart
// along a row and `width` pixels thick, inside `region` only (coordinates
// as DrawnPath's): the lines are those of the whole picture, so the
// hatching of two parts side by side runs on from one to the other. With a
// `clear` band they stop that far inside the region's border, so that the
// line drawn on the border stands out between two white bands whatever
// its slope, even one parallel to the hatching.
struct DrawnHatch {
  QPainterPath region;
  int spacing;
  int width;
  int clear = 0;
};
struct DrawnCopy {  // what `source` showed in `source_rect`, into `dest`
  PixelRect dest;
  std::shared_ptr<const LineDrawing> source;
  PixelRect source_rect;
};
using LineStep = std::variant<DrawnText, DrawnLine, DrawnArc, DrawnPath, DrawnHatch, DrawnCopy>;

// The lines of a hatching with `spacing` that cross `area`, as one path of
// segments running from corner to corner of it.
QPainterPath HatchLines(const QRectF& area, int spacing);

// The lines of a hatching with `spacing` inside `region`, `clear` pixels
// and more from its border, as one path of segments to draw with square
// ends: the lines of the whole picture cut where they cross into and out
// of that inner part, short of it by half a pen breadth (`width`) for the
// ends, the ones shorter than two pen breadths left out.
QPainterPath HatchSegments(const QPainterPath& region, int spacing, int clear, int width);

// The drawing of one line picture: its size and its steps so far. The
// steps are shared with the image that records them, which only ever adds
// to them; a drawing keeps to the first `count` of them, so it stays what
// the picture was when the drawing was taken.
class LineDrawing final : public PictureDrawing {
 public:
  LineDrawing(QSize size, std::shared_ptr<const std::vector<LineStep>> steps, size_t count);

  QSize Size() const override { return size_; }
  void Draw(QPainter& painter) const override;
  // The steps of this drawing, in the order they were drawn.
  std::span<const LineStep> Steps() const { return {steps_->data(), count_}; }

 private:
  // Draws the steps, in this drawing's pixels, as far as they show inside
  // `shown` (the picture, cut down by the copies it is drawn through).
  void DrawSteps(QPainter& painter, const QRectF& shown) const;

  QSize size_;
  std::shared_ptr<const std::vector<LineStep>> steps_;
  size_t count_;
};

}  // namespace fractions
