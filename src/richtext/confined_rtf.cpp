#include "confined_rtf.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "rtf_lexer.h"
#include "rtf_words.h"

namespace fractions {

namespace {

// Destinations the reader does not list but word processors know: each
// takes the rest of its group out of the text, or makes it a field.
constexpr auto kOtherDestinations = std::to_array<std::string_view>({
    "background", "bkmkend",   "bkmkstart", "datastore",    "do",        "docvar",   "field",
    "fldinst",    "fldrslt",   "generator", "latentstyles", "listtext",  "mmathPr",  "object",
    "objdata",    "pgdsctbl",  "pn",        "pntext",       "result",    "shp",      "shpinst",
    "shptxt",     "themedata", "upr",       "ud",           "userprops", "xmlnstbl",
});

// The tables of a document's header: in the body they would redefine the
// fonts and colours that the tags and the rest of the document refer to (our
// reader takes the later table, so an Arial heading would turn to Symbol
// glyphs), so in a text they show as typed, wherever they stand.
constexpr auto kHeaderTables = std::to_array<std::string_view>({
    "colortbl",
    "fonttbl",
    "listoverridetable",
    "listtable",
    "stylesheet",
});

bool IsDestination(std::string_view word) {
  const std::optional<RtfWord> known = LookUpRtfWord(word);
  if (known == RtfWord::kSkipDestination || known == RtfWord::kFontTable ||
      known == RtfWord::kColourTable || known == RtfWord::kPicture ||
      known == RtfWord::kShapePicture) {
    return true;
  }
  return std::find(kOtherDestinations.begin(), kOtherDestinations.end(), word) !=
         kOtherDestinations.end();
}

bool IsHeaderTable(std::string_view word) {
  return std::find(kHeaderTables.begin(), kHeaderTables.end(), word) != kHeaderTables.end();
}

// Words a typed text never keeps, wherever they stand: "\bin" (its data
// would be read as raw bytes, as many as it announces), the header's
// tables, and "\pict". No picture worth the name fits in a line of typed
// text, and a worksheet is read with every one of its pictures or not at
// all: a typed picture that does not decode would stop the worksheet.
bool NeverKept(std::string_view word) {
  return word == "bin" || word == "pict" || IsHeaderTable(word);
}

// The RTF of `source` (a control word or symbol as typed, its delimiting
// blank included) as text: its backslash escaped, so that a reader shows it.
std::string AsText(std::string_view source) {
  return "\\\\" + std::string(source.substr(1));
}

struct Token {
  RtfToken token;
  std::string_view source;
};

std::vector<Token> Tokens(std::string_view rtf) {
  std::vector<Token> tokens;
  RtfLexer lexer(rtf);
  for (RtfToken token = lexer.Next(); token.kind != RtfTokenKind::kEnd; token = lexer.Next()) {
    tokens.push_back({token, rtf.substr(token.offset, lexer.Offset() - token.offset)});
  }
  return tokens;
}

// Whether the `skip` fallback characters of the "\u" at `tokens[at]`
// follow it at once, as text bytes or "\'hh".
bool FallbackFollows(const std::vector<Token>& tokens, size_t at, int32_t skip) {
  int64_t found = 0;
  for (size_t i = at + 1; i < tokens.size() && found < skip; ++i) {
    const RtfToken& token = tokens[i].token;
    if (token.kind == RtfTokenKind::kText) {
      found += static_cast<int64_t>(token.text.size());
    } else if (token.kind == RtfTokenKind::kEscapedByte && token.valid) {
      ++found;
    } else {
      break;
    }
  }
  return found >= skip;
}

constexpr size_t kNoPartner = static_cast<size_t>(-1);

// For each brace, the index of the brace that pairs with it, or kNoPartner:
// a "}" that closes no "{" of the text, a "{" that the text never closes.
std::vector<size_t> BracePartners(const std::vector<Token>& tokens) {
  std::vector<size_t> partners(tokens.size(), kNoPartner);
  std::vector<size_t> open;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].token.kind == RtfTokenKind::kGroupOpen) {
      open.push_back(i);
    } else if (tokens[i].token.kind == RtfTokenKind::kGroupClose && !open.empty()) {
      partners[i] = open.back();
      partners[open.back()] = i;
      open.pop_back();
    }
  }
  return partners;
}

// The output, piece by piece, so that a group can be dropped once its end
// shows it held a field instruction.
class ConfinedText {
 public:
  void Append(std::string_view piece) { pieces_.emplace_back(piece); }

  void OpenGroup() {
    groups_.push_back({pieces_.size(), false, UnicodeSkip()});
    pieces_.emplace_back("{");
  }

