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

// Writes the document as a PDF of A4 pages, the whole sheet being the page
// as on a printer's printable area, through the same page rendering as
// printing. Throws PdfError when the PDF cannot be written.
void WriteDocumentPdf(const QTextDocument& document, QIODevice& out);

}  // namespace fractions
