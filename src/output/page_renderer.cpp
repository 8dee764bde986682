#include "page_renderer.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace fractions {

PageRenderer::PageRenderer(const QTextDocument& document, QPaintDevice* device, QSizeF page_size)
    : layout_copy_(document.clone()), page_size_(page_size) {
  layout_copy_->setDocumentMargin(0);
  // Fonts and pictures are measured for the device: a picture of 90 screen
  // pixels becomes as many device pixels as make the same width on paper.
  layout_copy_->documentLayout()->setPaintDevice(device);
  // One endless page as wide as the real one: pagination is done here,
  // line by line, so that any position can start a page.
  layout_copy_->setTextWidth(page_size.width());
  layout_copy_->documentLayout()->documentSize();  // lays everything out
  for (QTextBlock block = layout_copy_->begin(); block.isValid(); block = block.next()) {
    const double block_top = layout_copy_->documentLayout()->blockBoundingRect(block).top();
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const double top = block_top + line.y();
      lines_.push_back({top, top + line.height(), block.position() + line.textStart()});
    }
  }
}

PageRenderer::~PageRenderer() = default;

int PageRenderer::TextLength() const {
  return layout_copy_->characterCount() - 1;
}

size_t PageRenderer::LineIndexOf(int position) const {
  const auto after =
      std::upper_bound(lines_.begin(), lines_.end(), position,
                       [](int wanted, const Line& line) { return wanted < line.position; });
  return after == lines_.begin() ? 0 : static_cast<size_t>(after - lines_.begin() - 1);
}

int PageRenderer::RenderPage(QPainter& painter, int from) const {
  if (lines_.empty() || from >= TextLength()) {
    return TextLength();
  }
  const size_t first = LineIndexOf(std::max(from, 0));
  const double page_top = lines_[first].top;
  size_t next = first + 1;  // the first line always goes on the page
  while (next < lines_.size() && lines_[next].bottom - page_top <= page_size_.height()) {
    ++next;
  }
  const double drawn_height = std::min(lines_[next - 1].bottom - page_top, page_size_.height());
  painter.save();
  // Pictures scaled to printer resolution by a fractional factor would show
  // uneven strokes with nearest-neighbour sampling.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.translate(0, -page_top);
  layout_copy_->drawContents(&painter, QRectF(0, page_top, page_size_.width(), drawn_height));
  painter.restore();
  return next < lines_.size() ? lines_[next].position : TextLength();
}

int HundredthsOfMmToTwips(int hundredths) {
  return hundredths * 1440 / 2540;
}

int DevicePixelsToTwips(int pixels, int dots_per_inch) {
  return pixels * 1440 / dots_per_inch;
}

}  // namespace fractions
