#pragma once

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

// The area inside the margins, in the printer's pixels: the page every
// document is paginated for, the same for printing and for the preview.
QSizeF PrintedAreaPixels(const QPrinter& printer);

}  // namespace fractions
