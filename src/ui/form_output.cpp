// Saving, printing and the print preview.
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QScrollBar>
#include <QVBoxLayout>

#include "busy_cursor.h"
#include "centre_on_screen.h"
#include "error_display.h"
#include "form.h"
#include "french_file_details.h"
#include "output/preview_files.h"
#include "output/print_views.h"
#include "output/rich_edit_emf_print.h"
#include "output/save_views.h"
#include "richtext/qt_text.h"

namespace fractions {

namespace {

// Every job prints whole documents, so the print dialog offers no page
// range: it would show its range group once its options are expanded, even
// with page ranges turned off.
class PageRangeHider : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      static_cast<QWidget*>(watched)->hide();
    }
    return QObject::eventFilter(watched, event);
  }
};

void HidePageRange(QPrintDialog& dialog) {
  if (auto* range = dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange"))) {
    range->hide();
    range->installEventFilter(new PageRangeHider(range));
  }
}

// The dialog only chooses the printer and its settings for the next
// prints: its accept button must not promise to print.
void CallAcceptButtonChoose(QPrintDialog& dialog) {
  for (auto* buttons : dialog.findChildren<QDialogButtonBox*>()) {
    if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) {
      accept->setText(QStringLiteral("Choisir"));
    }
  }
}

}  // namespace

QPrinter& TForm1::CurrentPrinter() {
  if (!printer_) {
    printer_ = DefaultPrinter();
  }
  return *printer_;
}

void TForm1::btnEnregistreClick() {
  if (set_in_progress_ || (VariantSetAsked() && spSujets->value() == 0)) {
    return;  // a set of no worksheet saves nothing
  }
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  // Qt's own dialog, which speaks French with the program; a desktop's
  // native one (GTK's on GNOME) would follow the system's language instead.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  ShowFileDetailsInFrench(dialog);
  if (!SaveDialog1.initial_dir.isEmpty()) {
    dialog.setDirectory(SaveDialog1.initial_dir);
  }
  dialog.selectFile(ToQString(document_name_) + ".rtf");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return;
  }
  if (VariantSetAsked()) {
    SaveVariantSet(dialog.selectedFiles().first());
    return;
  }
  // Saving leaves each view's whole text selected.
  const auto whole = [](TRxRichEdit* view) {
    return [view] {
      view->SelectAllText();
      return view->StreamRange();
    };
  };
  const BusyCursor busy;
  SaveWorksheet(whole(RxE1), whole(RxE2), dialog.selectedFiles().first());
}

void TForm1::btnImprimeClick() {
  if (set_in_progress_ || RxE1->LineCount() < 1 ||
      (spSujets->value() == 0 && spCorriges->value() == 0)) {
    return;
  }
  if (VariantSetAsked()) {
    PrintVariantSet();
    return;
  }
  TellHowPrintingWent(PrintClassSet(*RxE1->document(), *RxE2->document(), spSujets->value(),
                                    spCorriges->value(), CurrentPrinter()));
}

void TForm1::TellHowPrintingWent(const ClassSetReport& report) {
  const QString said = ClassSetMessage(report);
  if (said.isEmpty()) {
    return;
  }
  if (report.jobs_not_started > 0) {
    QMessageBox::warning(this, ApplicationTitle(), said);
  } else {
    QMessageBox::information(this, ApplicationTitle(), said);
  }
}

void TForm1::btnChoixImpClick() {
  const bool offered = !printer_;  // no printer of the session yet: one is offered
  if (offered) {
    printer_ = PrinterToChoose();
  }
  QPrintDialog dialog(printer_.get(), this);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  HidePageRange(dialog);
  CallAcceptButtonChoose(dialog);
  // On confirmation the printer keeps the choices made. Cancelled, an
  // offered printer was not chosen: "Imprimer" still wants a default one.
  if (dialog.exec() != QDialog::Accepted && offered) {
    printer_.reset();
  }
}

void TForm1::btnApercuClick() {
  const std::optional<QDir> folder = preview_files_.Folder(QDir::current());
  if (!folder) {
    return;  // no folder takes a file: no preview, silently
  }
  preview_files_.RemovePages(*folder);
  Image1->clear();
  Image2->clear();
  int pages = 0;
  if (WriteTest(*folder, preview_files_.Written())) {
    std::unique_ptr<QPrinter> a4;
    QPrinter* reference = nullptr;
    try {
      reference = &CurrentPrinter();
    } catch (const PrintError&) {
      a4 = SheetWithoutPrinter();
      reference = a4.get();
    }
    pages = RichEditToEMF(*RxE1->document(), *folder, *reference, preview_files_.Written());
  }
  QLabel* const images[kPreviewPageCount] = {Image1, Image2};
  for (int page = 0; page < pages; ++page) {
    // Drawn for the screen's own pixels: a scaled screen would otherwise
    // enlarge a blurred copy.
    const qreal ratio = images[page]->devicePixelRatioF();
    QPixmap picture = QPixmap::fromImage(
        PreviewPagePicture(PreviewPageFile(*folder, page), images[page]->size() * ratio));
    picture.setDevicePixelRatio(ratio);
    images[page]->setPixmap(picture);
  }
  ScrollBox1->verticalScrollBar()->setValue(0);
  ShowPreviewPane();
}

// The pane floats in a tool window of its own that stays on top, placed
// centred on the screen the first time and reused afterwards.
void TForm1::ShowPreviewPane() {
  if (preview_window_ == nullptr) {
    preview_window_ = new QWidget(this, Qt::Tool | Qt::WindowStaysOnTopHint);
    preview_window_->setObjectName("ScrollBox1Window");
    preview_window_->setWindowTitle("Aperçu");
    auto* layout = new QVBoxLayout(preview_window_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox1);
    preview_window_->resize(ScrollBox1->width(), 497);
    CentreOnScreen(preview_window_);
  }
  ScrollBox1->setVisible(true);
  preview_window_->show();
  preview_window_->raise();
}

}  // namespace fractions
