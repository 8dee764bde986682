// Our RTF in a real word processor: LibreOffice converts it to PDF, and the
// PDF must hold every picture, at its pixel size, and the header text.
// Needs soffice (libreoffice-writer-nogui) and pdfimages, pdftotext
// (poppler-utils), which tools/test.sh installs; without them the tests fail.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "richtext/document_pages.h"
#include "richtext/rtf_writer.h"
#include "rtf_test_support.h"
#include "worksheet/class_set.h"

namespace fractions {
namespace {

constexpr int kConversionTimeoutMs = 180000;

struct ToolRun {
  bool finished = false;
  int exit_code = -1;
  QString output;
};

ToolRun RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  ToolRun run;
  run.finished = process.waitForFinished(kConversionTimeoutMs);
  if (!run.finished) {
    process.kill();
    process.waitForFinished();
  }
  run.exit_code = process.exitCode();
  run.output = QString::fromUtf8(process.readAll());
  return run;
}

QString Tool(const char* name) {
  return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

struct PdfPicture {
  QSize size;
  int x_ppi = 0;
  int y_ppi = 0;
};

// The pictures as pdfimages lists them, in page order.
std::vector<PdfPicture> PdfPictures(const QString& pdf) {
  const ToolRun run = RunTool(Tool("pdfimages"), {"-list", pdf});
  EXPECT_TRUE(run.finished && run.exit_code == 0) << run.output.toStdString();
  std::vector<PdfPicture> pictures;
  const QStringList lines = run.output.split(u'\n', Qt::SkipEmptyParts);
  // Two header lines, then "page num type width height color comp bpc enc
  // interp object ID x-ppi y-ppi size ratio".
  for (qsizetype i = 2; i < lines.size(); ++i) {
    const QStringList columns = lines[i].simplified().split(u' ');
    if (columns.size() > 13) {
      pictures.push_back({QSize(columns[3].toInt(), columns[4].toInt()), columns[12].toInt(),
                          columns[13].toInt()});
    }
  }
  return pictures;
}

std::vector<QSize> PdfPictureSizes(const QString& pdf) {
  std::vector<QSize> sizes;
  for (const PdfPicture& picture : PdfPictures(pdf)) {
    sizes.push_back(picture.size);
  }
  return sizes;
}

class LibreOfficeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"soffice", "pdfimages", "pdftotext"}) {
      ASSERT_FALSE(Tool(tool).isEmpty())
          << tool << " is not installed: install libreoffice-writer-nogui and poppler-utils "
          << "(tools/test.sh does)";
    }
    ASSERT_TRUE(folder_.isValid());
  }

  // Converts `rtf` to PDF; the PDF's path, or nothing.
  std::optional<QString> ConvertToPdf(const std::string& rtf, const QString& stem) {
    return Convert(rtf, stem, "pdf");
  }

  // Converts `rtf` with LibreOffice's filter for `target` ("pdf", "rtf");
  // the converted file's path, or nothing.
  std::optional<QString> Convert(const std::string& rtf, const QString& stem,
                                 const QString& target) {
    const QString source = folder_.filePath(stem + ".rtf");
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(rtf.data(), static_cast<qint64>(rtf.size())) != qint64(rtf.size())) {
      ADD_FAILURE() << "cannot write " << source.toStdString();
      return std::nullopt;
    }
    file.close();
    // A private profile: no first-start dialogs, no clash with another run.
    const QString profile =
        "-env:UserInstallation=" + QUrl::fromLocalFile(folder_.filePath("profile")).toString();
    const QString out = folder_.filePath("out-" + target);
    const ToolRun run = RunTool(
        Tool("soffice"), {profile, "--headless", "--convert-to", target, "--outdir", out, source});
    const QString converted = QDir(out).filePath(stem + "." + target);
    if (!run.finished || run.exit_code != 0 || !QFile::exists(converted)) {
      ADD_FAILURE() << "soffice did not convert " << source.toStdString() << ": "
                    << run.output.toStdString();
      return std::nullopt;
    }
    return converted;
  }

  QString PdfText(const QString& pdf) {
    const ToolRun run = RunTool(Tool("pdftotext"), {"-enc", "UTF-8", pdf, "-"});
    EXPECT_TRUE(run.finished && run.exit_code == 0) << run.output.toStdString();
    return run.output;
  }

  // Each word of the PDF with its height, in points.
  std::vector<std::pair<QString, double>> PdfWordHeights(const QString& pdf) {
    const ToolRun run = RunTool(Tool("pdftotext"), {"-enc", "UTF-8", "-bbox", pdf, "-"});
    EXPECT_TRUE(run.finished && run.exit_code == 0) << run.output.toStdString();
    static const QRegularExpression word(
        R"re(yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">([^<]*)<)re");
    std::vector<std::pair<QString, double>> words;
    for (auto found = word.globalMatch(run.output); found.hasNext();) {
      const QRegularExpressionMatch match = found.next();
      words.emplace_back(match.captured(3),
                         match.captured(2).toDouble() - match.captured(1).toDouble());
    }
    return words;
  }

  // Converts `rtf` and checks that the PDF holds pictures of `sizes`, in
  // this order, and every one of `texts`.
  void ExpectInPdf(const std::string& rtf, const QString& stem, const std::vector<QSize>& sizes,
                   const QStringList& texts) {
    const auto pdf = ConvertToPdf(rtf, stem);
    ASSERT_TRUE(pdf.has_value());
    EXPECT_EQ(PdfPictureSizes(*pdf), sizes);
    const QString text = PdfText(*pdf);
    for (const QString& expected : texts) {
      EXPECT_TRUE(text.contains(expected))
          << expected.toStdString() << " in " << text.toStdString();
    }
  }

  QTemporaryDir folder_;
};

