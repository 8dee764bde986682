#include "pdf_output.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "page_renderer.h"
#include "print_margins.h"

namespace fractions {

namespace {

// Fine enough for text and for pictures scaled from 96 dots per inch.
constexpr int kPdfDotsPerInch = 600;

}  // namespace

void WriteDocumentPdf(const QTextDocument& document, QIODevice& out, int margin_mm) {
  QPdfWriter pdf(&out);
  pdf.setResolution(kPdfDotsPerInch);
  const QMarginsF margins(margin_mm, margin_mm, margin_mm, margin_mm);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                                QPageLayout::Millimeter));
  const PageRenderer renderer(document, &pdf, PageAreaPixels(pdf.pageLayout(), kPdfDotsPerInch));
  QPainter painter;
  if (!painter.begin(&pdf)) {
    throw PdfError("Erreur à l'écriture du PDF");
  }
  for (int from = 0; from < renderer.TextLength();) {
    if (from > 0) {
      pdf.newPage();
    }
    from = renderer.RenderPage(painter, from);
  }
  if (!painter.end()) {
    throw PdfError("Erreur à l'écriture du PDF");
  }
}

}  // namespace fractions
