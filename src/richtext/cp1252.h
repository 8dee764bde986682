#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Windows-1252, the code page of every text inside the program. It agrees
// with Latin-1 except for 0x80..0x9F, which hold typographic characters
// (€, ‚, œ, ...). The five bytes Windows-1252 leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows does,
// so that every byte survives a round trip.
namespace fractions {

char32_t Cp1252ToUnicode(unsigned char byte);

// The code point of the UTF-8 sequence at the start of `bytes` (which must
// not be empty) and its length, or a length of 0 when it is not well formed
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view bytes, char32_t& code);

// The byte for a Unicode code point, or nothing when Windows-1252 cannot
// hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t code_point);

// The Windows-1252 bytes of UTF-8 text, or nothing when the text is not
// well-formed UTF-8 or holds a character Windows-1252 cannot hold.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

}  // namespace fractions
