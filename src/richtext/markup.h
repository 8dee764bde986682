#pragma once

#include <string>
#include <string_view>

namespace fractions {

// Converts markup text (Windows-1252 bytes with angle-bracket tags such as
// <b>, <te=18>, <ce=rouge>, <br>) to RTF. Everything that is not a tag passes
// through unchanged, raw RTF included; control characters are dropped; a NUL
// ends the input. A "<" that does not open one of the tags is text, like
// what follows it ("1 < 2", "<bold>"). Never fails, keeps no state.
std::string MarkupToRtf(std::string_view markup);

}  // namespace fractions
