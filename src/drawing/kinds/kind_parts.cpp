#include "kind_parts.h"

namespace fractions {

std::string FractionText(int32_t num, int32_t den) {
  return den == 1 ? std::to_string(num) : std::to_string(num) + "/" + std::to_string(den);
}

}  // namespace fractions
