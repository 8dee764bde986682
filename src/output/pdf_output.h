#pragma once

#include <QString>
#include <QTextDocument>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

class QIODevice;

namespace fractions {

class PdfError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PdfSettings {
  int margin_mm = 15;
  // The creation time the PDF states, in seconds since 1970 (UTC); none:
  // the time of writing.
  std::optional<int64_t> creation_time;
};

// Writes the document as a PDF of A4 pages with margins of `margin_mm`
// millimetres on all four sides, the area inside them taking the place of
// a printer's printable area, through the same page rendering as printing.
// The same document and settings give the same bytes when a creation time
// is set. Throws PdfError when the PDF cannot be written, or when a
// picture of the document cannot be drawn (see UnprintablePicture): a PDF
// never shows a blank in a line's place.
void WriteDocumentPdf(const QTextDocument& document, QIODevice& out, const PdfSettings& settings);

// `pdf` (as QPdfWriter writes it) stating `seconds` since 1970 as its
// creation date, its cross-reference table moved to match; unchanged when
// it holds no creation date.
std::string WithCreationDate(std::string pdf, int64_t seconds);

}  // namespace fractions
