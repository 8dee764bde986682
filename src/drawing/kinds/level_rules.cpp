#include "level_rules.h"

#include <algorithm>

namespace fractions {

int32_t SheetShare::Available(int32_t found) const {
  const int32_t others = found - drawn_;
  int32_t n = found;
  while (n > 0 && others + std::min(drawn_, n / one_in_) < n) {
    --n;
  }
  return n;
}

}  // namespace fractions