std::vector<QSize> PictureSizes(const QTextDocument& document) {
  std::vector<QSize> sizes;
  for (const QImage& picture : testing::Pictures(document)) {
    sizes.push_back(picture.size());
  }
  return sizes;
}

// The answer key of the largest worksheet with the largest pictures, read
// and saved again by our writer: LibreOffice takes the sharp copies, and
// its PDF export brings them to 300 pixels per inch (the DIBs alone are
// 96), each at the size it shows in the view.
TEST_F(LibreOfficeTest, PrintsEveryPictureOfAnAnswerKeyWeWroteSharp) {
  const SheetDocuments documents =
      testing::BuildSampleWorksheet(ExerciseType::kCommonDenominator, 500, 40, 5);
  QTextDocument document;
  ASSERT_FALSE(testing::ReadInto(document, documents.answer_key).has_value());
  const std::vector<QSize> sizes = PictureSizes(document);
  ASSERT_EQ(sizes.size(), 40u);

  const auto pdf = ConvertToPdf(WriteRtf(document), "answer_key");
  ASSERT_TRUE(pdf.has_value());
  const std::vector<PdfPicture> pictures = PdfPictures(*pdf);
  ASSERT_EQ(pictures.size(), sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    EXPECT_EQ(QPoint(pictures[i].x_ppi, pictures[i].y_ppi), QPoint(300, 300)) << i;
    const QSize expected = sizes[i] * 300 / 96;  // 300 pixels an inch over 96
    EXPECT_LE(std::abs(pictures[i].size.width() - expected.width()), 1) << i;
    EXPECT_LE(std::abs(pictures[i].size.height() - expected.height()), 1) << i;
  }
}

// The subject as the worksheet build writes it, picture groups without size
// words.
TEST_F(LibreOfficeTest, ShowsEveryPictureOfARawWorksheet) {
  const SheetDocuments documents =
      testing::BuildSampleWorksheet(ExerciseType::kAddition, 500, 40, 6);
  QTextDocument document;
  ASSERT_FALSE(testing::ReadInto(document, documents.subject).has_value());
  const std::vector<QSize> sizes = PictureSizes(document);
  ASSERT_EQ(sizes.size(), 40u);

  ExpectInPdf(documents.subject, "subject", sizes,
              {QString::fromStdString(documents.name), u"Prénom"_qs});
}

