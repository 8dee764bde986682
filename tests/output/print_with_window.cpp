// Drives the window as a teacher would to print a class set: a worksheet,
// the two copy counts, a click on "Imprimer". A message box, if any, is
// closed and its text printed: "ERROR: <text>" for an error box, "NOTICE:
// <text>" for any other. For print_to_cups.sh.
//
// With --dialog, the preview is asked for first (which takes the session's
// printer, if there is a default one) and "CI" is opened: the program
// prints the printer the dialog offers ("DIALOG PRINTER: <name>"), the text
// of its accept button ("ACCEPT BUTTON: <text>") and
// whether the dialog's page range group shows once its options are
// expanded ("RANGE GROUP: shown" or "hidden"), leaves a range of page 1 and
// the even pages only in the printer's job options, as a range and a page
// set picked there would, and cancels.
// With --variants, "Sujets différents" is checked: a set of different
// worksheets. With --preview DIR, the preview is asked for first, and its
// two page pictures are saved as DIR/Image1.png and DIR/Image2.png, its
// page files copied to DIR.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "ui/form.h"

namespace {

// The key under which Qt's CUPS print engine keeps its job options.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

void PickARangeAndCancel(QPrintDialog& dialog) {
  std::printf("DIALOG PRINTER: %s\n", dialog.printer()->printerName().toUtf8().constData());
  for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>()) {
    if (const QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) {
      std::printf("ACCEPT BUTTON: %s\n", accept->text().toUtf8().constData());
    }
  }
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text().contains(">>")) {
      button->click();  // expands the options
    }
  }
  QApplication::processEvents();
  const QWidget* range = dialog.findChild<QWidget*>("gbPrintRange");
  std::printf("RANGE GROUP: %s\n", range != nullptr && range->isVisible() ? "shown" : "hidden");
  QPrintEngine* engine = dialog.printer()->printEngine();
  QStringList options = engine->property(kCupsOptions).toStringList();
  options << "page-ranges"
          << "1-1"
          << "page-set"
          << "even";
  engine->setProperty(kCupsOptions, options);
  dialog.reject();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: print_with_window SUBJECTS ANSWER_KEYS [--dialog | --variants | --preview DIR]\n");
    return 2;
  }
  QApplication app(argc, argv);
  QTemporaryDir folder;  // the settings, and the preview's files
  QDir::setCurrent(folder.path());
  fractions::TForm1 form(nullptr, folder.filePath("print.ini").toStdString());
  form.show();
  form.findChild<QPushButton*>("btnReduc")->click();
  form.findChild<QSpinBox*>("spSujets")->setValue(QString(argv[1]).toInt());
  form.findChild<QSpinBox*>("spCorriges")->setValue(QString(argv[2]).toInt());
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
      PickARangeAndCancel(*dialog);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      const bool error = box->icon() == QMessageBox::Critical;
      std::printf("%s: %s\n", error ? "ERROR" : "NOTICE", box->text().toUtf8().constData());
      box->accept();
    }
  });
  watcher.start(50);
  if (argc > 3 && QString(argv[3]) == "--variants") {
    form.findChild<QCheckBox*>("ckbVariantes")->setChecked(true);
  }
  if (argc > 4 && QString(argv[3]) == "--preview") {
    const QDir out(argv[4]);
    form.findChild<QPushButton*>("btnApercu")->click();
    for (const char* image : {"Image1", "Image2"}) {
      form.findChild<QLabel*>(image)->pixmap().save(out.filePath(QString(image) + ".png"));
    }
    for (const char* page : {"Temp0.EMF", "Temp1.EMF"}) {
      QFile::copy(page, out.filePath(page));
    }
  }
  if (argc > 3 && QString(argv[3]) == "--dialog") {
    form.findChild<QPushButton*>("btnApercu")->click();
    form.findChild<QPushButton*>("btnChoixImp")->click();
  }
  form.findChild<QPushButton*>("btnImprime")->click();
  std::printf("name: %s\n", form.DocumentName().c_str());
  std::fflush(stdout);
  QDir::setCurrent(QDir::rootPath());
  return 0;
}
