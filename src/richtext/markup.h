#pragma once

#include <string>
#include <string_view>

namespace fractions {

// Converts markup text (Windows-1252 bytes with angle-bracket tags such as
// <b>, <te=18>, <ce=rouge>, <br>) to RTF. Everything that is not a tag passes
// through unchanged, raw RTF included; a tab or a line end ("\r\n", "\n" or
// "\r") becomes a space, other control characters are dropped (inside a size
// tag, all of them); a NUL ends the input. A "<" that does not open one of the tags is text, like
// what follows it ("1 < 2", "<bold>"). Never fails, keeps no state.
std::string MarkupToRtf(std::string_view markup);

}  // namespace fractions
