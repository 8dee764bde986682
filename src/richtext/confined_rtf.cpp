#include "confined_rtf.h"

#include <algorithm>
#include <array>
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

// The output, piece by piece, so that a group can be dropped or an unclosed
// brace escaped once the end of the text shows what it was.
class ConfinedText {
 public:
  void Append(std::string_view piece) { pieces_.emplace_back(piece); }

  // A group deeper than kMaxTypedGroupDepth shows its braces as typed, so
  // that the document stays within what RTF readers accept.
  void OpenGroup() {
    const bool escaped = depth_ >= kMaxTypedGroupDepth;
    groups_.push_back({pieces_.size(), false, escaped});
    pieces_.emplace_back(escaped ? "\\{" : "{");
    depth_ += escaped ? 0 : 1;
  }

  void CloseGroup() {
    if (groups_.empty()) {
      pieces_.emplace_back("\\}");  // no group of the text to close
      return;
    }
    const Group group = groups_.back();
    groups_.pop_back();
    depth_ -= group.escaped ? 0 : 1;
    if (group.dropped) {
      pieces_.resize(group.first_piece);
    } else {
      pieces_.emplace_back(group.escaped ? "\\}" : "}");
    }
  }

  bool InsideGroup() const { return !groups_.empty(); }
  void DropCurrentGroup() { groups_.back().dropped = true; }

  // From here to the end, in a group of its own.
  void Confine() {
    if (!confined_) {
      confined_ = true;
      pieces_.emplace_back("{");
    }
  }

  std::string Finish() {
    // Groups left open: a dropped one goes, the brace of another shows.
    while (!groups_.empty()) {
      const Group group = groups_.back();
      groups_.pop_back();
      if (group.dropped) {
        pieces_.resize(group.first_piece);
      } else {
        pieces_[group.first_piece] = "\\{";
      }
    }
    if (confined_) {
      pieces_.emplace_back("}");
    }
    std::string rtf;
    for (const std::string& piece : pieces_) {
      rtf += piece;
    }
    return rtf;
  }

 private:
  struct Group {
    std::size_t first_piece;
    bool dropped;
    bool escaped;
  };
  std::vector<std::string> pieces_;
  std::vector<Group> groups_;
  std::size_t depth_ = 0;  // groups written as groups
  bool confined_ = false;
};

}  // namespace

std::string ConfineRtf(std::string_view rtf) {
  RtfLexer lexer(rtf);
  ConfinedText text;
  for (RtfToken token = lexer.Next(); token.kind != RtfTokenKind::kEnd; token = lexer.Next()) {
    const std::string_view source = rtf.substr(token.offset, lexer.Offset() - token.offset);
    switch (token.kind) {
      case RtfTokenKind::kGroupOpen:
        text.OpenGroup();
        break;
      case RtfTokenKind::kGroupClose:
        text.CloseGroup();
        break;
      case RtfTokenKind::kControlWord:
        if (token.text == "bin") {
          break;
        }
        if (token.text == "fldinst") {
          if (text.InsideGroup()) {
            text.DropCurrentGroup();
          }
          break;
        }
        if (!text.InsideGroup() && IsDestination(token.text)) {
          text.Confine();
        }
        text.Append(source);
        break;
      case RtfTokenKind::kControlSymbol:
        if (token.text.empty()) {
          text.Append("\\\\");  // a lone backslash at the end
          break;
        }
        if (token.text == "*" && !text.InsideGroup()) {
          text.Confine();
        }
        text.Append(source);
        break;
      case RtfTokenKind::kEscapedByte:
      case RtfTokenKind::kText:
        text.Append(source);
        break;
      case RtfTokenKind::kEnd:
        break;
    }
  }
  return text.Finish();
}

}  // namespace fractions
