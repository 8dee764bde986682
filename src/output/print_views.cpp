#include "print_views.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinterInfo>

#include "page_renderer.h"
#include "richtext/document_text.h"

namespace fractions {

std::unique_ptr<QPrinter> DefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    throw PrintError("Aucune imprimante par défaut sélectionnée");
  }
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  // No margin of our own: the page is the printable area, whose edges the
  // printer itself keeps.
  printer->setFullPage(false);
  printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
  return printer;
}

void PrintDocument(const QTextDocument& document, QPrinter& printer, const QString& title) {
  printer.setDocName(title);
  const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
  const PageRenderer renderer(document, &printer, page);
  QPainter painter;
  if (!painter.begin(&printer)) {
    return;  // the driver refused the job: the next copy is still tried
  }
  for (int from = 0; from < renderer.TextLength();) {
    if (from > 0) {
      printer.newPage();
    }
    from = renderer.RenderPage(painter, from);
  }
  painter.end();
}

void PrintClassSet(const QTextDocument& subject, const QTextDocument& answer_key,
                   int subject_copies, int answer_copies, QPrinter& printer) {
  if (DocumentLineCount(subject) < 1) {
    return;
  }
  for (int copy = 0; copy < subject_copies; ++copy) {
    PrintDocument(subject, printer, "Sujet");
  }
  for (int copy = 0; copy < answer_copies; ++copy) {
    PrintDocument(answer_key, printer, "Corrigé");
  }
}

}  // namespace fractions
