#pragma once

#include <cstdint>

namespace fractions {

// A whole-number setting: what it may be, and what it is until the teacher
// changes it. The window's spin boxes, the command line and the worksheet
// build all read the same ones.
struct SettingRange {
  int32_t min;
  int32_t max;
  int32_t default_value;
};

}  // namespace fractions
