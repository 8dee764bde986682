#pragma once

#include <QChar>

namespace fractions {

// Characters no run of text carries: control characters other than TAB,
// and those a QTextDocument keeps for its own structure (paragraph and frame
// separators, the object replacement character of pictures). The reader
// drops them from what it reads, the writers from what they write.
constexpr bool IsStructureOrControl(char32_t c) {
  return (c < 0x20 && c != u'\t') || c == 0x7F || c == QChar::ParagraphSeparator || c == 0xFDD0 ||
         c == 0xFDD1 || c == QChar::ObjectReplacementCharacter;
}

}  // namespace fractions
