#include "rich_edit_emf_print.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "page_renderer.h"
#include "preview_files.h"
#include "print_margins.h"
#include "richtext/document_text.h"

namespace fractions {

namespace {

constexpr int kLayoutDotsPerInch = 96;

}  // namespace

std::unique_ptr<QPrinter> SheetWithoutPrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  return printer;
}

PreviewSheet PreviewSheetOf(const QPrinter& reference) {
  // From the printer's own pixels, as printing counts them, so that the
  // printed area is exactly the one pages are broken for.
  const int dpi = reference.resolution();
  const double to_layout = static_cast<double>(kLayoutDotsPerInch) / dpi;
  const QPageLayout layout = reference.pageLayout();
  return {QSizeF(layout.fullRectPixels(dpi).size()) * to_layout,
          QPointF(layout.paintRectPixels(dpi).topLeft()) * to_layout};
}

int RenderEMFPage(const PageRenderer& renderer, const PreviewSheet& sheet, const QString& file_name,
                  int from, WrittenFiles& files) {
  QBuffer page;
  page.open(QIODevice::WriteOnly);
  QSvgGenerator file;
  file.setOutputDevice(&page);
  // In layout units: the writer turns the text's point sizes into its own
  // units at this resolution, and nothing is scaled on top of that.
  file.setResolution(kLayoutDotsPerInch);
  file.setSize(sheet.paper.toSize());
  file.setViewBox(QRectF(QPointF(0, 0), sheet.paper));
  QPainter painter;
  if (!painter.begin(&file)) {
    return from;
  }
  painter.translate(sheet.printed_area);
  const int next = renderer.RenderLayoutPage(painter, from);
  painter.end();
  // Written whole, as a file of this process's own (see WrittenFiles).
  const QByteArray& bytes = page.data();
  std::error_code error;
  if (!files.Write(QFile::encodeName(file_name).toStdString(),
                   std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error)) {
    return from;
  }
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

int RichEditToEMF(const QTextDocument& document, const QDir& folder, QPrinter& reference,
                  WrittenFiles& files) {
  const int length = DocumentTextLength(document);
  if (length == 0) {
    return 0;
  }
  KeepPrintMargins(reference);
  const PageRenderer renderer(document, &reference, PrintedAreaPixels(reference));
  const PreviewSheet sheet = PreviewSheetOf(reference);
  int position = 0;
  int page = 0;
  for (; position < length && page < kPreviewPageCount; ++page) {
    const int next = RenderEMFPage(renderer, sheet, PreviewPageFile(folder, page), position, files);
    if (next == position) {
      break;  // the file could not be made: nothing further
    }
    position = next;
  }
  return page;
}

}  // namespace fractions
