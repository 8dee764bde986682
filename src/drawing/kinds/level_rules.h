#pragma once

#include <cstdint>

#include "drawing/exercise_options.h"

// What a class level asks of its questions beyond its options: nothing a
// pupil answers without working (a − a, n/n, a power 0 or 1), and whole
// numbers no more often than a textbook sets them. "Libre" asks none of it
// and draws as it always has.
namespace fractions {

inline bool AtLevel(const ExerciseOptions& options) {
  return options.level != Level::kFree;
}

// At most one question in `one_in` of a sheet of `count` of some sort (a
// whole-number operand, a whole result), counted over the sheet as it is
// drawn: a sheet of fewer than `one_in` questions holds none.
class SheetShare {
 public:
  SheetShare(int32_t count, int32_t one_in) : one_in_(one_in), limit_(count / one_in) {}

  bool Allows(bool of_the_sort) const { return !of_the_sort || drawn_ < limit_; }
  void Add(bool of_the_sort) { drawn_ += of_the_sort ? 1 : 0; }

  // The most questions a sheet can hold when the drawing ran out of new
  // ones after `found`, those of the sort counted here among them: every
  // other one, and as many of the sort as that sheet's share allows. When
  // this sheet's share was full there may be more of the sort, but a
  // smaller sheet's share is no larger, so the number is exact either way.
  int32_t Available(int32_t found) const;

 private:
  int32_t one_in_;
  int32_t limit_;
  int32_t drawn_ = 0;
};

}  // namespace fractions
