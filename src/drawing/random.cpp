#include "random.h"

#include <cassert>
#include <chrono>

namespace fractions {

int32_t LcgRandom::Random(int32_t n) {
  assert(n >= 1);
  seed_ = seed_ * 134775813u + 1u;
  const uint64_t product = uint64_t{seed_} * static_cast<uint32_t>(n);
  return static_cast<int32_t>(product >> 32);
}

uint32_t TimeOfDaySeed() {
  using namespace std::chrono;
  const auto now = system_clock::now().time_since_epoch();
  const auto since_midnight = duration_cast<milliseconds>(now) % days{1};
  return static_cast<uint32_t>(since_midnight.count());
}

}  // namespace fractions
