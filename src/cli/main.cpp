#include <QGuiApplication>
#include <iostream>
#include <string>
#include <vector>

#include "cli_app.h"

namespace {

// Qt's own notices (about the runtime folder, fonts, ...) would only clutter
// a tool's standard error; real failures reach the user as exceptions.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::cerr << "fractions-cli : " << message.toStdString() << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(KeepQtQuiet);
  // The pictures need Qt's fonts, hence an application object; the
  // generator never shows a window, so it needs no display either.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return fractions::RunCli(args, std::cout, std::cerr);
}
