#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Small reads and edits of a TrueType (sfnt) font file held in memory: what
// pinning the line fonts to one font file takes.
namespace fractions {

// The font revision of the file's 'head' table, as 16.16 fixed point
// (1.07 is 0x000111EB); nothing when the file holds no readable 'head'.
std::optional<int32_t> FontRevision(std::string_view sfnt);

// True when a 16.16 revision reads as `major`.`hundredths` (1.07: 1, 7),
// the way font tools print it.
bool IsRevision(int32_t revision, int major, int hundredths);

// Replaces `from` by `to` (of the same length) in the names that give the
// font's family, full name and PostScript name, in both the Macintosh
// (one byte a character) and the Windows (UTF-16BE) records, and mends the
// 'name' table's checksum. Returns the number of names changed; the file is
// left as it was when it has no readable 'name' table.
int RenameFontFamily(std::string& sfnt, std::string_view from, std::string_view to);

}  // namespace fractions
