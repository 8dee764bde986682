#pragma once

#include <string>
#include <string_view>

// Hexadecimal digits, as RTF writes picture data and \'hh escapes.
namespace fractions {

// 0..15 for a hex digit of either case, -1 for any other character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// Appends two upper-case digits per byte, growing `out` once.
inline void AppendHex(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const size_t at = out.size();
  out.resize(at + 2 * bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto value = static_cast<unsigned char>(bytes[i]);
    out[at + 2 * i] = kDigits[value >> 4];
    out[at + 2 * i + 1] = kDigits[value & 0x0F];
  }
}

}  // namespace fractions
