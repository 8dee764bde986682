#include "markup.h"

#include <algorithm>
#include <array>
#include <optional>

namespace fractions {

namespace {

struct FixedTag {
  std::string_view name;
  std::string_view rtf;
};

// "u" must write "\ul ": a bare "\u" would read as a Unicode escape.
constexpr std::array<FixedTag, 16> kFixedTags = {{
    {"b", "\\b "},
    {"/b", "\\b0 "},
    {"i", "\\i "},
    {"/i", "\\i0 "},
    {"u", "\\ul "},
    {"/u", "\\ul0 "},
    {"s", "\\strike "},
    {"/s", "\\strike0 "},
    {"sup", "\\super "},
    {"/sup", "\\nosupersub "},
    {"sub", "\\sub "},
    {"/sub", "\\nosupersub "},
    {"arial", "\\f0 "},
    {"times", "\\f1 "},
    {"courier", "\\f2 "},
    {"symbol", "\\f3 "},
}};

// Colour names by colour-table index; index 0 (automatic) has two names.
// "bleu fonc\xE9" and "gris fonc\xE9" end in the Windows-1252 byte for é.
constexpr std::array<std::string_view, 17> kColourNames = {
    "auto",   "noir", "marron",        "vert",       "olive", "bleu fonc\xE9",
    "violet", "cyan", "gris fonc\xE9", "gris clair", "rouge", "vert clair",
    "jaune",  "bleu", "fuchsia",       "bleu ciel",  "blanc",
};

std::optional<int> ColourIndex(std::string_view name) {
  if (name == "automatique") {
    return 0;
  }
  for (size_t i = 0; i < kColourNames.size(); ++i) {
    if (kColourNames[i] == name) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 32;
}

// "te=12" -> "\fs12 ". Every "te=" is removed from the size text, which is
// otherwise written as typed, even when it is empty or not a number. Control
// characters typed inside the tag are dropped like everywhere else: the
// output never holds one.
std::string FontSizeRtf(std::string_view tag) {
  std::string size;
  for (size_t i = 0; i < tag.size();) {
    if (tag.substr(i, 3) == "te=") {
      i += 3;
    } else if (IsControl(tag[i])) {
      ++i;
    } else {
      size += tag[i++];
    }
  }
  return "\\fs" + size + " ";
}

// The tag name between `start` and `end`, lowercased; a name too long to
// be a tag (every tag but "te=" is short) is cut short, so that a text full
// of '<' is read in linear time.
std::string LowerTagName(std::string_view markup, size_t start, size_t end) {
  constexpr size_t kLongestShortTag = 14;  // "ce=automatique"
  std::string tag;
  for (size_t i = start; i < end; ++i) {
    if (tag.size() > kLongestShortTag && !tag.starts_with("te=")) {
      break;
    }
    tag += AsciiLower(markup[i]);
  }
  return tag;
}

// The RTF of one lowercased tag name; nothing for a name that is not one of
// the tags.
std::optional<std::string> TagRtf(std::string_view tag) {
  for (const FixedTag& fixed : kFixedTags) {
    if (tag == fixed.name) {
      return std::string(fixed.rtf);
    }
  }
  if (tag.starts_with("te=")) {
    return FontSizeRtf(tag);
  }
  if (tag.starts_with("ce=") || tag.starts_with("cf=")) {
    if (const auto index = ColourIndex(tag.substr(3))) {
      const std::string_view word = tag[1] == 'e' ? "\\cf" : "\\highlight";
      return std::string(word) + std::to_string(*index) + " ";
    }
    return std::nullopt;
  }
  if (tag == "br") {
    return "\\par ";
  }
  if (tag == "tab") {
    return "\\tab ";
  }
  return std::nullopt;
}

}  // namespace

std::string MarkupToRtf(std::string_view markup) {
  // Input stops at the first NUL, as it would for a C string.
  markup = markup.substr(0, markup.find('\0'));
  std::string rtf;
  rtf.reserve(markup.size());
  size_t close = 0;  // the first '>' at or after the read position
  size_t pos = 0;
  while (pos < markup.size()) {
    const char c = markup[pos++];
    if (c != '<') {
      if (c == '\t' || c == '\n' || c == '\r') {
        // A tab or a line end typed or pasted in a text line parts the words
        // as a space would: the line stays one line. "\r\n" is one line end.
        rtf += ' ';
        pos += c == '\r' && pos < markup.size() && markup[pos] == '\n' ? 1 : 0;
      } else if (!IsControl(c)) {
        rtf += c;
      }
      continue;
    }
    // A tag runs to the next '>' or the end of the input; an unterminated tag
    // at the end is still looked up. A '<' that opens no tag is text, and
    // reading goes on right after it: "1/2 < 3/4 et 5/4 > 1" keeps every
    // character.
    if (close < pos) {
      close = std::min(markup.find('>', pos), markup.size());
    }
    if (const std::optional<std::string> tag_rtf = TagRtf(LowerTagName(markup, pos, close))) {
      rtf += *tag_rtf;
      pos = std::min(close + 1, markup.size());  // past '>'
    } else {
      rtf += c;
    }
  }
  return rtf;
}

}  // namespace fractions
