#include "print_margins.h"

#include <QPageLayout>
#include <algorithm>

namespace fractions {

namespace {

QMarginsF Widest(const QMarginsF& a, const QMarginsF& b) {
  return {std::max(a.left(), b.left()), std::max(a.top(), b.top()),
          std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())};
}

}  // namespace

void KeepPrintMargins(QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  // Worked out in the layout's own units, so that a side at the printer's
  // unprintable border is exactly that border, never a rounding below it
  // (which the printer would refuse).
  QPageLayout least(layout.pageSize(), layout.orientation(),
                    QMarginsF(kLeastPrintMarginMm, kLeastPrintMarginMm, kLeastPrintMarginMm,
                              kLeastPrintMarginMm),
                    QPageLayout::Millimeter);
  least.setUnits(layout.units());
  const QMarginsF margins =
      Widest(Widest(layout.margins(), layout.minimumMargins()), least.margins());
  printer.setFullPage(false);  // the painter starts inside the margins
  printer.setPageMargins(margins, layout.units());
}

QSizeF PrintedAreaPixels(const QPrinter& printer) {
  return printer.pageLayout().paintRectPixels(printer.resolution()).size();
}

}  // namespace fractions
