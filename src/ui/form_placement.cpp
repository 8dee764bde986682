// Where the window opens and how large: the stored outer rectangle or the
// centre of the screen, the smallest outer size, and the normal place the
// settings file keeps whatever the window's state.
#include <QGuiApplication>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <utility>

#include "form.h"
#include "guarded.h"
#include "window_placement.h"

namespace fractions {

namespace {

// The smallest size of the window, frame included.
constexpr QSize kMinimumOuterSize{640, 400};

QSize SizeOf(const QMargins& frame) {
  return QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

constexpr Qt::WindowStates kNotNormal =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

QMargins TForm1::FrameMargins() const {
  const QWindow* window = windowHandle();
  return window == nullptr ? QMargins() : window->frameMargins();
}

QRect TForm1::AvailableArea(const QRect& outer) const {
  const QScreen* screen = QGuiApplication::screenAt(outer.center());
  if (screen == nullptr) {
    screen = this->screen();
  }
  return screen == nullptr ? outer : screen->availableGeometry();
}

void TForm1::SetOuterGeometry(const QRect& outer) {
  pending_place_ = PendingPlace::kOuter;
  pending_outer_ = outer;
  if (isVisible()) {
    PlaceWindow();
  }
}

void TForm1::SetStateWhenPlaced(Qt::WindowState state) {
  state_when_placed_ = state;
}

// Places the window with the frame as far as it is known: none before the
// window manager has framed the window.
void TForm1::PlaceWindow() {
  const QMargins frame = FrameMargins();
  setMinimumSize(kMinimumOuterSize - SizeOf(frame));
  QRect outer;
  switch (pending_place_) {
    case PendingPlace::kNone:
      return;
    case PendingPlace::kCentre:
      outer = CentredIn(size() + SizeOf(frame), AvailableArea(frameGeometry()));
      break;
    case PendingPlace::kOuter:
      outer = KeptInside(pending_outer_, AvailableArea(pending_outer_));
      break;
  }
  move(outer.topLeft());  // a window moves by its frame's corner
  resize(outer.size() - SizeOf(frame));
  normal_place_ = {QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), size()), frame};
  previous_normal_place_ = normal_place_;
}

// The window stands where it belongs, frame included if it has one: it may
// now take the state it had.
void TForm1::FinishPlacement() {
  if (!FrameMargins().isNull()) {
    PlaceWindow();
  }
  pending_place_ = PendingPlace::kNone;
  const Qt::WindowState state = std::exchange(state_when_placed_, Qt::WindowNoState);
  if (state == Qt::WindowMaximized) {
    setWindowState(windowState() | Qt::WindowMaximized);
  } else if (state == Qt::WindowMinimized) {
    showMinimized();
  }
}

void TForm1::setVisible(bool visible) {
  if (visible && !shown_once_) {
    // First show: the settings store restores before the window appears,
    // so that a restored place needs no jump.
    shown_once_ = true;
    Guarded(this, [this] { FormStorage1().RestoreOnShow(); });
    PlaceWindow();
  }
  QWidget::setVisible(visible);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  OnGeometryChanged();
}

void TForm1::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  OnGeometryChanged();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layout_.Apply(event->size());
  OnGeometryChanged();
}

// Under X11 the frame becomes known when the window manager reparents the
// window into it, and a move event follows: the pending place is applied
// again then, now with the frame, and gives the stored rectangle exactly.
void TForm1::OnGeometryChanged() {
  if (!isVisible()) {
    return;
  }
  if (pending_place_ != PendingPlace::kNone || state_when_placed_ != Qt::WindowNoState) {
    if (!FrameMargins().isNull()) {
      FinishPlacement();
    }
    return;
  }
  RememberNormalPlace();
}

void TForm1::RememberNormalPlace() {
  if (windowState() & kNotNormal) {
    return;
  }
  const NormalPlace now{geometry(), FrameMargins()};
  if (now != normal_place_) {
    previous_normal_place_ = normal_place_;
    normal_place_ = now;
  }
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isVisible() ||
      pending_place_ != PendingPlace::kNone) {
    return;
  }
  if (!(windowState() & kNotNormal)) {
    RememberNormalPlace();  // back to normal, where the window manager put it
    return;
  }
  // A window manager may send the maximized size before the new state: that
  // size was then taken for a normal place, and the one before it is right.
  const QRect outer = normal_place_.client.marginsAdded(normal_place_.frame);
  if (outer.contains(AvailableArea(outer))) {
    normal_place_ = previous_normal_place_;
  }
}

QRect TForm1::NormalOuterRect() const {
  const bool normal_now = pending_place_ == PendingPlace::kNone && !(windowState() & kNotNormal);
  if (normal_now || !normal_place_.client.isValid()) {
    return frameGeometry();  // shown as it is, or never placed yet
  }
  return normal_place_.client.marginsAdded(normal_place_.frame);
}

}  // namespace fractions
