#pragma once

#include <QFont>
#include <stdexcept>

namespace fractions {

// The fonts of the exercise-line pictures. Every position in a line is
// derived from text widths measured in these fonts, so they are loaded by
// exact family name and never substituted: a look-alike with other widths
// would shift every operand.
//  - line: question numbers, operators, "=", "et"; its "1000" is 24 pixels.
//  - operand: the numbers of a fraction.
//  - exponent: the small bold exponent of a power.
// Sizes are the 96-dpi pixel heights of 8, 9 and 7 points (11, 12, 9): the
// line layouts' offsets are counted in pixels of these fonts. All are drawn
// without anti-aliasing so that pictures are pure black on white.
struct LineFonts {
  QFont line;
  QFont operand;
  QFont exponent;
};

enum class LineFont { kLine, kOperand, kExponent };

// The family every line font uses, from Debian's fonts-liberation package.
inline constexpr const char* kLineFontFamily = "Liberation Sans";

class MissingFontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The fonts, loaded on first use. Needs a QGuiApplication. Throws
// MissingFontError (with a French message) when the family is not installed.
const LineFonts& GetLineFonts();
const QFont& GetLineFont(LineFont font);

}  // namespace fractions
