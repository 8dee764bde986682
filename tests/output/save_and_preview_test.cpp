#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <cmath>
#include <functional>
#include <vector>

#include "output/print_margins.h"
#include "output/rich_edit_emf_print.h"
#include "output/save_views.h"
#include "pictures/kinds/four_operations_line.h"
#include "pictures/rtf_picture.h"
#include "richtext/document_text.h"
#include "richtext/rtf_reader.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

int PictureCount(const QTextDocument& document) {
  int count = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      count += it.fragment().charFormat().isImageFormat() ? 1 : 0;
    }
  }
  return count;
}

void Load(QTextDocument& document, const std::string& rtf) {
  QTextCursor cursor(&document);
  ASSERT_FALSE(InsertRtf(cursor, rtf).has_value());
}

// The two documents of a worksheet of `count` questions.
struct Views {
  explicit Views(int count, int spacing = 1) {
    WorksheetSettings settings;
    settings.count = count;
    settings.spacing = spacing;
    const SheetDocuments documents = BuildSeededSheet({{ExerciseType::kDivision, settings}}, 99);
    Load(subject, documents.subject);
    Load(answer_key, documents.answer_key);
  }
  static SavedRange Whole(QTextDocument& document) {
    return [&document] {
      QTextCursor cursor(&document);
      cursor.select(QTextCursor::Document);
      return cursor;
    };
  }
  void Save(const QString& chosen) { SaveWorksheet(Whole(subject), Whole(answer_key), chosen); }
  QTextDocument subject;
  QTextDocument answer_key;
};

TEST(SaveNames, ChosenNameExtensionAndAnswerKey) {
  struct Case {
    QString chosen, subject, answer_key;
  };
  const Case cases[] = {
      {"/d/feuille12.rtf", "/d/feuille12.rtf", "/d/feuille12_Cor.rtf"},
      {"/d/feuille", "/d/feuille.rtf", "/d/feuille_Cor.rtf"},
      {"/d/feuille.doc", "/d/feuille.doc", "/d/feuille_Cor.rtf"},
      {"/d/feuille.TXT", "/d/feuille.TXT", "/d/feuille_Cor.rtf"},
      {"/d.v2/feuille", "/d.v2/feuille.rtf", "/d.v2/feuille_Cor.rtf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SubjectFileName(c.chosen), c.subject) << c.chosen.toStdString();
    EXPECT_EQ(AnswerKeyFileName(SubjectFileName(c.chosen)), c.answer_key) << c.chosen.toStdString();
  }
}

TEST(SaveWorksheet, ThePairLoadsBackWithItsPicturesAndHandEdits) {
  QTemporaryDir folder;
  Views views(8);
  QTextCursor end(&views.subject);
  end.movePosition(QTextCursor::End);
  end.insertText("Bon travail !");
  views.Save(folder.filePath("feuille"));

  for (const auto& [name, pictures, edit] :
       {std::tuple{"feuille.rtf", 8, true}, std::tuple{"feuille_Cor.rtf", 8, false}}) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QTextDocument reloaded;
    Load(reloaded, file.readAll().toStdString());
    EXPECT_EQ(PictureCount(reloaded), pictures) << name;
    EXPECT_EQ(reloaded.toPlainText().endsWith("Bon travail !"), edit) << name;
  }
}

TEST(SaveWorksheet, ATextNameGetsPlainText) {
  QTemporaryDir folder;
  Views views(3);
  views.Save(folder.filePath("feuille.txt"));
  QFile text(folder.filePath("feuille.txt"));
  ASSERT_TRUE(text.open(QIODevice::ReadOnly));
  const QByteArray bytes = text.readAll();
  EXPECT_FALSE(bytes.startsWith("{\\rtf"));
  EXPECT_FALSE(bytes.contains("Corrig"));
  EXPECT_TRUE(bytes.contains("Calculer (r\xE9ponse"));  // Windows-1252
  EXPECT_TRUE(QFile::exists(folder.filePath("feuille_Cor.rtf")));
}

// When either file cannot be written, neither changes: never a new subject
// beside an old answer key. The message names the file that failed.
TEST(SaveWorksheet, AFileThatCannotBeWrittenIsNamedAndBothOldFilesStay) {
  struct Case {
    const char* what;
    QString blocked;  // the name that cannot be written
    std::function<void(const QString&)> block;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"a folder at the answer key's name", "pair_Cor.rtf",
       [](const QString& path) {
         QFile::remove(path);
         QDir().mkdir(path);
       },
       "un dossier porte ce nom"},
      {"a folder at the subject's name", "pair.rtf",
       [](const QString& path) {
         QFile::remove(path);
         QDir().mkdir(path);
       },
       "un dossier porte ce nom"},
  };
  Views views(2);
  for (const Case& c : cases) {
    QTemporaryDir folder;
    for (const char* name : {"pair.rtf", "pair_Cor.rtf"}) {
      QFile old(folder.filePath(name));
      ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(name) > 0);
    }
    const QString blocked = folder.filePath(c.blocked);
    c.block(blocked);
    try {
      views.Save(folder.filePath("pair"));
      ADD_FAILURE() << c.what << ": no error";
    } catch (const SaveError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Impossible de créer le fichier " + blocked.toStdString() + " (" + c.reason + ")")
          << c.what;
    }
    for (const char* name : {"pair.rtf", "pair_Cor.rtf"}) {
      QFile file(folder.filePath(name));
      if (file.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(file.readAll(), QByteArray(name)) << c.what;
      }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(),
              2)
        << c.what << ": a staging file was left";
  }
}

