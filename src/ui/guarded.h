#pragma once

#include <QString>
#include <QWidget>
#include <exception>

#include "error_display.h"

namespace fractions {

// Runs a handler body; a failure ends the handler and reaches the user in
// the error box, as every handler's failures do.
template <typename Body>
void Guarded(QWidget* window, Body&& body) {
  try {
    body();
  } catch (const std::exception& error) {
    ShowErrorDisplay(window, QString::fromUtf8(error.what()));
  }
}

}  // namespace fractions