// Titles, instructions and separators typed with raw RTF that would break
// the document (a "}" closing it early, a "{" never closed, a "\bin" that
// announces a gigabyte, a field that makes a live link, a destination at
// the document's level, a "\u", "\uc" or "\'" that would make LibreOffice
// take bytes of a question's picture as its own): LibreOffice shows every
// question's picture, the text around, and no link.
TEST_F(LibreOfficeTest, TypedTextsThatWouldBreakTheDocumentLeaveEveryExercise) {
  struct Case {
    const char* stem;
    std::string title, instruction, separator;
    QString shown;
  };
  const WorksheetSettings defaults;
  const Case cases[] = {
      {"close", "fin } suite", defaults.instruction, defaults.separator, "fin } suite"},
      {"open", defaults.title, "ouvert { jamais", defaults.separator, "ouvert { jamais"},
      {"bin", defaults.title, defaults.instruction, "\\bin999999999 ----", "----"},
      {"field", "{\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr\"}{\\fldrslt ici}}",
       defaults.instruction, defaults.separator, "ici"},
      {"star", "{\\*\\foo suite", defaults.instruction, defaults.separator, "suite"},
      {"fldinst", defaults.title, "\\fldinst suite", defaults.separator, "suite"},
      {"unicode", defaults.title, defaults.instruction, "suite\\u233", "suite"},
      {"bare_unicode", defaults.title, defaults.instruction, "suite\\u", "suite"},
      {"unicode_skip", "\\uc5 suite", defaults.instruction, "x\\u233y", "suite"},
      {"hex", defaults.title, defaults.instruction, "suite\\'4", "suite"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stem);
    WorksheetSettings settings;
    settings.title = c.title;
    settings.instruction = c.instruction;
    settings.separator = c.separator;
    settings.count = 6;
    const SheetDocuments documents =
        BuildSeededSheet({{ExerciseType::kMultiplication, settings}}, 31);
    const auto pdf = ConvertToPdf(documents.subject, c.stem);
    ASSERT_TRUE(pdf.has_value());
    EXPECT_EQ(PdfPictureSizes(*pdf).size(), 6u);
    const QString text = PdfText(*pdf);
    for (const QString& expected : {c.shown, QString::fromStdString(documents.name)}) {
      EXPECT_TRUE(text.contains(expected))
          << expected.toStdString() << " in " << text.toStdString();
    }
    QFile file(*pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("/URI"));
  }
}

// A title, an instruction or a separator typed with a large size and hidden
// text left open: in LibreOffice both end with the typed text, and every
// line after it shows, no word of it larger than the document's name.
TEST_F(LibreOfficeTest, TagsTypedInATextEndWithIt) {
  for (std::string WorksheetSettings::*const place :
       {&WorksheetSettings::title, &WorksheetSettings::instruction,
        &WorksheetSettings::separator}) {
    WorksheetSettings settings;
    settings.title = "Titre";
    settings.instruction = "Calculer";
    settings.separator = "-----";
    settings.count = 3;
    const QString typed = QString::fromStdString(settings.*place);
    SCOPED_TRACE(typed.toStdString());
    settings.*place = "<te=40>" + settings.*place + "\\v cach\xE9";
    const SheetDocuments documents =
        BuildSeededSheet({{ExerciseType::kMultiplication, settings}}, 31);
    const auto pdf = ConvertToPdf(documents.subject, "tags");
    ASSERT_TRUE(pdf.has_value());
    const QString name = QString::fromStdString(documents.name);
    const std::vector<std::pair<QString, double>> words = PdfWordHeights(*pdf);
    const auto named = std::find_if(words.begin(), words.end(),
                                    [&](const auto& word) { return word.first == name; });
    ASSERT_TRUE(named != words.end());
    QStringList shown;
    for (const auto& [word, height] : words) {
      shown << word;
      EXPECT_TRUE(word == typed || height < 1.5 * named->second) << word.toStdString();
    }
    QStringList expected = {name, "-", "Titre", "Calculer", "-----", "-----", "-----"};
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown.join(' ').toStdString(), expected.join(' ').toStdString());
  }
}

