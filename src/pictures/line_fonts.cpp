#include "line_fonts.h"

#include <fontconfig/fontconfig.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "font_file.h"

namespace fractions {

namespace {

constexpr const char* kRegularFile = "LiberationSans-Regular.ttf";
constexpr const char* kBoldFile = "LiberationSans-Bold.ttf";

// The family word replaced in the files' names; kPinnedLineFamily is the
// family with this word changed, same length, so no table moves.
constexpr std::string_view kFamilyWord = "Liberation";
constexpr std::string_view kPinnedWord = "Fractlines";
static_assert(kFamilyWord.size() == kPinnedWord.size());
static_assert(std::string_view(kPinnedLineFamily).starts_with(kPinnedWord));
static_assert(std::string_view(kLineFontFamily).starts_with(kFamilyWord));

constexpr const char* kMissing =
    "La police « Liberation Sans » est introuvable : installez le paquet fonts-liberation.";

// Fontconfig settings for the private family, whatever the user's own
// rules say: an "autohint" rule would replace the font's own hinting and
// move pixels. Loaded after every other rule, so it has the last word.
std::string FontconfigRule() {
  return std::string(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <match target="font">
    <test name="family"><string>)") +
         kPinnedLineFamily + R"(</string></test>
    <edit name="autohint" mode="assign"><bool>false</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
    <edit name="antialias" mode="assign"><bool>false</bool></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
)";
}

void AddFontconfigRule() {
  static const bool added = [] {
    FcInit();
    const std::string rule = FontconfigRule();
    return FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                          reinterpret_cast<const FcChar8*>(rule.c_str()),
                                          FcTrue) == FcTrue;
  }();
  (void)added;  // without the rule the fonts still load; only a user's autohint would show
}

// Reads one file, checks its revision and registers it under the private
// family.
void RegisterFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw MissingFontError(kMissing);
  }
  std::string bytes = file.readAll().toStdString();
  const std::optional<int32_t> revision = FontRevision(bytes);
  if (!revision || !IsRevision(*revision, kLineFontMajor, kLineFontHundredths)) {
    throw MissingFontError("Le fichier « " + path.toStdString() +
                           " » n'est pas la révision 1.07 de la police « Liberation Sans » : "
                           "réinstallez le paquet fonts-liberation.");
  }
  if (RenameFontFamily(bytes, kFamilyWord, kPinnedWord) == 0 ||
      QFontDatabase::addApplicationFontFromData(QByteArray::fromStdString(bytes)) < 0) {
    throw MissingFontError("La police « " + path.toStdString() +
                           " » ne peut être chargée : réinstallez le paquet fonts-liberation.");
  }
}

QFont MakeFont(int pixel_size, bool bold) {
  QFont font(kPinnedLineFamily);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  // No grey edge pixels, no glyphs borrowed from other families, and the
  // same hinted advances on every machine.
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

// The point sizes of the line, operand and exponent fonts.
constexpr int kLinePoints = 8;
constexpr int kOperandPoints = 9;
constexpr int kExponentPoints = 7;

LineFonts MakeLineFonts(LineScale scale) {
  return {MakeFont(scale.FontPixels(kLinePoints), false),
          MakeFont(scale.FontPixels(kOperandPoints), false),
          MakeFont(scale.FontPixels(kExponentPoints), true),
          MakeFont(scale.FontPixels(kOperandPoints), true)};
}

bool IsPinned(const QFont& font) {
  const QFontInfo info(font);
  return info.family() == kPinnedLineFamily && info.bold() == font.bold();
}

}  // namespace

LineFonts LoadLineFonts(const QString& folder) {
  if (QGuiApplication::instance() == nullptr) {
    throw MissingFontError("Les polices ne peuvent être chargées sans QGuiApplication.");
  }
  QFontDatabase::families();  // fontconfig set up before the rule is added
  AddFontconfigRule();
  const QDir dir(folder);
  RegisterFile(dir.filePath(kRegularFile));
  RegisterFile(dir.filePath(kBoldFile));
  LineFonts fonts = MakeLineFonts({});
  if (!IsPinned(fonts.line) || !IsPinned(fonts.operand) || !IsPinned(fonts.exponent) ||
      !IsPinned(fonts.bold_operand)) {
    throw MissingFontError(kMissing);
  }
  return fonts;
}

const LineFonts& GetLineFonts(LineScale scale) {
  static std::optional<LineFonts> standard;
  if (!standard) {
    standard = LoadLineFonts(kLineFontFolder);
  }
  if (scale == LineScale()) {
    return *standard;
  }
  // The same registered files at the scale's sizes, made once per scale.
  static std::map<std::pair<int, int>, LineFonts> scaled;
  const std::pair<int, int> key{scale.Numerator(), scale.Denominator()};
  if (const auto found = scaled.find(key); found != scaled.end()) {
    return found->second;
  }
  return scaled.emplace(key, MakeLineFonts(scale)).first->second;
}

const QFont& GetLineFont(LineFont font, LineScale scale) {
  const LineFonts& fonts = GetLineFonts(scale);
  switch (font) {
    case LineFont::kLine:
      break;
    case LineFont::kOperand:
      return fonts.operand;
    case LineFont::kExponent:
      return fonts.exponent;
    case LineFont::kBoldOperand:
      return fonts.bold_operand;
  }
  return fonts.line;
}

}  // namespace fractions
