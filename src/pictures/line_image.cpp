#include "line_image.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRectF>
#include <QStaticText>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <string>
#include <unordered_map>
#include <utility>

#include "line_fonts.h"
#include "richtext/qt_text.h"

namespace fractions {

// A text laid out once in one of the line fonts: a worksheet draws the same
// few hundred numbers and signs again and again, and shaping them anew each
// time would cost most of a run.
struct LaidOutText {
  int width;
  int height;
  int ascent;
  QRect ink;  // the pixels the glyphs set, from the cell's top-left corner
  QString string;
  QStaticText text;
};

namespace {

QRect ToQRect(PixelRect r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A painter that draws pixel-exact black on white, as the pictures must stay
// two-coloured, with a pen `pen_width` pixels thick.
void PrepareAliased(QPainter& painter, int pen_width = 1) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setPen(QPen(Qt::black, pen_width));
  painter.setBrush(Qt::white);
}

// The angle, in degrees counter-clockwise from 3 o'clock, that Qt's arc
// functions use for the point of the ellipse lying on the ray from the
// centre through `through`. Qt measures ellipse angles on the circle the
// ellipse is stretched from, so the ray's direction is first scaled back.
double ArcAngleDegrees(const QRectF& ellipse, QPoint through) {
  const QPointF centre = ellipse.center();
  const double dx = (through.x() - centre.x()) / (ellipse.width() / 2);
  const double dy = (centre.y() - through.y()) / (ellipse.height() / 2);
  return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

// Where a text drawn at (0, 0) sets pixels: drawn once, with room around
// it for glyphs that reach out of their cell.
QRect InkOf(const QStaticText& text, const QFont& font, int width, int height) {
  const int margin = height;
  QImage scratch(width + 2 * margin, height + 2 * margin, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  QPainter painter(&scratch);
  PrepareAliased(painter);
  painter.setFont(font);
  painter.drawStaticText(QPoint(margin, margin), text);
  painter.end();
  QRect ink;
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width(); ++x) {
      if (qGray(line[x]) < 128) {
        ink |= QRect(x - margin, y - margin, 1, 1);
      }
    }
  }
  return ink;
}

LaidOutText MakeLaidOut(LineFont font, LineScale scale, const QString& text) {
  const QFont& qfont = GetLineFont(font, scale);
  const QFontMetrics metrics(qfont);
  QStaticText laid_out(text);
  laid_out.setTextFormat(Qt::PlainText);
  laid_out.prepare(QTransform(), qfont);
  const int width = metrics.horizontalAdvance(text);
  const int height = metrics.height();
  return LaidOutText{width, height,  metrics.ascent(), InkOf(laid_out, qfont, width, height),
                     text,  laid_out};
}

// Texts are cached by their own bytes, per font, scale and kind of string,
// so that a hit converts nothing.
template <typename Key, typename ToText>
const LaidOutText& CachedLayOut(LineFont font, LineScale scale, const Key& key, ToText to_text) {
  using Texts = std::array<std::unordered_map<Key, LaidOutText>, kLineFontCount>;
  static Texts standard;
  static std::map<std::pair<int, int>, Texts> scaled;
  auto& texts = (scale == LineScale()
                     ? standard
                     : scaled[{scale.Numerator(), scale.Denominator()}])[static_cast<size_t>(font)];
  if (const auto found = texts.find(key); found != texts.end()) {
    return found->second;
  }
  return texts.emplace(key, MakeLaidOut(font, scale, to_text(key))).first->second;
}

const LaidOutText& LayOut(LineFont font, LineScale scale, std::string_view cp1252_text) {
  return CachedLayOut(font, scale, std::string(cp1252_text),
                      [](const std::string& bytes) { return ToQString(bytes); });
}

const LaidOutText& LayOut(LineFont font, LineScale scale, std::u16string_view text) {
  return CachedLayOut(font, scale, std::u16string(text),
                      [](const std::u16string& utf16) { return QString::fromStdU16String(utf16); });
}

}  // namespace

int LineTextWidth(LineFont font, LineScale scale, std::u16string_view text) {
  return LayOut(font, scale, text).width;
}

QRect LineTextInk(LineFont font, LineScale scale, std::u16string_view text) {
  return LayOut(font, scale, text).ink;
}

void LineImage::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
}

void LineImage::Clear() {
  bitmap_ = QImage();
}

QImage& LineImage::Bitmap() {
  if (bitmap_.isNull() || bitmap_.width() != width_ || bitmap_.height() != height_) {
    bitmap_ = QImage(width_, height_, QImage::Format_RGB32);
    bitmap_.fill(Qt::white);
    steps_ = std::make_shared<std::vector<LineStep>>();
    font_ = LineFont::kLine;
    pen_ = {0, 0};
  }
  return bitmap_;
}

const QImage& LineImage::Picture() {
  return Bitmap();
}

std::shared_ptr<const LineDrawing> LineImage::Drawing() {
  Bitmap();
  return std::make_shared<const LineDrawing>(QSize(width_, height_), steps_, steps_->size());
}

void LineImage::SetFont(LineFont font) {
  Bitmap();
  font_ = font;
}

