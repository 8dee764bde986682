// No exercise line prints as a blank: a picture whose drawing has been
// forgotten prints as the bitmap it is, and a picture that cannot be drawn
// at all stops the PDF or the print job before it starts.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include "output/pdf_output.h"
#include "output/print_views.h"
#include "pictures/rtf_picture.h"
#include "richtext/dib.h"
#include "richtext/document_pages.h"
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

// A drawing that draws nothing, standing for those of other worksheets.
class BlankDrawing : public PictureDrawing {
 public:
  explicit BlankDrawing(QSize size) : size_(size) {}
  QSize Size() const override { return size_; }
  void Draw(QPainter&) const override {}

 private:
  QSize size_;
};

// The one-bit DIB of a 32 x 1 picture whose pixels spell `number`.
std::string NumberedDib(uint32_t number) {
  QImage picture(32, 1, QImage::Format_Mono);
  picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  for (int bit = 0; bit < 32; ++bit) {
    picture.setPixel(bit, 0, (number >> bit) & 1);
  }
  return EncodeOneBitDib(picture);
}

// More pictures than the memory of drawings keeps, as a long day of
// worksheets and class sets draws them.
void RememberManyOtherPictures(uint32_t first) {
  const auto blank = std::make_shared<const BlankDrawing>(QSize(32, 1));
  for (uint32_t k = 0; k <= kRememberedDrawings; ++k) {
    RememberPictureDrawing(NumberedDib(first + k), blank);
  }
}

// The answer keys of a class set of two worksheets, put together as the
// window prints them, keep every picture's drawing however many pictures
// are drawn after them, and none is replaced by another: the set prints
// drawn again, not as bitmaps. A picture no document shows is forgotten,
// and so are the shown ones once their document lets them go.
TEST(WholeLines, APictureShownKeepsItsDrawingWhateverIsDrawnAfterIt) {
  Exercise exercise{ExerciseType::kAddition, {}};
  exercise.settings.count = 3;
  exercise.settings.options.worked = true;
  QTextDocument key;
  for (const uint32_t seed : {11u, 12u}) {
    QTextDocument read;  // the second goes once appended
    QTextCursor cursor(seed == 11 ? &key : &read);
    ASSERT_FALSE(InsertRtf(cursor, BuildSeededSheet({exercise}, seed).answer_key,
                           PictureReading::kAllOrError));
    if (seed == 12) {
      AppendOnNewPage(key, read);
    }
  }
  std::vector<QImage> shown;
  for (QTextBlock block = key.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (const QTextCharFormat format = it.fragment().charFormat(); format.isImageFormat()) {
        shown.push_back(
            key.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                .value<QImage>());
      }
    }
  }
  ASSERT_GE(shown.size(), 6u);
  const std::string unshown = NumberedDib(0xFFFFFFFF);  // with a drawing of its own
  RememberPictureDrawing(unshown, std::make_shared<const BlankDrawing>(QSize(32, 1)));
  // Of another size, it would print the picture as its bitmap.
  RememberPictureDrawing(OneBitDib(shown.back()),
                         std::make_shared<const BlankDrawing>(shown.back().size() + QSize(1, 1)));
  RememberManyOtherPictures(0);

  QTemporaryDir folder;
  QFile file(folder.filePath("shown.pdf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  WriteDocumentPdf(key, file, {});
  file.close();
  EXPECT_EQ(ImagesIn(file.fileName()), 0);
  EXPECT_EQ(FindPictureDrawing(*DecodeDib(unshown, 32)), nullptr);

  key.clear();
  RememberManyOtherPictures(1u << 20);
  for (const QImage& picture : shown) {
    EXPECT_EQ(FindPictureDrawing(picture), nullptr);
  }
}

}  // namespace
}  // namespace fractions
