// Start-up, activation and closing of the window.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "caption.h"
#include "drawing/random.h"
#include "form.h"
#include "removable_drive.h"

namespace fractions {

namespace {

// What the print preview leaves in the working folder.
constexpr const char* kPreviewFiles[] = {"Temp0.EMF", "Temp1.EMF", "TWFile.txt"};

}  // namespace

void TForm1::FormCreate() {
  // The settings file's name is given to the settings store here.
}

void TForm1::FormActivate() {
  random_.SetSeed(TimeOfDaySeed());
  setWindowTitle(UnscrambledCaption());
  SetLamp(kLampGreen);
}

void TForm1::HidePreviewPane() {
  ScrollBox1->setVisible(false);
}

bool TForm1::FormCloseQuery() {
  HidePreviewPane();
  for (const char* name : kPreviewFiles) {
    QFile::remove(QDir::current().filePath(QString::fromLatin1(name)));  // missing: fine
  }
  if (IsOnRemovableDrive(QCoreApplication::applicationFilePath().toStdString())) {
    // Saving to a slow stick takes a while: say so before it starts.
    Panel3->move((width() - Panel3->width()) / 2, (height() - Panel3->height()) / 2);
    Panel3->setVisible(true);
    Panel3->raise();
    Panel3->repaint();
    repaint();
  }
  return true;
}

}  // namespace fractions