  void CloseGroup() {
    const Group group = groups_.back();
    groups_.pop_back();
    unicode_skip_ = group.outer_unicode_skip;
    if (group.dropped) {
      pieces_.resize(group.first_piece);
    } else {
      pieces_.emplace_back("}");
    }
  }

  size_t Depth() const { return groups_.size(); }
  bool AtTopLevel() const { return groups_.empty(); }
  void DropCurrentGroup() { groups_.back().dropped = true; }

  // "\uc", as readers keep it: for the group it stands in.
  int32_t UnicodeSkip() const { return unicode_skip_; }
  void SetUnicodeSkip(int32_t skip) {
    unicode_skip_ = skip;
    unicode_skip_set_at_top_ = unicode_skip_set_at_top_ || AtTopLevel();
  }
  bool UnicodeSkipSetAtTopLevel() const { return unicode_skip_set_at_top_; }

  std::string Finish() const {
    std::string rtf;
    for (const std::string& piece : pieces_) {
      rtf += piece;
    }
    return rtf;
  }

 private:
  struct Group {
    size_t first_piece;
    bool dropped;
    int32_t outer_unicode_skip;
  };
  std::vector<std::string> pieces_;
  std::vector<Group> groups_;  // the text's groups written as groups, open here
  int32_t unicode_skip_ = 1;   // the documents set \uc1 before any typed text
  bool unicode_skip_set_at_top_ = false;
};

}  // namespace

std::string ConfineRtf(std::string_view rtf) {
  const std::vector<Token> tokens = Tokens(rtf);
  // Braces are paired before anything is written: a "{" the text never
  // closes is text, and what follows it stands at the level it was typed
  // at, which is the document's own.
  const std::vector<size_t> partners = BracePartners(tokens);
  std::vector<bool> as_text(tokens.size(), false);  // braces written escaped
  ConfinedText text;
  bool after_top_star = false;  // the token before was a "\*" shown as typed
  for (size_t i = 0; i < tokens.size(); ++i) {
    const RtfToken& token = tokens[i].token;
    const std::string_view source = tokens[i].source;
    const bool follows_top_star = std::exchange(after_top_star, false);
    switch (token.kind) {
      case RtfTokenKind::kGroupOpen:
        // Deeper than kMaxTypedGroupDepth, a group shows its braces as
        // typed, so that the document stays within what RTF readers accept.
        if (partners[i] == kNoPartner || text.Depth() >= kMaxTypedGroupDepth) {
          text.Append("\\{");
          if (partners[i] != kNoPartner) {
            as_text[partners[i]] = true;
          }
        } else {
          text.OpenGroup();
        }
        break;
      case RtfTokenKind::kGroupClose:
        if (partners[i] == kNoPartner || as_text[i]) {
          text.Append("\\}");
        } else {
          text.CloseGroup();
        }
        break;
      case RtfTokenKind::kControlWord:
        if (follows_top_star || NeverKept(token.text) ||
            (token.text == "u" && !token.has_parameter) ||
            (text.AtTopLevel() && IsDestination(token.text))) {
          text.Append(AsText(source));
        } else if (token.text == "fldinst" && !text.AtTopLevel()) {
          text.DropCurrentGroup();
        } else if (token.text == "uc") {
          text.SetUnicodeSkip(token.has_parameter ? std::max(0, token.parameter) : 1);
          text.Append(source);
        } else if (token.text == "u" && !FallbackFollows(tokens, i, text.UnicodeSkip())) {
          // Readers skip the fallback characters after "\uN" wherever they
          // are, LibreOffice through words and into the groups that follow
          // (it would take the first hex digit of a question's picture). A
          // fallback the text does not hold at once is none: "\uc0".
          text.Append("{\\uc0" + std::string(source) + "}");
        } else {
          text.Append(source);
        }
        break;
      case RtfTokenKind::kControlSymbol:
        if (token.text.empty()) {
          text.Append("\\\\");  // a lone backslash at the end
        } else if (token.text == "*" && text.AtTopLevel()) {
          text.Append(AsText(source));
          after_top_star = true;
        } else {
          text.Append(source);
        }
        break;
      case RtfTokenKind::kEscapedByte:
        // "\'" without two hex digits: a reader that takes the next two
        // bytes whatever they are would take the document's own.
        if (token.valid) {
          text.Append(source);
        } else {
          text.Append(AsText(source));
        }
        break;
      case RtfTokenKind::kText:
        text.Append(source);
        break;
      case RtfTokenKind::kEnd:
        break;
    }
  }
  if (text.UnicodeSkipSetAtTopLevel()) {
    text.Append("\\uc1 ");  // the documents' own, for the text after this one
  }
  return text.Finish();
}

}  // namespace fractions