// What an office suite writes when it saves our document as RTF: its own
// header, style sheet and twin picture groups. We read back every picture,
// pixel for pixel, at its size, and the header text.
// A set of different sheets of three exercises each, one per page, as
// fractions-cli writes it and as the window saves it (read, put together,
// written by our writer): each page opens with its mark and holds its three
// headings, in order.
TEST_F(LibreOfficeTest, ASetOfComposedSheetsOpensWithOneSheetPerPage) {
  WorksheetSettings settings;
  settings.count = 2;
  const Sheet sheet = {{ExerciseType::kAddition, settings},
                       {ExerciseType::kSimplification, settings},
                       {ExerciseType::kCommonDenominator, settings}};
  const std::vector<SetWorksheet> set = BuildClassSet({sheet, 11, 3, {}}).value();
  std::vector<const std::string*> subjects;
  QTextDocument saved;
  for (const SetWorksheet& worksheet : set) {
    subjects.push_back(&worksheet.documents.subject);
    QTextDocument document;
    ASSERT_FALSE(testing::ReadInto(document, worksheet.documents.subject).has_value());
    if (saved.isEmpty()) {
      ASSERT_FALSE(testing::ReadInto(saved, worksheet.documents.subject).has_value());
    } else {
      AppendOnNewPage(saved, document);
    }
  }
  for (const auto& [rtf, stem] :
       {std::pair{JoinOnePerPage(subjects), "raw_set"}, std::pair{WriteRtf(saved), "saved_set"}}) {
    SCOPED_TRACE(stem);
    const auto pdf = ConvertToPdf(rtf, stem);
    ASSERT_TRUE(pdf.has_value());
    EXPECT_EQ(PdfPictureSizes(*pdf).size(), 3u * 6u);
    for (int page = 1; page <= 4; ++page) {
      const ToolRun text = RunTool(Tool("pdftotext"), {"-enc", "UTF-8", "-f", QString::number(page),
                                                       "-l", QString::number(page), *pdf, "-"});
      if (page == 4) {
        EXPECT_NE(text.exit_code, 0) << "a fourth page";
        break;
      }
      const QString mark = QString::fromStdString(set[page - 1].documents.name) +
                           QStringLiteral(" - Sujet %1/3").arg(page);
      EXPECT_TRUE(text.output.trimmed().startsWith(mark)) << text.output.toStdString();
      const QRegularExpression headings("Exercice 1\\n(.|\\n)*Exercice 2\\n(.|\\n)*Exercice 3\\n");
      EXPECT_TRUE(headings.match(text.output).hasMatch()) << text.output.toStdString();
    }
  }
}

TEST_F(LibreOfficeTest, ReadsTheRtfLibreOfficeWritesOfOurDocument) {
  const SheetDocuments documents =
      testing::BuildSampleWorksheet(ExerciseType::kDivision, 500, 40, 8);
  QTextDocument ours;
  ASSERT_FALSE(testing::ReadInto(ours, documents.answer_key).has_value());
  const std::vector<QSize> sizes = PictureSizes(ours);
  ASSERT_EQ(sizes.size(), 40u);
  const std::string saved = WriteRtf(ours);
  QTextDocument saved_read;
  ASSERT_FALSE(testing::ReadInto(saved_read, saved).has_value());
  const std::vector<QImage> sharp_copies = testing::Pictures(saved_read);

  const auto converted = Convert(saved, "answer_key", "rtf");
  ASSERT_TRUE(converted.has_value());
  QFile file(*converted);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray rtf = file.readAll();
  QTextDocument theirs;
  const auto error = testing::ReadInto(theirs, rtf.toStdString());
  ASSERT_FALSE(error.has_value()) << error->message;
  // LibreOffice keeps the sharp copies, pixel for pixel, shown at the
  // pictures' sizes (to its goal sizes' whole twips).
  EXPECT_EQ(testing::Pictures(theirs), sharp_copies);
  std::vector<QSize> shown;
  for (const testing::Span& span : testing::Spans(theirs)) {
    if (span.picture) {
      shown.push_back(QSizeF(span.width, span.height).toSize());
    }
  }
  EXPECT_EQ(shown, sizes);
  const QString text = theirs.toPlainText();
  EXPECT_TRUE(text.contains(QString::fromStdString(documents.name) + u" - Corrigé - "_qs))
      << text.toStdString();
  EXPECT_TRUE(text.contains(u"Calculer (réponse irréductible)"_qs)) << text.toStdString();
}

}  // namespace
}  // namespace fractions
