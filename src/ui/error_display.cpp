#include "error_display.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace fractions {

QString WithFullStop(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() > u'.') {
    return message + QLatin1Char('.');
  }
  return message;
}

QString ApplicationTitle() {
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void ShowErrorDisplay(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, ApplicationTitle(), WithFullStop(message));
}

}  // namespace fractions
