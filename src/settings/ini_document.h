#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fractions {

// A value read is cut to this many bytes (2048 with a terminator): no
// setting is longer, and a damaged file cannot hand a control more.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// One key and the value to write under it.
using IniEntry = std::pair<std::string, std::string>;

// The values of one section, read in one pass: for the many "Item%d" keys of
// a list, where a lookup per key would scan the whole document each time.
class IniSection {
 public:
  // The value of `key` as IniDocument::Read gives it, or nothing.
  std::optional<std::string> Read(std::string_view key) const;

 private:
  friend class IniDocument;
  // Keys folded to ASCII lower case; the first occurrence of a key wins.
  std::unordered_map<std::string, std::string> values_;
};

// An INI file held in memory line by line, read and written by these rules:
// - sections "[name]" and key lines "key=value"; section and key names are
//   trimmed of blanks and matched without regard to ASCII case (other
//   Windows-1252 bytes compare as they are);
// - the first section of a name is the one read and written, and within it
//   the first line of a key;
// - every line the program does not write (other sections, unknown keys,
//   comments, blank lines, lines that make no sense) is kept byte for byte.
// Lines that are not section headers or key lines (no "=", an empty key
// name, a ';' comment, a "[" without "]") are kept but never match a key.
class IniDocument {
 public:
  // Splits `bytes` into lines at CR LF, LF or CR (as written by Windows,
  // Unix and old Mac editors). A file that starts with the UTF-8 mark some
  // editors add is read without it, its text converted to Windows-1252 when
  // it is UTF-8 that Windows-1252 can hold (else its bytes are kept as they
  // are). Never fails.
  static IniDocument Parse(std::string_view bytes);

  // The number of lines Parse makes of `bytes`.
  static std::size_t LineCount(std::string_view bytes);

  // The whole document, every line ended by CR LF, without a UTF-8 mark.
  std::string Serialize() const;

  // The value of `key` in `section`, or nothing when either is missing (an
  // empty value is a value). The value loses its surrounding blanks, then a
  // matching pair of double or single quotes around it, and is cut to
  // kMaxIniValueLength bytes; a NUL byte ends it.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // Every key of `section` at once, read as Read reads them (empty when the
  // section is missing).
  IniSection ReadSection(std::string_view section) const;

  // Sets `key` in `section`: replaces the key's line where it is, else adds
  // the line after the last non-blank line of the section, else appends the
  // section with the line at the end of the document. CR, LF and NUL bytes of
  // `value` are written as spaces, so that no value can break the file into
  // other lines. Throws std::invalid_argument for a name that cannot be
  // written (empty, holding a line break or NUL, a key holding "=" or
  // starting with "[" or ";", a section holding "]").
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Removes every section of that name with all its lines, up to the next
  // section header. All of them, not only the first: a duplicate left behind
  // would be read in place of the erased one.
  void EraseSection(std::string_view section);

  // Moves every section of that name, with all its lines, to the end of the
  // document, in their order: the first stays the one read and written,
  // and the others follow it as they are. Nothing when there is none.
  void MoveSectionToEnd(std::string_view section);

  // Erases `section` and appends it anew at the end, holding `entries` in
  // their order: what erasing it and writing each key would give, in one pass.
  void ReplaceSection(std::string_view section, const std::vector<IniEntry>& entries);

 private:
  enum class LineKind : uint8_t { kOther, kSection, kKey };

  struct Line {
    std::string text;  // without its line break
    LineKind kind = LineKind::kOther;
    // The trimmed name of a section or key, as a range of `text`.
    std::size_t name_begin = 0;
    std::size_t name_size = 0;
    // For a key line: where the raw value begins (just after the "=").
    std::size_t value_begin = 0;

    std::string_view Name() const;
    std::string_view RawValue() const;
  };

  static Line ParseLine(std::string text);
  static Line KeyLine(std::string_view key, std::string_view value);
  static Line SectionLine(std::string_view section);

  // The index of the first header of `section`, or lines_.size().
  std::size_t FindSection(std::string_view section) const;
  // The end of the section whose header is at `header`: the next header or
  // the end of the document.
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<Line> lines_;
};

}  // namespace fractions
