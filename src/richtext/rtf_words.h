#pragma once

#include <optional>
#include <string_view>

// The control words the reader acts on. Every other word is ignored, as RTF
// asks of words a reader does not know.
namespace fractions {

enum class RtfWord {
  // Character formatting.
  kBold,
  kItalic,
  kUnderline,
  kUnderlineNone,
  kStrike,
  kSuperscript,
  kSubscript,
  kNoSuperSub,
  kFont,
  kFontSize,
  kForeground,
  kBackground,
  kPlain,
  // Document and paragraph.
  kDefaultFont,
  kParagraph,
  kPage,  // a paragraph end after which a new page starts
  kLine,
  kTab,
  kUnicodeSkip,
  kUnicode,
  kBinary,
  kPard,
  kKeepWithNext,  // \keepn, a paragraph property: \pard resets it
  // Characters.
  kEmDash,
  kEnDash,
  kLeftQuote,
  kRightQuote,
  kLeftDoubleQuote,
  kRightDoubleQuote,
  kBullet,
  // Tables and pictures.
  kFontTable,
  kFontCharset,
  kColourTable,
  kRed,
  kGreen,
  kBlue,
  kPicture,
  kPictureDib,
  kPicturePng,
  kPictureJpeg,
  kPictureOther,  // metafiles, device-dependent bitmaps: not shown
  kPictureGoalWidth,
  kPictureGoalHeight,
  kPictureScaleX,
  kPictureScaleY,
  kShapePicture,     // \shppict: holds the picture to show
  kSkipDestination,  // a destination whose text is not document text
};

std::optional<RtfWord> LookUpRtfWord(std::string_view name);

}  // namespace fractions
