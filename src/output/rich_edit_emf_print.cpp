#include "rich_edit_emf_print.h"

#include <unistd.h>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "files/link_rule.h"
#include "page_renderer.h"
#include "preview_files.h"
#include "richtext/document_text.h"

namespace fractions {

QSizeF PageSizeInDevicePixels(PageFrame frame, const QPaintDevice& reference) {
  const int width_twips = HundredthsOfMmToTwips(frame.width_hundredths_mm);
  const int height_twips = HundredthsOfMmToTwips(frame.height_hundredths_mm);
  return QSizeF(width_twips * reference.logicalDpiX() / 1440.0,
                height_twips * reference.logicalDpiY() / 1440.0);
}

int RenderEMFPage(const PageRenderer& renderer, QPaintDevice& reference, const QString& file_name,
                  PageFrame frame, int from) {
  const QSizeF page = PageSizeInDevicePixels(frame, reference);
  // Made anew, never through a link planted at the name; the generator
  // writes to the file already open.
  std::error_code error;
  const int fd = CreateFreshFile(QFile::encodeName(file_name).toStdString(), error);
  QFile output;
  if (fd < 0 || !output.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) {
      ::close(fd);
    }
    return from;
  }
  QSvgGenerator file;
  file.setOutputDevice(&output);
  // At the reference device's resolution, so that fonts and pictures keep
  // the metrics they were laid out with.
  file.setResolution(reference.logicalDpiX());
  file.setSize(page.toSize());
  file.setViewBox(QRectF(QPointF(0, 0), page));
  QPainter painter;
  if (!painter.begin(&file)) {
    return from;
  }
  const int next = renderer.RenderPage(painter, from);
  painter.end();
  output.close();
  return next;
}

QImage PreviewPagePicture(const QString& file_name, QSize size) {
  QSvgRenderer page(file_name);
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  page.render(&painter, QRectF(QPointF(0, 0), size));
  return picture;
}

void RichEditToEMF(const QTextDocument& document, const QDir& folder, QPaintDevice& reference,
                   PageFrame frame) {
  const int length = DocumentTextLength(document);
  if (length == 0) {
    return;
  }
  const PageRenderer renderer(document, &reference, PageSizeInDevicePixels(frame, reference));
  int position = 0;
  for (int page = 0; position < length && page < kPreviewPageCount; ++page) {
    const int next =
        RenderEMFPage(renderer, reference, PreviewPageFile(folder, page), frame, position);
    if (next == position) {
      return;  // the file could not be made: nothing further
    }
    position = next;
  }
}

}  // namespace fractions
