#include "pdf_output.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "page_renderer.h"

namespace fractions {

namespace {

// Fine enough for text and for pictures scaled from 96 dots per inch.
constexpr int kPdfDotsPerInch = 600;

}  // namespace

void WriteDocumentPdf(const QTextDocument& document, const QString& file_name) {
  QPdfWriter pdf(file_name);
  pdf.setResolution(kPdfDotsPerInch);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  const PageRenderer renderer(document, &pdf,
                              pdf.pageLayout().paintRectPixels(kPdfDotsPerInch).size());
  QPainter painter;
  if (!painter.begin(&pdf)) {
    throw PdfError("Impossible de créer le fichier " + file_name.toStdString());
  }
  for (int from = 0; from < renderer.TextLength();) {
    if (from > 0) {
      pdf.newPage();
    }
    from = renderer.RenderPage(painter, from);
  }
  if (!painter.end()) {
    QFile::remove(file_name);
    throw PdfError("Impossible de créer le fichier " + file_name.toStdString());
  }
}

}  // namespace fractions
