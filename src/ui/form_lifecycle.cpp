// Start-up, activation and closing of the window.
#include <QCoreApplication>
#include <QStandardPaths>

#include "caption.h"
#include "drawing/random.h"
#include "form.h"
#include "removable_drive.h"
#include "settings/settings_path.h"

namespace fractions {

void TForm1::FormCreate(const std::filesystem::path& settings_file) {
  if (!settings_file.empty()) {
    FormStorage1().SetIniFileName(settings_file);
    return;
  }
  const std::string program = QCoreApplication::applicationFilePath().toStdString();
  const std::string config =
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
  const SettingsFiles files = ChooseSettingsFiles(program, config);
  FormStorage1().SetIniFileName(files.file);
  FormStorage1().SetFirstReadFile(files.first_read);
}

void TForm1::FormActivate() {
  random_.SetSeed(TimeOfDaySeed());
  setWindowTitle(UnscrambledCaption());
  SetLamp(kLampGreen);
}

void TForm1::HidePreviewPane() {
  if (preview_window_ != nullptr) {
    preview_window_->hide();
  } else {
    ScrollBox1->setVisible(false);
  }
}

bool TForm1::FormCloseQuery() {
  HidePreviewPane();
  // Only what the preview wrote: the same names in the working folder may
  // be a teacher's own files.
  preview_files_.RemoveAll();
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
