#include "page_renderer.h"

#include "crisp_picture_handler.h"
#include "point_sizes.h"
#include "richtext/keep_with_next.h"

#include <QAbstractTextDocumentLayout>
#include <QPixmap>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace fractions {

namespace {

constexpr double kLayoutDotsPerInch = 96;

bool IsBlackAndWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
      if (pixel != 0 && pixel != 0xFFFFFF) {
        return false;
      }
    }
  }
  return true;
}

// Exercise lines are black-on-white pictures: handed over as one-bit images
// they stay sharp, lossless and small on every device (a PDF writer would
// compress a colour image as JPEG).
void KeepPicturesOneBit(QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) {
        continue;
      }
      const QUrl name(format.toImageFormat().name());
      const QImage image = document.resource(QTextDocument::ImageResource, name).value<QImage>();
      if (!image.isNull() && image.depth() > 1 && IsBlackAndWhite(image)) {
        document.addResource(QTextDocument::ImageResource, name,
                             image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither));
      }
    }
  }
}

// The device every document is laid out for: a screen's 96 dots per inch.
QPaintDevice* LayoutDevice() {
  static QImage screen = [] {
    QImage image(1, 1, QImage::Format_Mono);
    const int dots_per_metre = qRound(kLayoutDotsPerInch / 0.0254);
    image.setDotsPerMeterX(dots_per_metre);
    image.setDotsPerMeterY(dots_per_metre);
    return image;
  }();
  return &screen;
}

}  // namespace

std::optional<int> UnprintablePicture(const QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) {
        continue;
      }
      const QVariant resource =
          document.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
      if (resource.value<QImage>().isNull() && resource.value<QPixmap>().isNull()) {
        return it.fragment().position();
      }
    }
  }
  return std::nullopt;
}

std::string UnprintablePictureText(int page) {
  return "une image de la page " + std::to_string(page) + " ne peut pas être imprimée";
}

PageRenderer::PageRenderer(const QTextDocument& document, QPaintDevice* device, QSizeF page_size)
    : layout_copy_(document.clone()),
      scale_x_(device->logicalDpiX() / kLayoutDotsPerInch),
      scale_y_(device->logicalDpiY() / kLayoutDotsPerInch),
      page_size_(page_size.width() / scale_x_, page_size.height() / scale_y_) {
  KeepPicturesOneBit(*layout_copy_);
  UsePointSizes(*layout_copy_);
  UseCrispPictures(*layout_copy_);
  layout_copy_->setDocumentMargin(0);
  layout_copy_->documentLayout()->setPaintDevice(LayoutDevice());
  // One endless page as wide as the real one: pagination is done here,
  // line by line, so that any position can start a page.
  layout_copy_->setTextWidth(page_size_.width());
  layout_copy_->documentLayout()->documentSize();  // lays everything out
  for (QTextBlock block = layout_copy_->begin(); block.isValid(); block = block.next()) {
    const double block_top = layout_copy_->documentLayout()->blockBoundingRect(block).top();
    const QTextLayout* layout = block.layout();
    const bool after_break =
        block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
    const bool keep = KeepsWithNext(block.blockFormat());
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const double top = block_top + line.y();
      lines_.push_back({top, top + line.height(), block.position() + line.textStart(),
                        after_break && i == 0, keep});
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
  return DrawPage(painter, from, scale_x_, scale_y_);
}

int PageRenderer::RenderLayoutPage(QPainter& painter, int from) const {
  return DrawPage(painter, from, 1, 1);
}

int PageRenderer::PageOf(int position) const {
  const size_t line = LineIndexOf(position);
  int page = 1;
  for (size_t first = 0; first < lines_.size(); ++page) {
    first = PageEnd(first);
    if (line < first) {
      return page;
    }
  }
  return page;
}

size_t PageRenderer::PageEnd(size_t first) const {
  const double page_top = lines_[first].top;
  size_t next = first + 1;  // the first line always goes on the page
  while (next < lines_.size() && !lines_[next].starts_page &&
         lines_[next].bottom - page_top <= page_size_.height()) {
    ++next;
  }
  if (next == lines_.size() || lines_[next].starts_page) {
    return next;  // the text, or the document's own page, ends here
  }
  // The page is full: lines kept with the next go over with it, unless
  // they began the page, which must move on.
  size_t kept = next;
  while (kept > first && lines_[kept - 1].keeps_with_next) {
    --kept;
  }
  return kept > first ? kept : next;
}

int PageRenderer::DrawPage(QPainter& painter, int from, double scale_x, double scale_y) const {
  if (lines_.empty() || from >= TextLength()) {
    return TextLength();
  }
  const size_t first = LineIndexOf(std::max(from, 0));
  const double page_top = lines_[first].top;
  const size_t next = PageEnd(first);
  // The lines before and after the page touch its edges; drawing a hair's
  // breadth less keeps them (and their pictures) out of it altogether.
  constexpr double kHair = 0.01;
  const double drawn_height = std::min(lines_[next - 1].bottom - page_top, page_size_.height());
  const QRectF drawn(0, page_top + kHair, page_size_.width(), drawn_height - 2 * kHair);
  painter.save();
  painter.scale(scale_x, scale_y);
  painter.translate(0, -page_top);
  layout_copy_->drawContents(&painter, drawn);
  painter.restore();
  return next < lines_.size() ? lines_[next].position : TextLength();
}

}  // namespace fractions
