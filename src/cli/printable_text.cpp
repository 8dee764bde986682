#include "printable_text.h"

#include "richtext/cp1252.h"

#include <cstdint>
#include <cstdio>

namespace fractions {

namespace {

std::string Escape(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string PrintableText(std::string_view utf8) {
  std::string printable;
  printable.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(utf8, code);
    if (length == 0) {
      printable += Escape("\\x%02X", static_cast<unsigned char>(utf8.front()));
      utf8.remove_prefix(1);
      continue;
    }
    if (code == '\t') {
      printable += "\\t";
    } else if (code == '\n') {
      printable += "\\n";
    } else if (code == '\r') {
      printable += "\\r";
    } else if (code < 0x20 || code == 0x7F) {
      printable += Escape("\\x%02X", static_cast<unsigned>(code));
    } else if (code >= 0x80 && code <= 0x9F) {
      printable += Escape("\\u%04X", static_cast<unsigned>(code));
    } else {
      printable.append(utf8.substr(0, length));
    }
    utf8.remove_prefix(length);
  }
  return printable;
}

}  // namespace fractions
