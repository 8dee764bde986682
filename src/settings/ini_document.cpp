#include "ini_document.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "richtext/cp1252.h"

namespace fractions {

namespace {

// What some editors put before the first line of a UTF-8 file.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The length of the first line of `bytes`, without and with its line end:
// CR LF, LF or CR (Windows, Unix and old Mac editors).
std::pair<std::size_t, std::size_t> FirstLine(std::string_view bytes) {
  const std::size_t end = bytes.find_first_of("\r\n");
  if (end == std::string_view::npos) {
    return {bytes.size(), bytes.size()};
  }
  const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
  return {end, end + (crlf ? 2 : 1)};
}

// The blanks dropped around names and values.
constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only ASCII letters fold: the Windows-1252 letters above 0x7F compare as
// they are, so "É" and "é" are different names.
bool NamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

std::string FoldName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
  return folded;
}

bool HoldsAny(std::string_view text, std::string_view bytes) {
  return text.find_first_of(bytes) != std::string_view::npos;
}

constexpr std::string_view kLineBreaksAndNul{"\r\n\0", 3};

// The trimmed name the program writes, or std::invalid_argument: a name that
// would read back as something else or break the file is a programming error.
std::string_view WritableName(std::string_view name, bool is_key) {
  const std::string_view trimmed = TrimBlanks(name);
  const bool bad =
      trimmed.empty() || HoldsAny(trimmed, kLineBreaksAndNul) ||
      (is_key && (HoldsAny(trimmed, "=") || trimmed.front() == '[' || trimmed.front() == ';')) ||
      (!is_key && HoldsAny(trimmed, "]"));
  if (bad) {
    throw std::invalid_argument("Nom de " + std::string(is_key ? "clé" : "section") +
                                " impossible à écrire dans le fichier INI : \"" +
                                std::string(name) + "\"");
  }
  return trimmed;
}

// What a read returns for a key line's raw value.
std::string ValueAsRead(std::string_view raw) {
  // A value ends at its first NUL byte.
  raw = raw.substr(0, raw.find('\0'));
  raw = TrimBlanks(raw);
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front()) {
    raw = raw.substr(1, raw.size() - 2);
  }
  return std::string(raw.substr(0, kMaxIniValueLength));
}

}  // namespace

std::optional<std::string> IniSection::Read(std::string_view key) const {
  const auto found = values_.find(FoldName(TrimBlanks(key)));
  if (found == values_.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::string_view IniDocument::Line::Name() const {
  return std::string_view(text).substr(name_begin, name_size);
}

std::string_view IniDocument::Line::RawValue() const {
  return std::string_view(text).substr(value_begin);
}

IniDocument::Line IniDocument::ParseLine(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view view = line.text;
  const std::size_t first = view.find_first_not_of(kBlanks);
  if (first == std::string_view::npos || view[first] == ';') {
    return line;
  }
  std::size_t name_end = std::string_view::npos;
  std::size_t name_begin = first;
  LineKind kind = LineKind::kOther;
  if (view[first] == '[') {
    name_begin = first + 1;
    name_end = view.find(']', name_begin);
    kind = LineKind::kSection;
  } else {
    name_end = view.find('=', first);
    kind = LineKind::kKey;
  }
  if (name_end == std::string_view::npos) {
    return line;
  }
  const std::string_view name = TrimBlanks(view.substr(name_begin, name_end - name_begin));
  if (kind == LineKind::kKey && name.empty()) {
    return line;
  }
  line.kind = kind;
  line.name_begin = name.empty() ? name_begin : static_cast<std::size_t>(name.data() - view.data());
  line.name_size = name.size();
  line.value_begin = name_end + 1;
  return line;
}

IniDocument::Line IniDocument::KeyLine(std::string_view key, std::string_view value) {
  std::string text(WritableName(key, true));
  text += '=';
  const std::size_t value_begin = text.size();
  text += value;
  std::replace_if(
      text.begin() + static_cast<std::ptrdiff_t>(value_begin), text.end(),
      [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return ParseLine(std::move(text));
}

IniDocument::Line IniDocument::SectionLine(std::string_view section) {
  return ParseLine("[" + std::string(WritableName(section, false)) + "]");
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  std::optional<std::string> converted;
  if (bytes.starts_with(kUtf8Mark)) {
    bytes.remove_prefix(kUtf8Mark.size());
    converted = Utf8ToCp1252(bytes);
    if (converted) {
      bytes = *converted;
    }
  }
  IniDocument document;
  while (!bytes.empty()) {
    const auto [length, with_end] = FirstLine(bytes);
    document.lines_.push_back(ParseLine(std::string(bytes.substr(0, length))));
    bytes.remove_prefix(with_end);
  }
  return document;
}

std::size_t IniDocument::LineCount(std::string_view bytes) {
  std::size_t lines = 0;
  for (; !bytes.empty(); ++lines) {
    bytes.remove_prefix(FirstLine(bytes).second);
  }
  return lines;
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Line& line : lines_) {
    size += line.text.size() + 2;
  }
  std::string bytes;
  bytes.reserve(size);
  for (const Line& line : lines_) {
    bytes += line.text;
    bytes += "\r\n";
  }
  return bytes;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  section = TrimBlanks(section);
  const auto found = std::find_if(lines_.begin(), lines_.end(), [section](const Line& line) {
    return line.kind == LineKind::kSection && NamesEqual(line.Name(), section);
  });
  return static_cast<std::size_t>(found - lines_.begin());
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != LineKind::kSection) {
    ++end;
  }
  return end;
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    return std::nullopt;
  }
  key = TrimBlanks(key);
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::kKey && NamesEqual(lines_[i].Name(), key)) {
      return ValueAsRead(lines_[i].RawValue());
    }
  }
  return std::nullopt;
}

