#include "centre_on_screen.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "window_placement.h"

namespace fractions {

namespace {

QMargins FrameOf(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle == nullptr ? QMargins() : handle->frameMargins();
}

void CentreNow(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) {
    return;
  }
  const QSize outer = window->size().grownBy(FrameOf(window));
  window->move(CentredIn(outer, screen->availableGeometry()).topLeft());
}

// Centres its window once more when the frame becomes known, then goes.
class CentreWhenFramed : public QObject {
 public:
  explicit CentreWhenFramed(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (watched == window_ && (type == QEvent::Move || type == QEvent::Show) &&
        window_->isVisible() && !FrameOf(window_).isNull()) {
      window_->removeEventFilter(this);
      CentreNow(window_);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* window_;
};

}  // namespace

void CentreOnScreen(QWidget* window) {
  CentreNow(window);
  if (FrameOf(window).isNull()) {
    new CentreWhenFramed(window);
  }
}

}  // namespace fractions
