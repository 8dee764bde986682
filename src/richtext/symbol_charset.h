#pragma once

#include <optional>

// The byte code of fonts whose character set is "symbol" (RTF \fcharset2).
// Their bytes are glyph positions, not Windows-1252 letters: in the Symbol
// font 'a' is alpha and 0xE9 a bracket piece. Reading such text as
// Windows-1252 would show Latin letters where the author saw Greek ones.
namespace fractions {

// The character byte `byte` shows in the Symbol font. Bytes the font leaves
// empty map to U+F000 + byte, the private-use position Windows gives every
// byte of a symbol font, so that they survive a round trip.
char32_t SymbolByteToUnicode(unsigned char byte);

// The byte that shows `code_point` in the Symbol font, or nothing when the
// font has no glyph for it.
std::optional<unsigned char> UnicodeToSymbolByte(char32_t code_point);

// The character byte `byte` stands for in any other symbol font (Wingdings,
// Webdings...): its private-use position U+F000 + byte.
char32_t SymbolFontPrivateUse(unsigned char byte);

}  // namespace fractions
