#include "rtf_words.h"

#include <algorithm>
#include <array>

namespace fractions {

namespace {

struct NamedWord {
  std::string_view name;
  RtfWord word;
};

// Sorted by name for the binary search.
constexpr auto kWords = std::to_array<NamedWord>({
    {"aftncn", RtfWord::kSkipDestination},
    {"aftnsep", RtfWord::kSkipDestination},
    {"aftnsepc", RtfWord::kSkipDestination},
    {"annotation", RtfWord::kSkipDestination},
    {"atnauthor", RtfWord::kSkipDestination},
    {"atnid", RtfWord::kSkipDestination},
    {"author", RtfWord::kSkipDestination},
    {"b", RtfWord::kBold},
    {"bin", RtfWord::kBinary},
    {"blue", RtfWord::kBlue},
    {"bullet", RtfWord::kBullet},
    {"cb", RtfWord::kBackground},
    {"cell", RtfWord::kTab},
    {"cf", RtfWord::kForeground},
    {"colortbl", RtfWord::kColourTable},
    {"comment", RtfWord::kSkipDestination},
    {"deff", RtfWord::kDefaultFont},
    {"dibitmap", RtfWord::kPictureDib},
    {"dn", RtfWord::kSubscript},
    {"emdash", RtfWord::kEmDash},
    {"emfblip", RtfWord::kPictureOther},
    {"endash", RtfWord::kEnDash},
    {"f", RtfWord::kFont},
    {"fcharset", RtfWord::kFontCharset},
    {"filetbl", RtfWord::kSkipDestination},
    {"fonttbl", RtfWord::kFontTable},
    {"footer", RtfWord::kSkipDestination},
    {"footerf", RtfWord::kSkipDestination},
    {"footerl", RtfWord::kSkipDestination},
    {"footerr", RtfWord::kSkipDestination},
    {"footnote", RtfWord::kSkipDestination},
    {"fs", RtfWord::kFontSize},
    {"ftncn", RtfWord::kSkipDestination},
    {"ftnsep", RtfWord::kSkipDestination},
    {"ftnsepc", RtfWord::kSkipDestination},
    {"green", RtfWord::kGreen},
    {"header", RtfWord::kSkipDestination},
    {"headerf", RtfWord::kSkipDestination},
    {"headerl", RtfWord::kSkipDestination},
    {"headerr", RtfWord::kSkipDestination},
    {"highlight", RtfWord::kBackground},
    {"i", RtfWord::kItalic},
    {"info", RtfWord::kSkipDestination},
    {"jpegblip", RtfWord::kPictureJpeg},
    {"keepn", RtfWord::kKeepWithNext},
    {"keywords", RtfWord::kSkipDestination},
    {"ldblquote", RtfWord::kLeftDoubleQuote},
    {"line", RtfWord::kLine},
    {"listoverridetable", RtfWord::kSkipDestination},
    {"listtable", RtfWord::kSkipDestination},
    {"lquote", RtfWord::kLeftQuote},
    {"macpict", RtfWord::kPictureOther},
    {"nonshppict", RtfWord::kSkipDestination},
    {"nosupersub", RtfWord::kNoSuperSub},
    {"operator", RtfWord::kSkipDestination},
    {"page", RtfWord::kPage},
    {"par", RtfWord::kParagraph},
    {"pard", RtfWord::kPard},
    {"pichgoal", RtfWord::kPictureGoalHeight},
    {"picscalex", RtfWord::kPictureScaleX},
    {"picscaley", RtfWord::kPictureScaleY},
    {"pict", RtfWord::kPicture},
    {"picwgoal", RtfWord::kPictureGoalWidth},
    {"plain", RtfWord::kPlain},
    {"pmmetafile", RtfWord::kPictureOther},
    {"pngblip", RtfWord::kPicturePng},
    {"private", RtfWord::kSkipDestination},
    {"pxe", RtfWord::kSkipDestination},
    {"rdblquote", RtfWord::kRightDoubleQuote},
    {"red", RtfWord::kRed},
    {"revtbl", RtfWord::kSkipDestination},
    {"row", RtfWord::kParagraph},
    {"rquote", RtfWord::kRightQuote},
    {"rsidtbl", RtfWord::kSkipDestination},
    {"rxe", RtfWord::kSkipDestination},
    {"sect", RtfWord::kParagraph},
    {"shppict", RtfWord::kShapePicture},
    {"strike", RtfWord::kStrike},
    {"striked", RtfWord::kStrike},
    {"stylesheet", RtfWord::kSkipDestination},
    {"sub", RtfWord::kSubscript},
    {"subject", RtfWord::kSkipDestination},
    {"super", RtfWord::kSuperscript},
    {"tab", RtfWord::kTab},
    {"tc", RtfWord::kSkipDestination},
    {"template", RtfWord::kSkipDestination},
    {"title", RtfWord::kSkipDestination},
    {"txe", RtfWord::kSkipDestination},
    {"u", RtfWord::kUnicode},
    {"uc", RtfWord::kUnicodeSkip},
    {"ul", RtfWord::kUnderline},
    {"uld", RtfWord::kUnderline},
    {"uldash", RtfWord::kUnderline},
    {"uldashd", RtfWord::kUnderline},
    {"uldashdd", RtfWord::kUnderline},
    {"uldb", RtfWord::kUnderline},
    {"ulhwave", RtfWord::kUnderline},
    {"ulldash", RtfWord::kUnderline},
    {"ulnone", RtfWord::kUnderlineNone},
    {"ulth", RtfWord::kUnderline},
    {"ulthd", RtfWord::kUnderline},
    {"ulthdash", RtfWord::kUnderline},
    {"ulthdashd", RtfWord::kUnderline},
    {"ulthdashdd", RtfWord::kUnderline},
    {"ulthldash", RtfWord::kUnderline},
    {"ululdbwave", RtfWord::kUnderline},
    {"ulw", RtfWord::kUnderline},
    {"ulwave", RtfWord::kUnderline},
    {"up", RtfWord::kSuperscript},
    {"wbitmap", RtfWord::kPictureOther},
    {"wmetafile", RtfWord::kPictureOther},
    {"xe", RtfWord::kSkipDestination},
});

constexpr bool IsSorted() {
  for (size_t i = 1; i < kWords.size(); ++i) {
    if (!(kWords[i - 1].name < kWords[i].name)) {
      return false;
    }
  }
  return true;
}
static_assert(IsSorted(), "kWords must stay sorted by name");

}  // namespace

std::optional<RtfWord> LookUpRtfWord(std::string_view name) {
  const auto it = std::lower_bound(
      kWords.begin(), kWords.end(), name,
      [](const NamedWord& entry, std::string_view key) { return entry.name < key; });
  if (it == kWords.end() || it->name != name) {
    return std::nullopt;
  }
  return it->word;
}

}  // namespace fractions