IniSection IniDocument::ReadSection(std::string_view section) const {
  IniSection result;
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    return result;
  }
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::kKey) {
      // emplace keeps the first occurrence, as Read does.
      result.values_.emplace(FoldName(lines_[i].Name()), ValueAsRead(lines_[i].RawValue()));
    }
  }
  return result;
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  Line key_line = KeyLine(key, value);
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    lines_.push_back(SectionLine(section));
    lines_.push_back(std::move(key_line));
    return;
  }
  const std::size_t end = SectionEnd(header);
  std::size_t insert_at = header + 1;
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::kKey && NamesEqual(lines_[i].Name(), key_line.Name())) {
      lines_[i] = std::move(key_line);
      return;
    }
    if (!TrimBlanks(lines_[i].text).empty()) {
      insert_at = i + 1;
    }
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(key_line));
}

void IniDocument::EraseSection(std::string_view section) {
  section = TrimBlanks(section);
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool erasing = false;
  for (Line& line : lines_) {
    if (line.kind == LineKind::kSection) {
      erasing = NamesEqual(line.Name(), section);
    }
    if (!erasing) {
      kept.push_back(std::move(line));
    }
  }
  lines_ = std::move(kept);
}

void IniDocument::MoveSectionToEnd(std::string_view section) {
  // All of them, not only the first: moving the first alone past a
  // duplicate would make the duplicate the one read at the next start.
  section = TrimBlanks(section);
  std::vector<Line> kept;
  std::vector<Line> moved;
  kept.reserve(lines_.size());
  bool moving = false;
  for (Line& line : lines_) {
    if (line.kind == LineKind::kSection) {
      moving = NamesEqual(line.Name(), section);
    }
    (moving ? moved : kept).push_back(std::move(line));
  }
  kept.insert(kept.end(), std::make_move_iterator(moved.begin()),
              std::make_move_iterator(moved.end()));
  lines_ = std::move(kept);
}

void IniDocument::ReplaceSection(std::string_view section, const std::vector<IniEntry>& entries) {
  // Build every line first: a bad name throws before the document changes.
  std::vector<Line> added;
  added.reserve(entries.size() + 1);
  added.push_back(SectionLine(section));
  for (const auto& [key, value] : entries) {
    added.push_back(KeyLine(key, value));
  }
  EraseSection(section);
  lines_.insert(lines_.end(), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
}

}  // namespace fractions
