#include "caption.h"

#include <array>

namespace fractions {

namespace {

constexpr char16_t kOffset = 7;

// "Fractions – feuilles d'exercices", each code raised by kOffset.
constexpr std::array<char16_t, 32> kScrambled = {
    0x004D, 0x0079, 0x0068, 0x006A, 0x007B, 0x0070, 0x0076, 0x0075, 0x007A, 0x0027, 0x201A,
    0x0027, 0x006D, 0x006C, 0x007C, 0x0070, 0x0073, 0x0073, 0x006C, 0x007A, 0x0027, 0x006B,
    0x002E, 0x006C, 0x007F, 0x006C, 0x0079, 0x006A, 0x0070, 0x006A, 0x006C, 0x007A};

}  // namespace

QString UnscrambledCaption() {
  QString caption;
  for (const char16_t code : kScrambled) {
    caption += QChar(static_cast<char16_t>(code - kOffset));
  }
  return caption;
}

}  // namespace fractions