class PreviewPages : public ::testing::Test {
 protected:
  void SetUp() override { QDir::setCurrent(folder_.path()); }
  void TearDown() override { QDir::setCurrent(QDir::rootPath()); }

  static QPrinter& A4() {
    static QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer.setFullPage(true);
    return printer;
  }
  static bool PageFile(int n) { return QFile::exists(QString("Temp%1.EMF").arg(n)); }

  QTemporaryDir folder_;
  WrittenFiles files_;
};

TEST_F(PreviewPages, AtMostTwoPagesAndNoneForAnEmptyView) {
  struct Case {
    int questions, spacing;
    bool first, second;
  };
  for (const Case c : {Case{40, 10, true, true}, Case{2, 0, true, false}}) {
    QFile::remove("Temp0.EMF");
    QFile::remove("Temp1.EMF");
    Views views(c.questions, c.spacing);
    RichEditToEMF(views.subject, QDir::current(), A4(), files_);
    EXPECT_EQ(PageFile(0), c.first) << c.questions;
    EXPECT_EQ(PageFile(1), c.second) << c.questions;
    EXPECT_FALSE(PageFile(2));
    EXPECT_TRUE(QSvgRenderer(QString("Temp0.EMF")).isValid());
  }
  QFile::remove("Temp0.EMF");
  const QTextDocument empty;
  RichEditToEMF(empty, QDir::current(), A4(), files_);
  EXPECT_FALSE(PageFile(0));
}

}  // namespace
}  // namespace fractions

namespace fractions {
namespace {

// The columns of a picture's fraction bars: runs of black on its bar row.
std::vector<std::pair<int, int>> BarColumns(const QImage& picture, int row) {
  std::vector<std::pair<int, int>> bars;
  for (int x = 0; x < picture.width();) {
    int end = x;
    while (end < picture.width() && qGray(picture.pixel(end, row)) < 128) {
      ++end;
    }
    if (end - x >= 15) {
      bars.emplace_back(x, end);
    }
    x = end + 1;
  }
  return bars;
}

// Whether some row near `y` of the shrunk page is clearly darker than the
// paper across at least 90 % of the columns from `left` to `right`.
bool DarkRowNear(const QImage& page, double y, double left, double right) {
  for (int row = static_cast<int>(y) - 2; row <= static_cast<int>(y) + 2; ++row) {
    int dark = 0;
    int columns = 0;
    for (int x = static_cast<int>(std::ceil(left)); x < static_cast<int>(right); ++x, ++columns) {
      dark += qGray(page.pixel(x, row)) < 230 ? 1 : 0;
    }
    if (columns > 0 && dark >= 0.9 * columns) {
      return true;
    }
  }
  return false;
}

TEST_F(PreviewPages, FractionBarsStayReadableWhenShrunk) {
  // An exercise line as the program draws it, and the same picture as any
  // other bitmap would come (one pixel off, so no drawing of its own): each
  // alone at the top of a page, inside its margins.
  LineImages images;
  ComposeLine(images, 12, OperationKind{Operation::kAdd}, {87, 21, 28, 68, 1, 1});
  const std::string drawn = BitmapToRtfPict(images.ImaRep);
  QImage foreign = images.ImaRep.Picture().copy();
  foreign.setPixel(foreign.width() - 1, foreign.height() - 1, qRgb(0, 0, 0));
  constexpr int kBarRow = 15;
  const auto bars = BarColumns(foreign, kBarRow);
  ASSERT_EQ(bars.size(), 2u);                      // 87/21 and 28/68; the answer 1 has none
  const double scale = 420.0 / (210 / 25.4 * 96);  // preview pixels per picture pixel
  const double margin = kLeastPrintMarginMm * 420.0 / 210;

  for (const auto& [what, picture] :
       {std::pair{"drawn", drawn}, std::pair{"bitmap", BitmapToRtfPict(foreign)}}) {
    QTextDocument document;
    Load(document, "{\\rtf1 " + picture + "}");
    RichEditToEMF(document, QDir::current(), A4(), files_);
    const QImage page = PreviewPagePicture("Temp0.EMF", {420, 594});
    for (const auto& [left, right] : bars) {
      // The bar's inner part: a bitmap may print a few percent small.
      EXPECT_TRUE(DarkRowNear(page, margin + (kBarRow + 0.5) * scale, margin + (left + 1) * scale,
                              margin + (right - 2) * scale))
          << "bar from " << left << " " << what;
    }
  }
}

}  // namespace
}  // namespace fractions
