#include "print_views.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinterInfo>

#include "page_renderer.h"
#include "richtext/rich_edit_view.h"

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

void PrintView(const TRxRichEdit& view, QPrinter& printer, const QString& title) {
  printer.setDocName(title);
  const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
  const PageRenderer renderer(*view.document(), &printer, page);
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

void PrintClassSet(const TRxRichEdit& subject, const TRxRichEdit& answer_key, int subject_copies,
                   int answer_copies, QPrinter& printer) {
  if (subject.LineCount() < 1) {
    return;
  }
  for (int copy = 0; copy < subject_copies; ++copy) {
    PrintView(subject, printer, "Sujet");
  }
  for (int copy = 0; copy < answer_copies; ++copy) {
    PrintView(answer_key, printer, "Corrigé");
  }
}

}  // namespace fractions
