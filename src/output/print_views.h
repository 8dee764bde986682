#pragma once

#include <QPrinter>
#include <QString>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace fractions {

// Printing cannot start, or the print system refused a job; the message
// is for the error box.
class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The system's default printer, set up to print inside margins of at least
// 15 mm (see KeepPrintMargins). Throws PrintError("Aucune imprimante par défaut sélectionnée") when
// the system has none.
std::unique_ptr<QPrinter> DefaultPrinter();

// The printer the print dialog opens on: the default one, else the first
// printer installed, so that one can be chosen even when none is the
// default. Throws PrintError as DefaultPrinter does when there is none.
std::unique_ptr<QPrinter> PrinterToChoose();

// Prints the whole document as one job titled `title`, page by page inside
// the printer's margins, which it first widens to at least 15 mm (see
// KeepPrintMargins), with nothing added: no header or page number, and no
// page range: every job prints every page. Returns false when the printer
// refused to start the job. Throws PrintError, and starts no job, when a
// picture of the document cannot be drawn (see UnprintablePicture).
bool PrintDocument(const QTextDocument& document, QPrinter& printer, const QString& title);

// What a class set leaves to say once it is sent: that the queue holds the
// jobs, paused; that some jobs could not start; or that it was stopped
// before its end.
struct ClassSetReport {
  int jobs_total = 0;
  int jobs_sent = 0;
  int jobs_not_started = 0;
  QString printer;  // as the teacher knows it: the queue's name, or the file
  bool stopped = false;
  std::optional<QString> notice;
};

// What the teacher is told once a set is sent, in French; empty when all
// went as asked.
QString ClassSetMessage(const ClassSetReport& report);

// The jobs' titles, as the print queue lists them.
inline const QString kSubjectJobTitle = QStringLiteral("Sujet");
inline const QString kAnswerKeyJobTitle = QStringLiteral("Corrigé");

// One job of a class set: a document and the title of its job.
struct PrintJob {
  const QTextDocument* document;
  QString title;
};

// Asked before each job with the jobs sent so far and their total; false
// stops the set there.
using PrintProgress = std::function<bool(int sent, int total)>;

// Prints the jobs in order, one job each, as PrintClassSet does its copies:
// on a CUPS queue, stops at the first job the queue does not take and
// throws PrintError naming the printer and how many jobs were sent. A job
// with a picture that cannot be drawn stops the set before its first job
// (PrintError).
ClassSetReport PrintJobs(const std::vector<PrintJob>& jobs, QPrinter& printer,
                         const PrintProgress& progress = {});

// A class set: `subject_copies` jobs "Sujet", then `answer_copies` jobs
// "Corrigé", one job per copy. Nothing at all when the subject has no line.
// On a CUPS queue, stops at the first job the queue does not take and
// throws PrintError naming the printer and how many jobs were sent.
ClassSetReport PrintClassSet(const QTextDocument& subject, const QTextDocument& answer_key,
                             int subject_copies, int answer_copies, QPrinter& printer);

}  // namespace fractions
