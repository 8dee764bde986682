#pragma once

#include <QRect>
#include <QSize>

namespace fractions {

// The outer rectangle moved, and shrunk where it is larger, so that it lies
// wholly inside `available` (a screen's area free of panels). A place kept
// from a projector or a second screen that is gone opens where it can be
// seen, never larger than the screen.
QRect KeptInside(const QRect& outer, const QRect& available);

// An outer rectangle of `outer` size centred in `available`, shrunk first
// where it is larger, so that no part of the window starts off the screen.
QRect CentredIn(const QSize& outer, const QRect& available);

}  // namespace fractions
