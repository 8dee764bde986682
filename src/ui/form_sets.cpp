// "Sujets différents": class sets where every pupil gets a worksheet of his
// own, each with its answer key. The first worksheet of a set is the views'
// (hand edits included); the others are drawn anew, every exercise of the
// sheet with the settings of the run that made it.
#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTextBlock>
#include <QTextCursor>
#include <memory>
#include <stdexcept>
#include <vector>

#include "busy_cursor.h"
#include "error_display.h"
#include "form.h"
#include "output/print_views.h"
#include "output/save_views.h"
#include "richtext/document_pages.h"
#include "richtext/qt_text.h"
#include "richtext/rtf_reader.h"
#include "scoped_flag.h"
#include "worksheet/class_set.h"

namespace fractions {

namespace {

const QString kSaveHint = QStringLiteral("Enregistrer sujets et/ou corrigés dans un fichier RTF");
const QString kSaveSetHint = QStringLiteral(
    "Enregistrer les sujets différents et leurs corrigés, un par page : de quoi vérifier chaque "
    "sujet avant de l'imprimer");

// The worksheets 2 to N of a set, as documents a view would hold, and what
// the teacher is told once the set is printed or saved when its settings
// give few different questions (empty when they give enough).
struct DrawnWorksheets {
  std::vector<std::unique_ptr<QTextDocument>> subjects;
  std::vector<std::unique_ptr<QTextDocument>> answer_keys;
  QString shared_questions;
};

// The progress of a set, shown once it lasts over half a second; the
// window takes no input meanwhile.
std::unique_ptr<QProgressDialog> SetProgress(QWidget* window, int steps) {
  auto progress =
      std::make_unique<QProgressDialog>(QStringLiteral("Préparation des sujets différents…"),
                                        QStringLiteral("Annuler"), 0, steps, window);
  progress->setWindowTitle(ApplicationTitle());
  progress->setWindowModality(Qt::WindowModal);
  progress->setMinimumDuration(500);
  progress->setAutoClose(false);
  progress->setAutoReset(false);
  progress->setValue(0);
  return progress;
}

// The views' worksheet as the first of a set of `count`: its headers say
// "Sujet 1/N" and "Corrigé 1/N" after the document name, as those of the
// worksheets drawn for the set do, so that a printed pile can be sorted.
// The views themselves are left as they are.
struct FirstWorksheet {
  std::unique_ptr<QTextDocument> subject;
  std::unique_ptr<QTextDocument> answer_key;
};

FirstWorksheet MarkedAsFirst(const QTextDocument& subject, const QTextDocument& answer_key,
                             const std::string& name, int count) {
  const QString document_name = ToQString(name);
  const QString place = QStringLiteral(" 1/%1").arg(count);
  FirstWorksheet first{std::unique_ptr<QTextDocument>(subject.clone()),
                       std::unique_ptr<QTextDocument>(answer_key.clone())};
  MarkHeader(*first.subject, document_name, QStringLiteral(" - Sujet") + place);
  const QString answer_label = QStringLiteral(" - Corrigé");
  if (!MarkHeader(*first.answer_key, document_name + answer_label, place)) {
    MarkHeader(*first.answer_key, document_name, answer_label + place);
  }
  return first;
}

// One document holding `first` and then `others`, one per page.
std::unique_ptr<QTextDocument> OnePerPage(
    std::unique_ptr<QTextDocument> first,
    const std::vector<std::unique_ptr<QTextDocument>>& others) {
  for (const auto& document : others) {
    AppendOnNewPage(*first, *document);
  }
  return first;
}

// Draws and builds the worksheets 2 to `count` of the set, each exercise
// of the sheet with its own settings, each worksheet different from the
// others and from the views' sheet (`first`). Nothing when the teacher
// cancels.
std::optional<DrawnWorksheets> DrawSet(const Sheet& sheet, const std::vector<QuestionSet>& first,
                                       uint32_t seed, int count, QProgressDialog& progress) {
  DrawnWorksheets set;
  const uint32_t first_seed = NextVariantSeed(seed);
  const auto built = BuildClassSet(
      {sheet, first_seed, count - 1, {first}}, [&](const SetWorksheet& worksheet, int done) {
        set.subjects.push_back(DocumentAsViewed(worksheet.documents.subject));
        set.answer_keys.push_back(DocumentAsViewed(worksheet.documents.answer_key));
        progress.setValue(done);
        return !progress.wasCanceled();
      });
  if (!built) {
    return std::nullopt;
  }
  set.shared_questions = QString::fromStdString(SharedQuestionsWarning(sheet, first_seed, count));
  return set;
}

// A set is refused before anything is printed or written when it would
// hold more worksheets than a set may.
void CheckSetSize(int count) {
  if (count > kMaxVariants) {
    throw std::out_of_range(QStringLiteral("« Sujets différents » : au plus %1 sujets, et non %2")
                                .arg(kMaxVariants)
                                .arg(count)
                                .toStdString());
  }
}

SavedRange Whole(QTextDocument& document) {
  return [&document] {
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    return cursor;
  };
}

}  // namespace

void TForm1::ckbVariantesClick() {
  btnEnregistre->setToolTip(ckbVariantes->isChecked() ? kSaveSetHint : kSaveHint);
}

bool TForm1::VariantSetAsked() const {
  return ckbVariantes->isChecked() && sheet_.has_value();
}

void TForm1::PrintVariantSet() {
  const int count = spSujets->value();
  const int answer_copies = spCorriges->value();
  if (count == 0 || RxE1->LineCount() < 1 || set_in_progress_) {
    return;
  }
  CheckSetSize(count);
  const ScopedFlag in_progress(set_in_progress_);
  QPrinter& printer = CurrentPrinter();
  const int jobs = count + count * answer_copies;
  const auto progress = SetProgress(this, (count - 1) + jobs);
  const std::optional<DrawnWorksheets> drawn =
      DrawSet(sheet_->sheet, sheet_->questions, random_.Seed(), count, *progress);
  if (!drawn) {
    return;
  }
  const FirstWorksheet first =
      MarkedAsFirst(*RxE1->document(), *RxE2->document(), document_name_, count);
  std::vector<PrintJob> set{{first.subject.get(), kSubjectJobTitle}};
  for (const auto& subject : drawn->subjects) {
    set.push_back({subject.get(), kSubjectJobTitle});
  }
  for (int k = 0; k < count; ++k) {
    const QTextDocument* key = k == 0 ? first.answer_key.get() : drawn->answer_keys[k - 1].get();
    set.insert(set.end(), answer_copies, PrintJob{key, kAnswerKeyJobTitle});
  }
  progress->setLabelText(QStringLiteral("Impression des sujets différents…"));
  ClassSetReport report = PrintJobs(set, printer, [&](int sent, int) {
    progress->setValue(count - 1 + sent);
    return !progress->wasCanceled();
  });
  progress->close();
  if (!drawn->shared_questions.isEmpty()) {
    report.notice =
        report.notice ? *report.notice + '\n' + drawn->shared_questions : drawn->shared_questions;
  }
  TellHowPrintingWent(report);
}

void TForm1::SaveVariantSet(const QString& chosen) {
  const int count = spSujets->value();
  if (count == 0 || set_in_progress_) {
    return;
  }
  CheckSetSize(count);
  const ScopedFlag in_progress(set_in_progress_);
  const auto progress = SetProgress(this, count - 1);
  const std::optional<DrawnWorksheets> drawn =
      DrawSet(sheet_->sheet, sheet_->questions, random_.Seed(), count, *progress);
  progress->close();
  if (!drawn) {
    return;
  }
  // The views keep their whole text selected, as after any save.
  RxE1->SelectAllText();
  RxE2->SelectAllText();
  FirstWorksheet first = MarkedAsFirst(*RxE1->document(), *RxE2->document(), document_name_, count);
  const auto subjects = OnePerPage(std::move(first.subject), drawn->subjects);
  const auto answer_keys = OnePerPage(std::move(first.answer_key), drawn->answer_keys);
  {
    const BusyCursor busy;
    SaveWorksheet(Whole(*subjects), Whole(*answer_keys), chosen);
  }
  // The set is saved; settings that give few questions are said, so that
  // the teacher can widen them for worksheets that differ more.
  if (!drawn->shared_questions.isEmpty()) {
    QMessageBox::information(this, ApplicationTitle(), drawn->shared_questions);
  }
}

}  // namespace fractions
