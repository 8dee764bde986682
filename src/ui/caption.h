#pragma once

#include <QString>

namespace fractions {

// The window caption. It is kept scrambled in the program (every character
// code raised by a fixed offset) and unscrambled when shown.
QString UnscrambledCaption();

}  // namespace fractions
