// No exercise line prints as a blank: a picture whose drawing has been
// forgotten prints as the bitmap it is, and a picture that cannot be drawn
// at all stops the PDF or the print job before it starts.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include "output/pdf_output.h"
#include "output/print_views.h"
#include "richtext/picture_drawings.h"
#include "richtext/rtf_reader.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

int PicturesIn(const QTextDocument& document) {
  return static_cast<int>(document.toPlainText().count(QChar::ObjectReplacementCharacter));
}

// The images a PDF holds, as pdfimages lists them (two heading lines).
int ImagesIn(const QString& pdf) {
  QProcess list;
  list.start("pdfimages", {"-list", pdf});
  EXPECT_TRUE(list.waitForFinished()) << "pdfimages: tools/test.sh installs it";
  return static_cast<int>(list.readAllStandardOutput().count('\n')) - 2;
}

TEST(WholeLines, APictureWhoseDrawingIsForgottenPrintsAsItsBitmap) {
  Exercise exercise{ExerciseType::kAddition, {}};
  exercise.settings.count = 5;
  exercise.settings.options.worked = true;
  exercise.settings.options.large_print = true;
  const SheetDocuments documents = BuildSeededSheet({exercise}, 7);
  QTextDocument key;
  QTextCursor cursor(&key);
  ASSERT_FALSE(InsertRtf(cursor, documents.answer_key, PictureReading::kAllOrError));
  ASSERT_GE(PicturesIn(key), 5);

  QTemporaryDir folder;
  const auto pdf_of = [&](const QString& name) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    WriteDocumentPdf(key, file, {});
    return file.fileName();
  };
  EXPECT_EQ(ImagesIn(pdf_of("drawn.pdf")), 0);  // every line drawn again as text and lines
  ForgetPictureDrawings();
  EXPECT_EQ(ImagesIn(pdf_of("forgotten.pdf")), PicturesIn(key));
}

TEST(WholeLines, APictureThatCannotBeDrawnStopsThePdfAndThePrintBeforeTheyStart) {
  QTextDocument good;
  good.setPlainText("Sujet");
  QTextDocument broken;
  QTextCursor cursor(&broken);
  cursor.insertText("Corrigé");
  cursor.insertBlock();
  QTextImageFormat missing;
  missing.setName("rtf-picture:nowhere");
  cursor.insertImage(missing);

  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  try {
    WriteDocumentPdf(broken, pdf, {});
    ADD_FAILURE() << "a PDF with a blank in a picture's place";
  } catch (const PdfError& error) {
    EXPECT_STREQ(error.what(), "une image de la page 1 ne peut pas être imprimée");
  }

  QTemporaryDir folder;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("set.pdf"));
  try {
    PrintJobs({{&good, kSubjectJobTitle}, {&broken, kAnswerKeyJobTitle}}, printer);
    ADD_FAILURE() << "a set printed with a blank in a picture's place";
  } catch (const PrintError& error) {
    EXPECT_STREQ(error.what(),
                 "Rien n'a été imprimé : une image de la page 1 ne peut pas être imprimée "
                 "(« Corrigé », impression 2 sur 2)");
  }
  EXPECT_FALSE(QFile::exists(printer.outputFileName()));  // not even the subject
}

}  // namespace
}  // namespace fractions
