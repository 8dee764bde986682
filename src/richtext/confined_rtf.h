#pragma once

#include <string>
#include <string_view>

#include "rtf_read_error.h"

namespace fractions {

// The deepest nesting of groups a typed text keeps. A document holds a typed
// text inside its own group and at most one group ConfineRtf adds, so it
// stays well within what the reader (and other RTF readers) accept.
inline constexpr std::size_t kMaxTypedGroupDepth = 100;
static_assert(kMaxTypedGroupDepth + 2 < kMaxRtfGroupDepth);

// The RTF of a text the teacher typed (the title, the instruction, the
// separator: markup already converted), made safe to stand inside a
// document whose group the header leaves open. The tags' control words and
// any other raw RTF the teacher types stay; what could reach outside the
// text is mended, each text on its own:
// - groups nested deeper than kMaxTypedGroupDepth show their braces as
//   typed;
// - a brace that would unbalance the text's groups (a "}" closing a group
//   the text did not open, which would end the document, or a "{" never
//   closed, which would swallow the rest of it) is written escaped, and so
//   shows as the character typed; a lone "\" at the end shows as "\";
// - "\bin" is dropped (its "data" would be read as raw bytes, as many as it
//   announces), and so is every field instruction ("\fldinst", with the
//   group it stands in), so that no field or live link comes from the text;
// - a destination opened outside any group of the text ("\*", "\info",
//   "\pict", ...) would turn the rest of the document into that
//   destination: from there on the text is put in a group of its own.
std::string ConfineRtf(std::string_view rtf);

}  // namespace fractions
