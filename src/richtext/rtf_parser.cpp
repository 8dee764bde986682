#include "rtf_parser.h"

#include <QFont>
#include <algorithm>
#include <optional>
#include <vector>

#include "cp1252.h"
#include "rtf_lexer.h"
#include "rtf_picture_reader.h"
#include "rtf_run_builder.h"
#include "rtf_tables.h"
#include "rtf_words.h"
#include "symbol_charset.h"

namespace fractions {

namespace {

constexpr std::string_view kRtfStart = "{\\rtf";
constexpr int32_t kDefaultHalfPoints = 24;  // RTF's default size, 12 points

enum class Destination {
  kText,           // document text
  kFontTable,      // font names and their words
  kColourTable,    // \red \green \blue and ";"
  kPicture,        // a \pict: hex digits or \bin data
  kPictureHolder,  // \shppict: only its \pict matters
  kSkip,           // anything else: read for its braces and \bin only
};

struct CharState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  int32_t font = 0;  // RTF font number
  int32_t half_points = kDefaultHalfPoints;
  std::optional<QRgb> foreground;
  std::optional<QRgb> background;

  bool operator==(const CharState&) const = default;
};

struct GroupState {
  CharState chars;
  int32_t unicode_skip = 1;  // \uc: fallback characters after each \u
  // The only paragraph property read; like the character formats, a group
  // closing restores it.
  bool keep_with_next = false;
  Destination destination = Destination::kText;
  bool ignorable = false;  // \* seen: the next word names a destination
  int picture = -1;        // reader of the \pict this group belongs to
  bool opens_picture = false;
};

// "\b", "\b1" switch on; "\b0" switches off.
bool SwitchValue(const RtfToken& token) {
  return !token.has_parameter || token.parameter != 0;
}

class RtfParser {
 public:
  RtfParser(std::string_view rtf, PictureReading pictures)
      : rtf_(rtf), lexer_(rtf), picture_reading_(pictures) {}

  std::variant<RtfContent, RtfReadError> Run();

 private:
  std::optional<RtfReadError> OpenGroup(size_t offset);
  // True when the document group has just closed.
  bool CloseGroup();
  std::optional<RtfReadError> CheckTail() const;

  void OnWord(const RtfToken& token);
  void OnDestinationWord(RtfWord word);
  void OnPictureWord(RtfWord word, const RtfToken& token);
  bool OnFormatWord(RtfWord word, const RtfToken& token);
  void OnTextWord(RtfWord word, const RtfToken& token);
  void OnUnicode(const RtfToken& token);
  void OnSymbol(const RtfToken& token);
  void OnText(std::string_view text);
  void OnByte(unsigned char byte);
  void OnCharacter(char16_t unit);

  void SetColour(std::optional<QRgb>& colour, int32_t index) const;
  void StartPicture();
  void FinishPicture(const GroupState& group);
  void SyncFormat();
  void EndParagraph();
  QTextCharFormat FormatOf(const CharState& chars) const;
  ByteCode CurrentByteCode() const;
  char16_t Decode(unsigned char byte, ByteCode code) const;

  GroupState& Top() { return stack_.back(); }
  const GroupState& Top() const { return stack_.back(); }

