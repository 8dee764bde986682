#pragma once

#include <QGuiApplication>

namespace fractions {

// The busy cursor for as long as a piece of work lasts, however it ends:
// a run, or a save that draws hundreds of sharp pictures.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace fractions
