#include <gtest/gtest.h>

#include <QMap>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <climits>
#include <memory>

#include "output/print_views.h"
#include "output/rich_edit_emf_print.h"
#include "richtext/rtf_reader.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

// A set stopped by the teacher: the jobs before the stop are printed, the
// rest not even asked about, and the report says so.
TEST(PrintJobs, ASetStopsBeforeTheJobItIsToldTo) {
  QTextDocument first;
  first.setPlainText("premier");
  QTextDocument second;
  second.setPlainText("second");
  const std::vector<PrintJob> jobs = {{&first, kSubjectJobTitle},
                                      {&second, kSubjectJobTitle},
                                      {&first, kAnswerKeyJobTitle},
                                      {&second, kAnswerKeyJobTitle}};
  QTemporaryDir folder;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("jobs.pdf"));
  std::vector<int> asked;
  const ClassSetReport report = PrintJobs(jobs, printer, [&](int sent, int total) {
    EXPECT_EQ(total, 4);
    asked.push_back(sent);
    return sent != 2;  // "Annuler" pressed once, while the third job waits
  });
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.jobs_sent, 2);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
}

// Jobs that cannot start are counted and said, naming the printer: a set
// where nothing printed must not look like one that did.
TEST(PrintJobs, JobsThatCannotStartAreSaid) {
  QTextDocument subject;
  subject.setPlainText("sujet");
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName("/nonexistent-folder/jobs.pdf");
  const ClassSetReport report = PrintClassSet(subject, subject, 2, 1, printer);
  EXPECT_EQ(report.jobs_sent, 0);
  EXPECT_EQ(report.jobs_not_started, 3);
  EXPECT_EQ(ClassSetMessage(report),
            QString::fromUtf8("L'imprimante « /nonexistent-folder/jobs.pdf » : 3 impressions sur "
                              "3 n'ont pas pu commencer."));
  ClassSetReport all_sent;
  all_sent.jobs_total = all_sent.jobs_sent = 3;
  EXPECT_EQ(ClassSetMessage(all_sent), "");
}

// A print queue as seen from a QPrinter: it keeps what a print dialog sets
// in the printer (its paper, copies, sides, and the job options Qt's CUPS
// engine keeps under its own key, as CUPS reads them), draws nothing, and
// at the end of each job records what the queue would put on paper.
class QueueEngine final : public QPaintEngine, public QPrintEngine {
 public:
  static constexpr auto kCupsOptions = PrintEnginePropertyKey(0xfe00);

  struct Job {
    QString title;
    int pages_drawn = 0;
    int pages_printed = 0;  // those the page range and the page set leave
    std::string options;    // "name value ..."
    std::string settings;   // copies, collation, sides and paper
    bool whole_range = false;
  };

  QueueEngine() : QPaintEngine(AllFeatures) {
    properties_[PPK_Resolution] = 300;
    properties_[PPK_CopyCount] = 1;
  }

  const std::vector<Job>& Jobs() const { return jobs_; }

  static std::string Settings(int copies, bool collate, int sides, const QPageLayout& layout) {
    return QString("%1 copies, collate %2, sides %3, %4 %5")
        .arg(copies)
        .arg(collate)
        .arg(sides)
        .arg(layout.pageSize().key())
        .arg(layout.orientation() == QPageLayout::Landscape ? "landscape" : "portrait")
        .toStdString();
  }