  std::string_view rtf_;
  RtfLexer lexer_;
  std::vector<GroupState> stack_;
  std::vector<size_t> open_offsets_;  // where each open group began
  RtfFontTable fonts_;
  RtfColourTable colours_;
  std::vector<RtfPictureReader> pictures_;
  RtfRunBuilder builder_;
  std::optional<CharState> builder_chars_;  // what builder_ writes with
  int32_t default_font_ = 0;
  int32_t skip_left_ = 0;  // fallback characters of the last \u still to skip
  int64_t pixel_budget_ = kMaxDocumentPixels;
  PictureReading picture_reading_;
  std::optional<RtfReadError> unreadable_picture_;  // the first, when it is an error
};

std::string OffsetText(size_t offset) {
  return " at byte " + std::to_string(offset);
}

std::variant<RtfContent, RtfReadError> RtfParser::Run() {
  if (!rtf_.starts_with(kRtfStart)) {
    return RtfReadError{RtfReadError::Kind::kNotRtf, 0,
                        "not an RTF document: it does not start with {\\rtf" + OffsetText(0)};
  }
  for (;;) {
    const RtfToken token = lexer_.Next();
    switch (token.kind) {
      case RtfTokenKind::kEnd: {
        const size_t end = rtf_.size();
        return RtfReadError{
            RtfReadError::Kind::kUnclosedGroup, end,
            "the input ends" + OffsetText(end) + " with " + std::to_string(stack_.size()) +
                " group(s) open, the innermost opened" + OffsetText(open_offsets_.back())};
      }
      case RtfTokenKind::kGroupOpen:
        if (auto error = OpenGroup(token.offset)) {
          return *error;
        }
        break;
      case RtfTokenKind::kGroupClose: {
        const bool document_closed = CloseGroup();
        if (unreadable_picture_) {
          return *unreadable_picture_;
        }
        if (document_closed) {
          if (auto error = CheckTail()) {
            return *error;
          }
          return builder_.Finish();
        }
        break;
      }
      case RtfTokenKind::kControlWord:
        OnWord(token);
        break;
      case RtfTokenKind::kControlSymbol:
        OnSymbol(token);
        break;
      case RtfTokenKind::kEscapedByte:
        if (token.valid) {
          OnByte(token.byte);
        } else if (skip_left_ > 0) {
          --skip_left_;  // still one fallback character
        }
        break;
      case RtfTokenKind::kText:
        OnText(token.text);
        break;
    }
  }
}

std::optional<RtfReadError> RtfParser::OpenGroup(size_t offset) {
  if (stack_.size() >= kMaxRtfGroupDepth) {
    return RtfReadError{
        RtfReadError::Kind::kTooDeep, offset,
        "groups nested deeper than " + std::to_string(kMaxRtfGroupDepth) + OffsetText(offset)};
  }
  skip_left_ = 0;
  GroupState group = stack_.empty() ? GroupState{} : Top();
  group.ignorable = false;
  group.opens_picture = false;
  stack_.push_back(group);
  open_offsets_.push_back(offset);
  return std::nullopt;
}

bool RtfParser::CloseGroup() {
  skip_left_ = 0;
  const GroupState group = Top();
  if (group.destination == Destination::kFontTable) {
    fonts_.EndEntry();
  }
  if (group.opens_picture) {
    FinishPicture(group);
  }
  stack_.pop_back();
  open_offsets_.pop_back();
  return stack_.empty();
}

// After the document group only blanks may follow: what a file system or a
// C string adds (spaces, line breaks, NULs).
std::optional<RtfReadError> RtfParser::CheckTail() const {
  const size_t at = lexer_.Offset();
  const size_t bad = rtf_.find_first_not_of(std::string_view(" \t\r\n\0", 5), at);
  if (bad == std::string_view::npos) {
    return std::nullopt;
  }
  if (rtf_[bad] == '}') {
    return RtfReadError{RtfReadError::Kind::kUnmatchedClose, bad,
                        "unmatched }" + OffsetText(bad) + ", after the document group"};
  }
  return RtfReadError{RtfReadError::Kind::kTextAfterEnd, bad,
                      "text after the end of the document group" + OffsetText(bad)};
}

void RtfParser::OnWord(const RtfToken& token) {
  skip_left_ = 0;
  const std::optional<RtfWord> word =
      token.text.size() <= kMaxControlWordLength ? LookUpRtfWord(token.text) : std::nullopt;
  if (word == RtfWord::kBinary) {
    // The data are skipped wherever they stand, so that bytes such as "}"
    // inside them are never read as RTF.
    const uint32_t count =
        token.has_parameter ? static_cast<uint32_t>(std::max(0, token.parameter)) : 0u;
    const std::string_view data = lexer_.TakeBinary(count);
    if (Top().destination == Destination::kPicture) {
      pictures_[static_cast<size_t>(Top().picture)].AppendBinary(data);
    }
    return;
  }
  GroupState& group = Top();
  if (group.destination == Destination::kSkip) {
    return;
  }
  if (group.ignorable) {
    // "\*\word": a destination that readers which do not know it skip.
    group.ignorable = false;
    if (word == RtfWord::kPicture || word == RtfWord::kShapePicture) {
      OnDestinationWord(*word);
    } else {
      group.destination = Destination::kSkip;
    }
    return;
  }
  if (!word) {
    return;
  }
  if (group.destination == Destination::kFontTable) {
    if (word == RtfWord::kFont) {
      fonts_.StartEntry(token.parameter);
      return;
    }
    if (word == RtfWord::kFontCharset) {
      fonts_.SetCharset(token.parameter);
      return;
    }
  }
  if (group.destination == Destination::kColourTable) {
    if (word == RtfWord::kRed) {
      colours_.SetRed(token.parameter);
    } else if (word == RtfWord::kGreen) {
      colours_.SetGreen(token.parameter);
    } else if (word == RtfWord::kBlue) {
      colours_.SetBlue(token.parameter);
    }
  }
  if (group.destination == Destination::kPicture) {
    OnPictureWord(*word, token);
  }
  OnDestinationWord(*word);
  if (!OnFormatWord(*word, token) && Top().destination == Destination::kText) {
    OnTextWord(*word, token);
  }
}

void RtfParser::OnDestinationWord(RtfWord word) {
  GroupState& group = Top();
  switch (word) {
    case RtfWord::kFontTable:
      group.destination = Destination::kFontTable;
      break;
    case RtfWord::kColourTable:
      group.destination = Destination::kColourTable;
      colours_.Clear();
      break;
    case RtfWord::kPicture:
      if (group.destination == Destination::kText ||
          group.destination == Destination::kPictureHolder) {
        StartPicture();
      } else if (group.destination != Destination::kPicture) {
        group.destination = Destination::kSkip;
      }
      break;
    case RtfWord::kShapePicture:
      group.destination = Destination::kPictureHolder;
      break;
    case RtfWord::kSkipDestination:
      group.destination = Destination::kSkip;
      break;
    default:
      break;
  }
}

void RtfParser::OnPictureWord(RtfWord word, const RtfToken& token) {
  RtfPictureReader& picture = pictures_[static_cast<size_t>(Top().picture)];
  switch (word) {
    case RtfWord::kPictureDib:
      picture.SetKind(RtfPictureKind::kDib);
      break;
    case RtfWord::kPicturePng:
      picture.SetKind(RtfPictureKind::kPng);
      break;
    case RtfWord::kPictureJpeg:
      picture.SetKind(RtfPictureKind::kJpeg);
      break;
    case RtfWord::kPictureOther:
      picture.SetKind(RtfPictureKind::kUnsupported);
      break;
    case RtfWord::kPictureGoalWidth:
      picture.SetGoalWidth(token.parameter);
      break;
    case RtfWord::kPictureGoalHeight:
      picture.SetGoalHeight(token.parameter);
      break;
    case RtfWord::kPictureScaleX:
      picture.SetScaleX(token.parameter);
      break;
    case RtfWord::kPictureScaleY:
      picture.SetScaleY(token.parameter);
      break;
    default:
      break;
  }
}

// Character formatting, in any destination that is read: a group keeps its
// state whatever it holds. False for words that are not formatting.
bool RtfParser::OnFormatWord(RtfWord word, const RtfToken& token) {
  CharState& chars = Top().chars;
  switch (word) {
    case RtfWord::kBold:
      chars.bold = SwitchValue(token);
      return true;
    case RtfWord::kItalic:
      chars.italic = SwitchValue(token);
      return true;
    case RtfWord::kUnderline:
      chars.underline = SwitchValue(token);
      return true;
    case RtfWord::kUnderlineNone:
      chars.underline = false;
      return true;
    case RtfWord::kStrike:
      chars.strike = SwitchValue(token);
      return true;
    case RtfWord::kSuperscript:
      chars.vertical =
          SwitchValue(token) ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
      return true;
    case RtfWord::kSubscript:
      chars.vertical =
          SwitchValue(token) ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
      return true;
    case RtfWord::kNoSuperSub:
      chars.vertical = QTextCharFormat::AlignNormal;
      return true;
    case RtfWord::kFont:
      // A font the table does not define leaves the current one.
      if (fonts_.Find(token.parameter) != nullptr) {
        chars.font = token.parameter;
      }
      return true;
    case RtfWord::kFontSize:
      // Our markup writes "\fs" and the size text as typed: "\fs12pt " or
      // "\fs " stand for no size at all, and their junk is not text.
      if (!lexer_.SkipJunkAfterWord() && token.has_parameter && token.parameter > 0) {
        chars.half_points = std::min(token.parameter, kMaxFontHalfPoints);
      }
      return true;
    case RtfWord::kForeground:
      SetColour(chars.foreground, token.parameter);
      return true;
    case RtfWord::kBackground:
      SetColour(chars.background, token.parameter);
      return true;
    case RtfWord::kPlain:
      chars = CharState{};
      chars.font = default_font_;
      return true;
    case RtfWord::kDefaultFont:
      default_font_ = token.parameter;
      chars.font = token.parameter;
      return true;
    case RtfWord::kUnicodeSkip:
      Top().unicode_skip = token.has_parameter ? std::max(0, token.parameter) : 1;
      return true;
    case RtfWord::kUnicode:
      OnUnicode(token);
      return true;
    default:
      return false;
  }
}

// An index outside the table leaves the colour as it is, except 0, which
// is the automatic colour even when the table is missing.
void RtfParser::SetColour(std::optional<QRgb>& colour, int32_t index) const {
  if (const auto entry = colours_.Find(index)) {
    colour = *entry;
  } else if (index == 0) {
    colour.reset();
  }
}

void RtfParser::OnTextWord(RtfWord word, const RtfToken& token) {
  switch (word) {
    case RtfWord::kParagraph:
      EndParagraph();
      break;
    case RtfWord::kPage:
      builder_.EndParagraph(FormatOf(Top().chars), /*page_break=*/true, Top().keep_with_next);
      break;
    case RtfWord::kKeepWithNext:
      Top().keep_with_next = SwitchValue(token);
      break;
    case RtfWord::kPard:
      Top().keep_with_next = false;
      break;
    case RtfWord::kLine:
      OnCharacter(QChar::LineSeparator);
      break;
    case RtfWord::kTab:
      OnCharacter(u'\t');
      break;
    case RtfWord::kEmDash:
      OnCharacter(u'\u2014');
      break;
    case RtfWord::kEnDash:
      OnCharacter(u'\u2013');
      break;
    case RtfWord::kLeftQuote:
      OnCharacter(u'\u2018');
      break;
    case RtfWord::kRightQuote:
      OnCharacter(u'\u2019');
      break;
    case RtfWord::kLeftDoubleQuote:
      OnCharacter(u'\u201C');
      break;
    case RtfWord::kRightDoubleQuote:
      OnCharacter(u'\u201D');
      break;
    case RtfWord::kBullet:
      OnCharacter(u'\u2022');
      break;
    default:
      break;
  }
}

// "\uN": one UTF-16 unit, N negative above 32767; then the fallback
// characters that follow are skipped.
void RtfParser::OnUnicode(const RtfToken& token) {
  if (!token.has_parameter) {
    return;  // a bare "\u" is no word RTF knows
  }
  const int32_t value = token.parameter < 0 ? token.parameter + 65536 : token.parameter;
  const char16_t unit = value >= 0 && value <= 0xFFFF ? static_cast<char16_t>(value) : u'\uFFFD';
  const Destination destination = Top().destination;
  if (destination == Destination::kText) {
    OnCharacter(unit);
  } else if (destination == Destination::kFontTable) {
    fonts_.AppendToName(unit);
  }
  skip_left_ = Top().unicode_skip;
}

void RtfParser::OnSymbol(const RtfToken& token) {
  const char symbol = token.text.empty() ? '\0' : token.text[0];
  if (symbol == '\\' || symbol == '{' || symbol == '}') {
    OnByte(static_cast<unsigned char>(symbol));  // an escaped text byte
    return;
  }
  skip_left_ = 0;
  GroupState& group = Top();
  if (group.destination == Destination::kSkip) {
    return;
  }
  if (symbol == '*') {
    group.ignorable = true;
    return;
  }
  if (group.destination != Destination::kText) {
    return;
  }
  switch (symbol) {
    case '~':
      OnCharacter(u'\u00A0');  // no-break space
      break;
    case '-':
      OnCharacter(u'\u00AD');  // optional hyphen
      break;
    case '_':
      OnCharacter(u'\u2011');  // no-break hyphen
      break;
    case '\r':
    case '\n':
      EndParagraph();  // a backslash before a line break is \par
      break;
    default:
      break;
  }
}

void RtfParser::OnText(std::string_view text) {
  const Destination destination = Top().destination;
  if (destination == Destination::kPicture) {
    pictures_[static_cast<size_t>(Top().picture)].AppendHex(text);
    return;
  }
  if (destination == Destination::kSkip || destination == Destination::kPictureHolder) {
    return;
  }
  for (const char c : text) {
    // Raw line breaks, tabs and other control bytes are layout of the RTF
    // file, not text.
    if (static_cast<unsigned char>(c) >= 0x20) {
      OnByte(static_cast<unsigned char>(c));
    }
  }
}

// One text byte, raw or escaped, in the byte code of the current font.
void RtfParser::OnByte(unsigned char byte) {
  if (skip_left_ > 0) {
    --skip_left_;
    return;
  }
  switch (Top().destination) {
    case Destination::kText:
      OnCharacter(Decode(byte, CurrentByteCode()));
      break;
    case Destination::kFontTable:
      if (byte == ';') {
        fonts_.EndEntry();
      } else {
        fonts_.AppendToName(Decode(byte, ByteCode::kWindows1252));
      }
      break;
    case Destination::kColourTable:
      if (byte == ';') {
        colours_.EndEntry();
      }
      break;
    default:
      break;
  }
}

void RtfParser::OnCharacter(char16_t unit) {
  SyncFormat();
  builder_.AppendUnit(unit);
}

void RtfParser::StartPicture() {
  GroupState& group = Top();
  pictures_.emplace_back();
  group.picture = static_cast<int>(pictures_.size() - 1);
  group.opens_picture = true;
  group.destination = Destination::kPicture;
}

void RtfParser::FinishPicture(const GroupState& group) {
  RtfPictureReader& reader = pictures_[static_cast<size_t>(group.picture)];
  if (std::optional<RtfPicture> picture = reader.Finish(pixel_budget_)) {
    builder_.AddPicture(std::move(*picture));
  } else if (picture_reading_ == PictureReading::kAllOrError && !unreadable_picture_) {
    const size_t offset = open_offsets_.back();
    unreadable_picture_ = RtfReadError{RtfReadError::Kind::kUnreadablePicture, offset,
                                       "a picture that cannot be decoded" + OffsetText(offset)};
  }
  reader = RtfPictureReader();  // its data are no longer needed
}

void RtfParser::EndParagraph() {
  builder_.EndParagraph(FormatOf(Top().chars), /*page_break=*/false, Top().keep_with_next);
}

void RtfParser::SyncFormat() {
  const CharState& chars = Top().chars;
  if (builder_chars_ != chars) {
    builder_.SetFormat(FormatOf(chars));
    builder_chars_ = chars;
  }
}

QTextCharFormat RtfParser::FormatOf(const CharState& chars) const {
  QTextCharFormat format;
  format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(chars.italic);
  format.setFontUnderline(chars.underline);
  format.setFontStrikeOut(chars.strike);
  format.setVerticalAlignment(chars.vertical);
  format.setFontPointSize(chars.half_points / 2.0);
  if (const RtfFont* font = fonts_.Find(chars.font); font != nullptr && !font->family.isEmpty()) {
    format.setFontFamilies(QStringList{font->family});
  }
  if (chars.foreground) {
    format.setForeground(QColor::fromRgb(*chars.foreground));
  }
  if (chars.background) {
    format.setBackground(QColor::fromRgb(*chars.background));
  }
  return format;
}

ByteCode RtfParser::CurrentByteCode() const {
  const RtfFont* font = fonts_.Find(Top().chars.font);
  return font == nullptr ? ByteCode::kWindows1252 : font->byte_code;
}

char16_t RtfParser::Decode(unsigned char byte, ByteCode code) const {
  switch (code) {
    case ByteCode::kSymbolFont:
      return static_cast<char16_t>(SymbolByteToUnicode(byte));
    case ByteCode::kPrivateUse:
      return static_cast<char16_t>(SymbolFontPrivateUse(byte));
    case ByteCode::kWindows1252:
      break;
  }
  return static_cast<char16_t>(Cp1252ToUnicode(byte));
}

}  // namespace

std::variant<RtfContent, RtfReadError> ParseRtf(std::string_view rtf, PictureReading pictures) {
  return RtfParser(rtf, pictures).Run();
}

}  // namespace fractions
