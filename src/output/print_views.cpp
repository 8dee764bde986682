#include "print_views.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinterInfo>

#include "page_renderer.h"
#include "print_margins.h"
#include "print_queue.h"
#include "richtext/document_text.h"

namespace fractions {

namespace {

// The key under which Qt's CUPS print engine keeps the job options its
// print dialog sets, as "name", "value" pairs.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// A page range chosen in the print dialog's options is kept by the print
// engine as CUPS options, out of sight, and would cut every later job:
// every job prints the whole document.
void PrintAllPages(QPrinter& printer) {
  printer.setPrintRange(QPrinter::AllPages);
  printer.setFromTo(0, 0);
  QPrintEngine* engine = printer.printEngine();
  const QStringList options = engine->property(kCupsOptions).toStringList();
  QStringList kept;
  for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
    if (options[i] != QLatin1String("page-ranges") && options[i] != QLatin1String("page-set")) {
      kept << options[i] << options[i + 1];
    }
  }
  if (kept.size() != options.size()) {
    engine->setProperty(kCupsOptions, kept);
  }
}

std::unique_ptr<QPrinter> PrinterOf(const QPrinterInfo& info) {
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  KeepPrintMargins(*printer);
  return printer;
}

[[noreturn]] void NoPrinter() {
  throw PrintError("Aucune imprimante par défaut sélectionnée");
}

QString JobsSent(int sent, int total) {
  const QString of = QStringLiteral(" sur %1").arg(total);
  if (sent == 0) {
    return QStringLiteral("aucune impression envoyée") + of;
  }
  return QStringLiteral("%1 impression%2 envoyée%2").arg(sent).arg(sent > 1 ? "s" : "") + of;
}

[[noreturn]] void Refused(const QString& printer, int sent, int total) {
  throw PrintError(QStringLiteral("L'imprimante « %1 » a refusé l'impression : %2")
                       .arg(printer, JobsSent(sent, total))
                       .toStdString());
}

[[noreturn]] void NothingPrinted(const std::string& reason) {
  throw PrintError("Rien n'a été imprimé : " + reason);
}

// A set with a picture that cannot be printed is stopped before its first
// job, rather than leave a pile with a blank line somewhere in it.
void CheckPicturesPrint(const std::vector<PrintJob>& jobs, QPrinter& printer) {
  const int total = static_cast<int>(jobs.size());
  for (int job = 0; job < total; ++job) {
    const QTextDocument& document = *jobs[job].document;
    if (const std::optional<int> picture = UnprintablePicture(document)) {
      const PageRenderer renderer(document, &printer, PrintedAreaPixels(printer));
      const QString reason =
          QString::fromStdString(UnprintablePictureText(renderer.PageOf(*picture)));
      NothingPrinted(QStringLiteral("%1 (« %2 », impression %3 sur %4)")
                         .arg(reason, jobs[job].title)
                         .arg(job + 1)
                         .arg(total)
                         .toStdString());
    }
  }
}

}  // namespace

std::unique_ptr<QPrinter> DefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    NoPrinter();
  }
  return PrinterOf(info);
}

std::unique_ptr<QPrinter> PrinterToChoose() {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
    if (installed.isEmpty()) {
      NoPrinter();
    }
    info = installed.first();
  }
  return PrinterOf(info);
}

bool PrintDocument(const QTextDocument& document, QPrinter& printer, const QString& title) {
  printer.setDocName(title);
  PrintAllPages(printer);
  // Again before every job: a paper chosen in the print dialog comes with
  // margins of its own.
  KeepPrintMargins(printer);
  const PageRenderer renderer(document, &printer, PrintedAreaPixels(printer));
  if (const std::optional<int> picture = UnprintablePicture(document)) {
    NothingPrinted(UnprintablePictureText(renderer.PageOf(*picture)));
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    return false;
  }
  for (int from = 0; from < renderer.TextLength();) {
    if (from > 0) {
      printer.newPage();
    }
    from = renderer.RenderPage(painter, from);
  }
  return painter.end();
}

ClassSetReport PrintJobs(const std::vector<PrintJob>& jobs, QPrinter& printer,
                         const PrintProgress& progress) {
  ClassSetReport report;
  const QString name =
      printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
  const int total = static_cast<int>(jobs.size());
  report.jobs_total = total;
  report.printer = name.isEmpty() ? printer.outputFileName() : name;
  CheckPicturesPrint(jobs, printer);
  for (int job = 0; job < total; ++job) {
    if (progress && !progress(job, total)) {
      report.stopped = true;
      break;
    }
    const std::optional<QueueState> queue = QueryCupsQueue(name);
    if (queue && !queue->accepting) {
      Refused(name, report.jobs_sent, total);
    }
    if (queue && queue->paused && !report.notice) {
      report.notice =
          QStringLiteral("L'imprimante « %1 » est en pause : les impressions attendront.")
              .arg(name);
    }
    const bool started = PrintDocument(*jobs[job].document, printer, jobs[job].title);
    if (queue && !LastCupsRequestSucceeded()) {
      Refused(name, report.jobs_sent, total);
    }
    if (started) {
      ++report.jobs_sent;
    } else {
      ++report.jobs_not_started;
    }
  }
  return report;
}

QString ClassSetMessage(const ClassSetReport& report) {
  QStringList said;
  if (report.jobs_not_started > 0) {
    const int failed = report.jobs_not_started;
    said << QStringLiteral("L'imprimante « %1 » : %2 impression%3 sur %4 n'%5 pas pu commencer.")
                .arg(report.printer)
                .arg(failed)
                .arg(failed > 1 ? "s" : "")
                .arg(report.jobs_total)
                .arg(failed > 1 ? "ont" : "a");
  }
  if (report.stopped) {
    said << QStringLiteral("Impression arrêtée : %1 impression(s) envoyée(s) sur %2.")
                .arg(report.jobs_sent)
                .arg(report.jobs_total);
  }
  if (report.notice) {
    said << *report.notice;
  }
  return said.join('\n');
}

ClassSetReport PrintClassSet(const QTextDocument& subject, const QTextDocument& answer_key,
                             int subject_copies, int answer_copies, QPrinter& printer) {
  if (DocumentLineCount(subject) < 1) {
    return {};
  }
  std::vector<PrintJob> jobs(subject_copies, PrintJob{&subject, kSubjectJobTitle});
  jobs.insert(jobs.end(), answer_copies, PrintJob{&answer_key, kAnswerKeyJobTitle});
  return PrintJobs(jobs, printer);
}

}  // namespace fractions
