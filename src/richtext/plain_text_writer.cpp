#include "plain_text_writer.h"

#include "cp1252.h"
#include "text_characters.h"
#include "text_selection.h"

namespace fractions {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class PlainTextVisitor final : public SelectionVisitor {
 public:
  void Text(QStringView text, const QTextCharFormat& /*format*/) override {
    for (const char32_t c : text.toUcs4()) {
      if (c == QChar::LineSeparator) {
        out_ += kLineEnd;
      } else if (!IsStructureOrControl(c)) {
        const auto byte = UnicodeToCp1252(c);
        out_ += byte ? static_cast<char>(*byte) : '?';
      }
    }
  }
  void Picture(const QTextImageFormat& /*format*/) override {}
  // A page break is a form feed, as text printers take it.
  void ParagraphEnd(bool page_break) override { out_ += page_break ? "\r\n\f" : kLineEnd; }
  void ParagraphStart(bool /*keep_with_next*/) override {}

  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace

std::string WritePlainText(const QTextCursor& selection) {
  PlainTextVisitor visitor;
  VisitSelection(selection, visitor);
  return visitor.Take();
}

}  // namespace fractions
