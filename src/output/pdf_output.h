#pragma once

#include <QString>
#include <QTextDocument>
#include <stdexcept>

class QIODevice;

namespace fractions {

class PdfError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the document as a PDF of A4 pages with margins of `margin_mm`
// millimetres on all four sides, the area inside them taking the place of
// a printer's printable area, through the same page rendering as printing.
// Throws PdfError when the PDF cannot be written.
void WriteDocumentPdf(const QTextDocument& document, QIODevice& out, int margin_mm);

}  // namespace fractions
