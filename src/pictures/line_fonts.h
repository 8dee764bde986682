#pragma once

#include <QFont>
#include <QString>
#include <cstddef>
#include <stdexcept>

#include "print_sizes.h"

namespace fractions {

// The fonts of the exercise-line pictures. Every position in a line is
// derived from text widths measured in these fonts, and every pixel of a
// picture from their glyphs, so they are drawn from one pinned pair of font
// files, never from whatever family fontconfig matches: two revisions of
// the same family draw different pixels (one with a filled degree sign,
// spurs on the zeros).
//  - line: question numbers, operators, "=", "et"; its "1000" is 24 pixels.
//  - operand: the numbers of a fraction.
//  - exponent: the small bold exponent of a power.
//  - bold operand: a number of a fraction set in bold, the term a pupil
//    had to find.
// Sizes are the 96-dpi pixel heights of 8, 9 and 7 points (11, 12, 9): the
// line layouts' offsets are counted in pixels of these fonts. A larger
// layout draws them at its scale of those points (16, 18, 14 at 3:2). All
// are drawn without anti-aliasing so that pictures are pure black on white.
struct LineFonts {
  QFont line;
  QFont operand;
  QFont exponent;
  QFont bold_operand;
};

enum class LineFont { kLine, kOperand, kExponent, kBoldOperand };
inline constexpr size_t kLineFontCount = 4;

// The family the files hold, from Debian's fonts-liberation package.
inline constexpr const char* kLineFontFamily = "Liberation Sans";
// Where that package puts the files, and the revision they must be.
inline constexpr const char* kLineFontFolder = "/usr/share/fonts/truetype/liberation";
inline constexpr int kLineFontMajor = 1;
inline constexpr int kLineFontHundredths = 7;
// The private name the files are registered under: fontconfig, which
// matches by family, then cannot pick another Liberation Sans file instead.
inline constexpr const char* kPinnedLineFamily = "Fractlines Sans";

class MissingFontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The fonts, loaded on first use from the files in kLineFontFolder, at the
// standard size or at a layout's scale. Needs a QGuiApplication. Throws
// MissingFontError (with a French message) when a file is missing,
// unreadable or of another revision.
const LineFonts& GetLineFonts(LineScale scale = {});
const QFont& GetLineFont(LineFont font, LineScale scale = {});

// Loads the regular and bold files of `folder` under the private family,
// as GetLineFonts does, and returns the fonts. Each call registers the
// files again: GetLineFonts calls it once for the program.
LineFonts LoadLineFonts(const QString& folder);

}  // namespace fractions
