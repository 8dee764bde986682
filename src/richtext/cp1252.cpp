#include "cp1252.h"

#include <array>

namespace fractions {

namespace {

constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

bool InHighControlRange(char32_t c) {
  return c >= 0x80 && c <= 0x9F;
}

}  // namespace

// The code point of the UTF-8 sequence at the start of `bytes` and its
// length, or a length of 0 when it is not well formed (overlong forms,
// surrogates and code points above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view bytes, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 1;
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
  const bool well_formed = code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  return well_formed ? length : 0;
}

char32_t Cp1252ToUnicode(unsigned char byte) {
  return InHighControlRange(byte) ? kHighControls[byte - 0x80u] : char32_t{byte};
}

std::optional<unsigned char> UnicodeToCp1252(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<unsigned char>(code_point);
  }
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code_point) {
      return static_cast<unsigned char>(0x80 + i);
    }
  }
  return std::nullopt;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(utf8, code);
    const std::optional<unsigned char> byte =
        length > 0 ? UnicodeToCp1252(code) : std::optional<unsigned char>();
    if (!byte) {
      return std::nullopt;
    }
    bytes += static_cast<char>(*byte);
    utf8.remove_prefix(length);
  }
  return bytes;
}

}  // namespace fractions
