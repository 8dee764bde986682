#include "print_margins.h"

#include <algorithm>
#include <cmath>

namespace fractions {

namespace {

QMarginsF Widest(const QMarginsF& a, const QMarginsF& b) {
  return {std::max(a.left(), b.left()), std::max(a.top(), b.top()), std::max(a.right(), b.right()),
          std::max(a.bottom(), b.bottom())};
}

}  // namespace

void KeepPrintMargins(QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  // Worked out in the layout's own units, so that a side at the printer's
  // unprintable border is exactly that border, never a rounding below it
  // (which the printer would refuse).
  QPageLayout least(
      layout.pageSize(), layout.orientation(),
      QMarginsF(kLeastPrintMarginMm, kLeastPrintMarginMm, kLeastPrintMarginMm, kLeastPrintMarginMm),
      QPageLayout::Millimeter);
  least.setUnits(layout.units());
  const QMarginsF margins =
      Widest(Widest(layout.margins(), layout.minimumMargins()), least.margins());
  printer.setFullPage(false);  // the painter starts inside the margins
  printer.setPageMargins(margins, layout.units());
}

QSizeF PageAreaPixels(const QPageLayout& layout, int dpi) {
  constexpr double kLayoutDotsPerInch = 96;
  // Millimetres: exact for the paper sizes teachers use, where points and
  // inches are rounded.
  const QSizeF area = layout.paintRect(QPageLayout::Millimeter).size() / 25.4 * kLayoutDotsPerInch;
  const auto whole = [](double layout_pixels) { return std::floor(layout_pixels + 1e-6); };
  return QSizeF(whole(area.width()), whole(area.height())) * (dpi / kLayoutDotsPerInch);
}

QSizeF PrintedAreaPixels(const QPrinter& printer) {
  return PageAreaPixels(printer.pageLayout(), printer.resolution());
}

}  // namespace fractions
