#pragma once

#include <string>
#include <string_view>

namespace fractions {

// `utf8` as it may be printed on a terminal: control characters, which a
// terminal would obey (an escape sequence that clears the screen, a
// carriage return that hides what came before), are shown as escapes
// instead: "\t", "\n", "\r", "\x1B" for the C0 controls and DEL, "\u009B"
// for the C1 controls, and "\xFF" for each byte that is not UTF-8. Every
// other character is kept as it is.
std::string PrintableText(std::string_view utf8);

}  // namespace fractions
