#pragma once

#include <string_view>

namespace fractions {

// The fixed text that opens every document: RTF header (code page 1252,
// French), the font table the font tags refer to, the colour table the colour
// tags refer to, and the start of the first paragraph in font 0. It leaves
// the document group open; whoever builds a document closes it with "}".
// The font and colour tags of the markup converter index these tables, so
// the two change together.
inline constexpr std::string_view kRtfPrologue =
    "{\\rtf1\\ansi\\ansicpg1252\\deftab2880\\deff0\\deflang1036"
    "{\\fonttbl"
    "{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}"
    "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}"
    "{\\f2\\fmodern\\fprq1\\fcharset0 Courier New;}"
    "{\\f3\\froman\\fprq2\\fcharset2 Symbol;}"
    "{\\f4\\fswiss\\fcharset0 Arial;}"
    "}"
    "{\\colortbl ;"
    "\\red0\\green0\\blue0;"
    "\\red128\\green0\\blue0;"
    "\\red0\\green128\\blue0;"
    "\\red128\\green128\\blue0;"
    "\\red0\\green0\\blue128;"
    "\\red128\\green0\\blue128;"
    "\\red0\\green128\\blue128;"
    "\\red128\\green128\\blue128;"
    "\\red192\\green192\\blue192;"
    "\\red255\\green0\\blue0;"
    "\\red0\\green255\\blue0;"
    "\\red255\\green255\\blue0;"
    "\\red0\\green0\\blue255;"
    "\\red255\\green0\\blue255;"
    "\\red0\\green255\\blue255;"
    "\\red255\\green255\\blue255;"
    "}"
    "\\viewkind4\\uc1\\pard\\f0 ";

static_assert(kRtfPrologue.size() == 643);

}  // namespace fractions