  bool begin(QPaintDevice* device) override {
    auto* printer = static_cast<QPrinter*>(device);
    job_ = Job();
    job_.title = properties_.value(PPK_DocumentName).toString();
    job_.pages_drawn = 1;
    job_.whole_range = printer->printRange() == QPrinter::AllPages && printer->fromPage() == 0 &&
                       printer->pageRanges().isEmpty();
    state_ = QPrinter::Active;
    return true;
  }
  bool end() override {
    const QStringList options = properties_.value(kCupsOptions).toStringList();
    job_.options = options.join(' ').toStdString();
    job_.settings = Settings(properties_.value(PPK_CopyCount).toInt(),
                             properties_.value(PPK_CollateCopies).toBool(),
                             properties_.value(PPK_Duplex).toInt(), layout_);
    for (int page = 1; page <= job_.pages_drawn; ++page) {
      job_.pages_printed += Printed(page, options) ? 1 : 0;
    }
    jobs_.push_back(job_);
    state_ = QPrinter::Idle;
    return true;
  }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  void drawTextItem(const QPointF&, const QTextItem&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  Type type() const override { return User; }

  bool newPage() override {
    ++job_.pages_drawn;
    return true;
  }
  bool abort() override { return false; }
  QPrinter::PrinterState printerState() const override { return state_; }

  void setProperty(PrintEnginePropertyKey key, const QVariant& value) override {
    switch (key) {
      case PPK_QPageLayout:
        layout_ = value.value<QPageLayout>();
        break;
      case PPK_QPageSize:
        layout_.setPageSize(value.value<QPageSize>());
        break;
      case PPK_QPageMargins: {
        const auto margins = value.value<QPair<QMarginsF, QPageLayout::Unit>>();
        layout_.setUnits(margins.second);
        layout_.setMargins(margins.first);
        break;
      }
      case PPK_Orientation:
        layout_.setOrientation(QPageLayout::Orientation(value.toInt()));
        break;
      default:
        properties_[key] = value;
    }
  }
  QVariant property(PrintEnginePropertyKey key) const override {
    return key == PPK_QPageLayout ? QVariant::fromValue(layout_) : properties_.value(key);
  }
  int metric(QPaintDevice::PaintDeviceMetric id) const override {
    const int dpi = properties_.value(PPK_Resolution).toInt();
    const bool full = properties_.value(PPK_FullPage).toBool();
    const QRect pixels = full ? layout_.fullRectPixels(dpi) : layout_.paintRectPixels(dpi);
    const QRectF mm = full ? layout_.fullRect(QPageLayout::Millimeter)
                           : layout_.paintRect(QPageLayout::Millimeter);
    switch (id) {
      case QPaintDevice::PdmWidth:
        return pixels.width();
      case QPaintDevice::PdmHeight:
        return pixels.height();
      case QPaintDevice::PdmWidthMM:
        return qRound(mm.width());
      case QPaintDevice::PdmHeightMM:
        return qRound(mm.height());
      case QPaintDevice::PdmDpiX:
      case QPaintDevice::PdmDpiY:
      case QPaintDevice::PdmPhysicalDpiX:
      case QPaintDevice::PdmPhysicalDpiY:
        return dpi;
      case QPaintDevice::PdmNumColors:
        return INT_MAX;
      case QPaintDevice::PdmDepth:
        return 32;
      case QPaintDevice::PdmDevicePixelRatio:
        return 1;
      case QPaintDevice::PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  // Whether CUPS prints page `page` of a job with these options: only
  // pages within "page-ranges" ("2-3,5") and of "page-set" (odd, even).
  static bool Printed(int page, const QStringList& options) {
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
      const QString& value = options[i + 1];
      if (options[i] == "page-set" && value != "all" && (page % 2 == 1) != (value == "odd")) {
        return false;
      }
      if (options[i] == "page-ranges") {
        bool within = false;
        for (const QString& range : value.split(',')) {
          const QStringList ends = range.split('-');
          within |= page >= ends.first().toInt() && page <= ends.last().toInt();
        }
        if (!within) {
          return false;
        }
      }
    }
    return true;
  }

  QPageLayout layout_{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
  QMap<int, QVariant> properties_;
  QPrinter::PrinterState state_ = QPrinter::Idle;
  Job job_;
  std::vector<Job> jobs_;
};

class QueuePrinter : public QPrinter {
 public:
  QueuePrinter() : QPrinter(QPrinter::HighResolution) { setEngines(&engine_, &engine_); }
  QueueEngine& Queue() { return engine_; }

 private:
  QueueEngine engine_;
};

// What the teacher chose in the print dialog applies to every job of a
// class set: the paper, the copies of each job, their collation, both
// sides, and the job options a page selection does not touch (a job held
// for later, its priority). A page range or a page set left there cuts no
// job: each prints every page of its document, the first as the last.
TEST(PrintJobs, TheDialogsChoicesHoldForEveryJobAndNoneLosesPages) {
  QTextDocument subject;
  subject.setPlainText(QString("Question\n").repeated(150));
  QTextDocument answer_key;
  answer_key.setPlainText(QString("Réponse\n").repeated(250));

  QueuePrinter printer;
  printer.setPageSize(QPageSize(QPageSize::A5));
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setCopyCount(2);
  printer.setCollateCopies(true);
  printer.setDuplex(QPrinter::DuplexLongSide);
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 2);
  const QStringList kept = {"job-hold-until", "indefinite", "job-priority", "80"};
  printer.printEngine()->setProperty(QueueEngine::kCupsOptions,
                                     kept + QStringList{"page-ranges", "2-2", "page-set", "even"});
  const std::string chosen = QueueEngine::Settings(
      2, true, QPrinter::DuplexLongSide,
      QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF()));

  const ClassSetReport report = PrintClassSet(subject, answer_key, 3, 2, printer);
  EXPECT_EQ(report.jobs_sent, 5);
  const std::vector<QueueEngine::Job>& jobs = printer.Queue().Jobs();
  ASSERT_EQ(jobs.size(), 5u);
  for (size_t k = 0; k < jobs.size(); ++k) {
    SCOPED_TRACE("job " + std::to_string(k + 1) + ", " + jobs[k].title.toStdString());
    const bool key = k >= 3;
    EXPECT_EQ(jobs[k].title, key ? kAnswerKeyJobTitle : kSubjectJobTitle);
    EXPECT_GT(jobs[k].pages_drawn, 2);
    EXPECT_EQ(jobs[k].pages_drawn, jobs[key ? 3 : 0].pages_drawn);
    EXPECT_EQ(jobs[k].pages_printed, jobs[k].pages_drawn);
    EXPECT_TRUE(jobs[k].whole_range);
    EXPECT_EQ(jobs[k].options, kept.join(' ').toStdString());
    EXPECT_EQ(jobs[k].settings, chosen);
  }
}

// The first line of each page of a PDF, as pdftotext lays the page out.
QStringList PageOpenings(const QString& pdf) {
  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(text.waitForFinished()) << "pdftotext missing: tools/test.sh installs poppler-utils";
  QStringList openings;
  for (const QString& page : QString::fromUtf8(text.readAllStandardOutput()).split('\f')) {
    const QStringList lines = page.split('\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty()) {
      openings << lines.front().trimmed();
    }
  }
  return openings;
}

// A question prints whole on one page: its separator and, in a worked key,
// every row of its calculation. No page of a long worked key in large print
// opens with a question whose separator stayed at the foot of the page
// before, nor with the "= ..." of a calculation begun there.
TEST(PrintDocument, EachPageOfAWorkedKeyOpensWithAQuestionsSeparator) {
  const LevelPreset& level = *FindLevelPreset(Level::k4e);
  WorksheetSettings settings;
  settings.largest_term = level.largest_term;
  settings.options = level.options;
  settings.options.large_print = settings.options.worked = true;
  settings.count = 40;
  QTemporaryDir folder;
  // Without the keep, seeds 1 and 3 end a page between two rows of a
  // question, and all four under a separator.
  for (const uint32_t seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    QTextDocument key;
    QTextCursor cursor(&key);
    ASSERT_FALSE(InsertRtf(
        cursor, BuildSeededSheet({{ExerciseType::kSubtraction, settings}}, seed).answer_key));
    const QString pdf = folder.filePath(QStringLiteral("%1.pdf").arg(seed));
    const std::unique_ptr<QPrinter> printer = SheetWithoutPrinter();
    printer->setOutputFileName(pdf);
    ASSERT_TRUE(PrintDocument(key, *printer, kAnswerKeyJobTitle));
    const QStringList openings = PageOpenings(pdf);
    ASSERT_GE(openings.size(), 3);
    for (qsizetype page = 1; page < openings.size(); ++page) {
      EXPECT_TRUE(openings[page].startsWith("-----"))
          << "page " << page + 1 << ": " << openings[page].toStdString();
    }
  }
}

}  // namespace
}  // namespace fractions
