#include "window_placement.h"

#include <algorithm>
#include <cstdint>

namespace fractions {

namespace {

// One axis: where a span of `length` starting at `start` goes to lie inside
// [first, first + room). Computed in 64 bits: stored places may hold any
// 32-bit value.
struct Span {
  int start;
  int length;
};

Span KeptInsideSpan(int64_t start, int64_t length, int64_t first, int64_t room) {
  room = std::max<int64_t>(room, 0);
  const int64_t kept_length = std::clamp<int64_t>(length, 0, room);
  const int64_t kept_start = std::clamp<int64_t>(start, first, first + room - kept_length);
  return {static_cast<int>(kept_start), static_cast<int>(kept_length)};
}

}  // namespace

QRect KeptInside(const QRect& outer, const QRect& available) {
  const Span x = KeptInsideSpan(outer.x(), outer.width(), available.x(), available.width());
  const Span y = KeptInsideSpan(outer.y(), outer.height(), available.y(), available.height());
  return QRect(x.start, y.start, x.length, y.length);
}

QRect CentredIn(const QSize& outer, const QRect& available) {
  const QSize kept = outer.boundedTo(available.size());
  const QPoint corner(available.x() + (available.width() - kept.width()) / 2,
                      available.y() + (available.height() - kept.height()) / 2);
  return QRect(corner, kept);
}

}  // namespace fractions
