// Drives the window as a teacher would to print a class set: a worksheet,
// the two copy counts, a click on "Imprimer". An error box, if any, is
// closed and its text printed as "ERROR: <text>". For print_to_cups.sh.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "ui/form.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: print_with_window SUBJECTS ANSWER_KEYS\n");
    return 2;
  }
  QApplication app(argc, argv);
  QTemporaryDir settings;
  fractions::TForm1 form(nullptr, settings.filePath("print.ini").toStdString());
  form.show();
  form.findChild<QPushButton*>("btnReduc")->click();
  form.findChild<QSpinBox*>("spSujets")->setValue(QString(argv[1]).toInt());
  form.findChild<QSpinBox*>("spCorriges")->setValue(QString(argv[2]).toInt());
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::printf("ERROR: %s\n", box->text().toUtf8().constData());
      box->accept();
    }
  });
  watcher.start(50);
  form.findChild<QPushButton*>("btnImprime")->click();
  std::printf("name: %s\n", form.DocumentName().c_str());
  return 0;
}
