#include "printable_text.h"

#include <cstdint>
#include <cstdio>

namespace fractions {

namespace {

std::string Escape(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The length of the UTF-8 sequence at the start of `bytes` and its code
// point, or 0 when it is not well formed (overlong forms, surrogates and
// code points above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view bytes, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() < length) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) {
      return 0;
    }
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  return length;
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
