#include "pdf_output.h"

#include <QBuffer>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <charconv>
#include <cstdio>
#include <ctime>

#include "page_renderer.h"
#include "print_margins.h"

namespace fractions {

namespace {

// Fine enough for text and for pictures scaled from 96 dots per inch.
constexpr int kPdfDotsPerInch = 600;

// Qt writes the PDF's font objects in the order of a hash table, which
// differs from run to run unless the hash seed is fixed: fixed while a PDF
// is written, so that the same document gives the same bytes.
class FixedHashSeed {
 public:
  FixedHashSeed() { QHashSeed::setDeterministicGlobalSeed(); }
  ~FixedHashSeed() { QHashSeed::resetRandomGlobalSeed(); }
  FixedHashSeed(const FixedHashSeed&) = delete;
  FixedHashSeed& operator=(const FixedHashSeed&) = delete;
};

void Render(const QTextDocument& document, QIODevice& out, int margin_mm) {
  const FixedHashSeed fixed_seed;
  QPdfWriter pdf(&out);
  pdf.setResolution(kPdfDotsPerInch);
  const QMarginsF margins(margin_mm, margin_mm, margin_mm, margin_mm);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                                QPageLayout::Millimeter));
  const PageRenderer renderer(document, &pdf, PageAreaPixels(pdf.pageLayout(), kPdfDotsPerInch));
  if (const std::optional<int> picture = UnprintablePicture(document)) {
    throw PdfError(UnprintablePictureText(renderer.PageOf(*picture)));
  }
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

// "D:YYYYMMDDHHmmSSZ", a PDF date in UTC.
std::string PdfDate(int64_t seconds) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[64];  // room for any int the compiler imagines
  std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02dZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

// Adds `delta` to the offsets of the cross-reference table (entries of 20
// bytes, "0000012345 00000 n \n") and to "startxref" that lie after `from`.
bool MoveOffsets(std::string& pdf, std::size_t from, std::ptrdiff_t delta) {
  const std::size_t table = pdf.rfind("\nxref\n");
  const std::size_t start = pdf.rfind("startxref\n");
  if (table == std::string::npos || start == std::string::npos || table < from) {
    return false;
  }
  // "xref", then "0 N", then N entries.
  const std::size_t counts = table + 6;
  const std::size_t counts_end = pdf.find('\n', counts);
  const std::size_t blank = pdf.find(' ', counts);
  if (counts_end == std::string::npos || blank > counts_end) {
    return false;
  }
  std::size_t count = 0;
  std::from_chars(pdf.data() + blank + 1, pdf.data() + counts_end, count);
  std::size_t at = counts_end + 1;
  for (std::size_t entry = 0; entry < count && at + 20 <= pdf.size(); ++entry, at += 20) {
    long long offset = 0;
    std::from_chars(pdf.data() + at, pdf.data() + at + 10, offset);
    if (pdf[at + 17] == 'n' && offset > static_cast<long long>(from)) {
      char moved[11];
      std::snprintf(moved, sizeof moved, "%010lld", offset + delta);
      pdf.replace(at, 10, moved, 10);
    }
  }
  const std::size_t number = start + 10;
  const std::size_t number_end = pdf.find_first_not_of("0123456789", number);
  long long xref = 0;
  std::from_chars(pdf.data() + number, pdf.data() + number_end, xref);
  pdf.replace(number, number_end - number, std::to_string(xref + delta));
  return true;
}

}  // namespace

std::string WithCreationDate(std::string pdf, int64_t seconds) {
  constexpr std::string_view kKey = "/CreationDate (";
  const std::size_t key = pdf.find(kKey);
  const std::size_t date = key + kKey.size();
  const std::size_t end = key == std::string::npos ? key : pdf.find(')', date);
  if (end == std::string::npos) {
    return pdf;
  }
  std::string stamped = pdf;
  const std::string new_date = PdfDate(seconds);
  stamped.replace(date, end - date, new_date);
  const auto delta =
      static_cast<std::ptrdiff_t>(new_date.size()) - static_cast<std::ptrdiff_t>(end - date);
  if (delta != 0 && !MoveOffsets(stamped, date, delta)) {
    return pdf;
  }
  return stamped;
}

void WriteDocumentPdf(const QTextDocument& document, QIODevice& out, const PdfSettings& settings) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Render(document, buffer, settings.margin_mm);
  if (settings.creation_time) {
    bytes =
        QByteArray::fromStdString(WithCreationDate(bytes.toStdString(), *settings.creation_time));
  }
  if (out.write(bytes) != bytes.size()) {
    throw PdfError("Erreur à l'écriture du PDF");
  }
}

}  // namespace fractions
