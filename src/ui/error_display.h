#pragma once

#include <QString>

class QWidget;

namespace fractions {

// The message as the error box shows it: a full stop is added when the last
// character's code is greater than that of ".".
QString WithFullStop(const QString& message);

// Shows an error in a modal box with the error icon, titled with the
// application's title. Every handler's failure reaches the user this way.
void ShowErrorDisplay(QWidget* parent, const QString& message);

// The application's title: the program file's name without extension.
QString ApplicationTitle();

}  // namespace fractions