LineFont LineImage::CurrentFont() const {
  return bitmap_.isNull() ? LineFont::kLine : font_;
}

int LineImage::TextWidth(std::string_view cp1252_text) const {
  return LayOut(CurrentFont(), scale_, cp1252_text).width;
}

void LineImage::TextOut(int x, int y, std::string_view cp1252_text) {
  Bitmap();
  DrawLaidOut(x, y, LayOut(font_, scale_, cp1252_text));
}

void LineImage::TextOut(int x, int y, std::u16string_view text) {
  Bitmap();
  DrawLaidOut(x, y, LayOut(font_, scale_, text));
}

void LineImage::DrawLaidOut(int x, int y, const LaidOutText& text) {
  QImage& image = Bitmap();
  QPainter painter(&image);
  PrepareAliased(painter);
  painter.setFont(GetLineFont(font_, scale_));
  painter.fillRect(QRect(x, y, text.width, text.height), Qt::white);  // opaque text cell
  painter.drawStaticText(QPoint(x, y), text.text);
  steps_->push_back(DrawnText{
      {x, y}, font_, scale_, text.string, text.width, text.height, text.ascent, text.ink});
  pen_ = {x + text.width, y};
}

void LineImage::LineTo(int x, int y) {
  QImage& image = Bitmap();
  const int width = scale_(1);
  steps_->push_back(DrawnLine{pen_, {x, y}, width});
  // Bresenham from the pen to (x, y), leaving the end point out; a thick
  // line repeats each pixel upward (leftward when steep).
  int cx = pen_.x();
  int cy = pen_.y();
  const int dx = std::abs(x - cx);
  const int dy = -std::abs(y - cy);
  const int sx = cx < x ? 1 : -1;
  const int sy = cy < y ? 1 : -1;
  const QPoint thickness = dx >= -dy ? QPoint(0, -1) : QPoint(-1, 0);
  int error = dx + dy;
  while (cx != x || cy != y) {
    for (int i = 0; i < width; ++i) {
      const QPoint pixel = QPoint(cx, cy) + thickness * i;
      if (image.rect().contains(pixel)) {
        image.setPixel(pixel, qRgb(0, 0, 0));
      }
    }
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      cx += sx;
    }
    if (doubled <= dx) {
      error += dx;
      cy += sy;
    }
  }
  pen_ = {x, y};
}

void LineImage::Arc(PixelRect box, QPoint start, QPoint end) {
  QImage& image = Bitmap();
  // The box's right and bottom edges are excluded, so the outline runs
  // through the centres of the pixels from left to right - 1.
  const QRectF ellipse(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
  const double from = ArcAngleDegrees(ellipse, start);
  double span = ArcAngleDegrees(ellipse, end) - from;
  if (span <= 0) {
    span += 360;
  }
  const int start16 = static_cast<int>(std::lround(from * 16));
  const int span16 = static_cast<int>(std::lround(span * 16));
  const int width = scale_(1);
  QPainter painter(&image);
  PrepareAliased(painter, width);
  painter.drawArc(ellipse, start16, span16);
  // An aliased outline of odd width at (x, y) is centred on the pixel whose
  // centre is at (x + 0.5, y + 0.5); one of even width on the corner
  // between pixels, (x, y) itself.
  steps_->push_back(
      DrawnArc{ellipse.translated(PenMiddle(width), PenMiddle(width)), start16, span16, width});
}

namespace {

// Draws in the vector drawing's coordinates on a bitmap (see PenMiddle).
void ToBitmapPixels(QPainter& painter, int pen_width) {
  painter.translate(-PenMiddle(pen_width), -PenMiddle(pen_width));
}

}  // namespace

void LineImage::StrokePath(const QPainterPath& path, Qt::PenCapStyle cap) {
  QImage& image = Bitmap();
  const int width = scale_(1);
  steps_->push_back(DrawnPath{path, width, cap});
  QPainter painter(&image);
  PrepareAliased(painter);
  painter.setPen(QPen(Qt::black, width, Qt::SolidLine, cap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  ToBitmapPixels(painter, width);
  painter.drawPath(path);
}

void LineImage::Hatch(const QPainterPath& region, int spacing, int clear) {
  QImage& image = Bitmap();
  const int width = scale_(1);
  steps_->push_back(DrawnHatch{region, spacing, width, clear});
  QPainter painter(&image);
  PrepareAliased(painter);
  if (clear <= 0) {
    painter.setClipPath(region);
  }
  painter.setPen(QPen(Qt::black, width, Qt::SolidLine, clear > 0 ? Qt::SquareCap : Qt::FlatCap));
  ToBitmapPixels(painter, width);
  painter.drawPath(clear > 0 ? HatchSegments(region, spacing, clear, width)
                             : HatchLines(region.boundingRect(), spacing));
}

void LineImage::CopyRect(PixelRect dest_rect, LineImage& source, PixelRect source_rect) {
  const QImage& from = source.Bitmap();
  QImage& image = Bitmap();
  steps_->push_back(DrawnCopy{dest_rect, source.Drawing(), source_rect});
  QPainter painter(&image);
  PrepareAliased(painter);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(ToQRect(dest_rect), from, ToQRect(source_rect));
}

}  // namespace fractions
