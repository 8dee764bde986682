#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QSizeF>

namespace fractions {

// The least margin of a page printed from the window, on every side, as the
// command line's PDF pages have by default. A printer without a border of
// its own (a PDF printer) would otherwise print the header in the paper's
// corner, long titles to its edge, and a hole punch would cut the question
// numbers.
inline constexpr double kLeastPrintMarginMm = 15;

// Gives the printer margins of at least kLeastPrintMarginMm, keeping on
// each side its unprintable border, or the margin chosen in its dialog,
// where that is larger. The page is then printed in what remains (its page
// layout's paint rectangle), and so is the preview's.
void KeepPrintMargins(QPrinter& printer);

// The area inside the margins of `layout`, in pixels of `dpi`, as a whole
// number of layout pixels (1/96 inch) rounded down: the page a document is
// paginated for. Rounding the device's pixels instead would make the page
// a fraction of a line taller at one resolution than at another, and move
// a page break.
QSizeF PageAreaPixels(const QPageLayout& layout, int dpi);

// The same for a printer: for printing and for the preview alike.
QSizeF PrintedAreaPixels(const QPrinter& printer);

}  // namespace fractions
