#pragma once

#include <string>
#include <string_view>

#include "rtf_read_error.h"

namespace fractions {

// The deepest nesting of groups a typed text keeps. A document holds a typed
// text inside its own group, in a group of the text's own (so that what it
// opens ends with it), with at most one group ConfineRtf adds (around a
// "\u"), so it stays well within what the reader (and other RTF readers)
// accept.
inline constexpr std::size_t kMaxTypedGroupDepth = 100;
static_assert(kMaxTypedGroupDepth + 3 < kMaxRtfGroupDepth);

// The RTF of a text the teacher typed (the title, the instruction, the
// separator: markup already converted), made safe to stand inside a
// document whose group the header leaves open. The tags' control words and
// the raw RTF teachers use ("{\b gras}", "\par", "\tab", "\i ... \i0",
// a destination inside a group of the text, "{\*\comment ...}") stay; what
// could reach outside the text is mended, each text on its own. Where a
// word cannot stay, it is shown as typed (its backslash escaped) rather
// than dropped, so that the teacher sees what the document did not take and
// the text after it stays text:
// - braces are paired first: a "}" closing a group the text did not open
//   (which would end the document) or a "{" never closed (which would
//   swallow the rest of it) shows as typed, and what follows it stands at
//   the document's level; so do the braces of groups nested deeper than
//   kMaxTypedGroupDepth;
// - at the document's level (outside every group of the text), a
//   destination ("\pict", "\info", "\header", "\footnote", "\field", ...)
//   or a "\*" with the word after it would turn the rest of the document
//   into that destination: they show as typed;
// - "\bin" (its data would be read as raw bytes, as many as it announces),
//   the header's tables ("\fonttbl", "\colortbl", "\stylesheet", the
//   list tables: in the body they would redefine the fonts and colours of
//   the whole document) and "\pict" (no picture fits in a typed line, and
//   one that does not decode would stop the worksheet, which is read with
//   every picture or not at all) show as typed wherever they stand; so do
//   a "\'" without its two hex digits (LibreOffice takes the next two
//   bytes, whatever they are), a "\u" without a number and a lone "\" at
//   the end;
// - a field instruction ("\fldinst") goes with the group it stands in, so
//   that no field or live link comes from the text; the field's result
//   stays;
// - a "\uN" whose fallback characters the text does not hold at once goes
//   in a group with "\uc0", so that no reader skips the document's own
//   text or pictures after it; a "\uc" outside the text's groups is set
//   back to 1 at its end.
std::string ConfineRtf(std::string_view rtf);

}  // namespace fractions
