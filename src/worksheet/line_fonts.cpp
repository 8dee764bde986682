#include "line_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <optional>

namespace fractions {

namespace {

QFont MakeFont(int pixel_size, bool bold) {
  QFont font(kLineFontFamily);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  // No grey edge pixels, no glyphs borrowed from other families, and the
  // same hinted advances on every machine.
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

bool IsExactFamily(const QFont& font) {
  return QFontInfo(font).family() == kLineFontFamily;
}

}  // namespace

const LineFonts& GetLineFonts() {
  static std::optional<LineFonts> fonts;
  if (fonts) {
    return *fonts;
  }
  if (QGuiApplication::instance() == nullptr) {
    throw MissingFontError("Les polices ne peuvent être chargées sans QGuiApplication.");
  }
  LineFonts loaded{MakeFont(11, false), MakeFont(12, false), MakeFont(9, true)};
  if (!QFontDatabase::families().contains(kLineFontFamily) || !IsExactFamily(loaded.line) ||
      !IsExactFamily(loaded.operand) || !IsExactFamily(loaded.exponent)) {
    throw MissingFontError(
        "La police « Liberation Sans » est introuvable : installez le paquet fonts-liberation.");
  }
  fonts = loaded;
  return *fonts;
}

const QFont& GetLineFont(LineFont font) {
  const LineFonts& fonts = GetLineFonts();
  switch (font) {
    case LineFont::kLine:
      break;
    case LineFont::kOperand:
      return fonts.operand;
    case LineFont::kExponent:
      return fonts.exponent;
  }
  return fonts.line;
}

}  // namespace fractions
