#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <memory>
#include <string_view>
#include <vector>

#include "line_drawing.h"
#include "line_fonts.h"

namespace fractions {

struct LaidOutText;

// The width of `text` in a line font at a scale, and the pixels its glyphs
// set from its cell's top-left corner, without an image to draw it on.
int LineTextWidth(LineFont font, LineScale scale, std::u16string_view text);
QRect LineTextInk(LineFont font, LineScale scale, std::u16string_view text);

// One off-screen image in which exercise lines are drawn, with the drawing
// rules the line layouts' pixel offsets are counted in: text is placed by
// the top-left corner of its cell, drawn opaque on white, and moves the pen
// to its end; a line leaves out its end point; arcs are given by a bounding
// box and two rays.
//
// Clearing drops the bitmap; the next drawing creates a fresh white one of
// the current size, with the line font and a black one-pixel pen.
//
// At a scale other than 1:1 (large print) the fonts are drawn at the
// scale's sizes and the pen is the scale's one pixel thick (2 at 3:2); the
// sizes and positions the image is given are its own pixels.
//
// Beside its bitmap the image records the drawing that made it, so that the
// picture can be drawn again, sharper, at a printer's resolution.
class LineImage {
 public:
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Takes effect from the next text or line drawn.
  void SetScale(LineScale scale) { scale_ = scale; }
  LineScale Scale() const { return scale_; }

  void Clear();
  // The current picture; a fresh white one when cleared.
  const QImage& Picture();
  // The drawing of the current picture, as it stands now.
  std::shared_ptr<const LineDrawing> Drawing();

  void SetFont(LineFont font);
  int TextWidth(std::string_view cp1252_text) const;
  // Draws the text with its cell's top-left corner at (x, y) and moves the
  // pen to (x + width, y).
  void TextOut(int x, int y, std::string_view cp1252_text);
  // The same for text Windows-1252 cannot hold, such as the minus sign
  // "\u2212".
  void TextOut(int x, int y, std::u16string_view text);
  QPoint PenPos() const { return pen_; }

  void MoveTo(int x, int y) { pen_ = {x, y}; }
  // A black line from the pen to (x, y), the end point excluded, as thick
  // as the pen; its extra rows lie above it (see DrawnLine).
  void LineTo(int x, int y);
  // The counter-clockwise arc of the ellipse bounded by `box`, from the ray
  // through `start` to the ray through `end`, both rays from the centre.
  void Arc(PixelRect box, QPoint start, QPoint end);

  // Strokes `path`, in the vector drawing's coordinates (see DrawnPath),
  // with the pen, round its corners mitred and its open ends flat or as
  // `cap` says.
  void StrokePath(const QPainterPath& path, Qt::PenCapStyle cap = Qt::FlatCap);
  // Hatches the inside of `region` (see DrawnHatch), lines `spacing`
  // pixels apart as thick as the pen, `clear` pixels short of its border.
  // Drawn before the borders round it, which then stay whole.
  void Hatch(const QPainterPath& region, int spacing, int clear = 0);

  // Copies `source_rect` of `source` into `dest_rect` of this image.
  void CopyRect(PixelRect dest_rect, LineImage& source, PixelRect source_rect);

 private:
  QImage& Bitmap();
  LineFont CurrentFont() const;
  void DrawLaidOut(int x, int y, const LaidOutText& text);

  int width_ = 0;
  int height_ = 0;
  QImage bitmap_;                                 // null while cleared
  std::shared_ptr<std::vector<LineStep>> steps_;  // the drawing of bitmap_
  LineFont font_ = LineFont::kLine;
  LineScale scale_;
  QPoint pen_;
};

}  // namespace fractions
