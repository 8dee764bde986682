#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextBlock>

#include "output/rich_edit_emf_print.h"
#include "output/save_views.h"
#include "richtext/rich_edit_view.h"
#include "worksheet/worksheet_build.h"

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

// Two views holding a worksheet of `count` questions.
struct Views {
  explicit Views(int count, int spacing = 1) {
    WorksheetSettings settings;
    settings.count = count;
    settings.spacing = spacing;
    const WorksheetDocuments documents =
        BuildSeededWorksheet(ExerciseType::kDivision, settings, 99);
    subject.ClearView();
    LoadRtfIntoView(subject, documents.subject);
    answer_key.ClearView();
    LoadRtfIntoView(answer_key, documents.answer_key);
  }
  TRxRichEdit subject;
  TRxRichEdit answer_key;
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
  views.subject.SetEditable(true);
  QTextCursor end(views.subject.document());
  end.movePosition(QTextCursor::End);
  end.insertText("Bon travail !");
  SaveWorksheet(views.subject, views.answer_key, folder.filePath("feuille"));
  EXPECT_TRUE(views.subject.textCursor().hasSelection());  // everything selected after saving

  for (const auto& [name, pictures, edit] :
       {std::tuple{"feuille.rtf", 8, true}, std::tuple{"feuille_Cor.rtf", 8, false}}) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    TRxRichEdit reloaded;
    reloaded.ClearView();
    LoadRtfIntoView(reloaded, file.readAll().toStdString());
    EXPECT_EQ(PictureCount(*reloaded.document()), pictures) << name;
    EXPECT_EQ(reloaded.Text().endsWith("Bon travail !"), edit) << name;
  }
}

TEST(SaveWorksheet, ATextNameGetsPlainText) {
  QTemporaryDir folder;
  Views views(3);
  SaveWorksheet(views.subject, views.answer_key, folder.filePath("feuille.txt"));
  QFile text(folder.filePath("feuille.txt"));
  ASSERT_TRUE(text.open(QIODevice::ReadOnly));
  const QByteArray bytes = text.readAll();
  EXPECT_FALSE(bytes.startsWith("{\\rtf"));
  EXPECT_FALSE(bytes.contains("Corrig"));
  EXPECT_TRUE(bytes.contains("Calculer (r\xE9ponse"));  // Windows-1252
  EXPECT_TRUE(QFile::exists(folder.filePath("feuille_Cor.rtf")));
}

TEST(SaveWorksheet, AnUnwritablePlaceIsNamedAndNothingIsWritten) {
  QTemporaryDir folder;
  Views views(2);
  const QString missing = folder.filePath("absent/feuille.rtf");
  try {
    SaveWorksheet(views.subject, views.answer_key, missing);
    FAIL() << "no error";
  } catch (const SaveError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible de créer le fichier " + missing.toStdString());
  }
  // The answer key's name is taken by a folder: the subject is written, the
  // old answer key stays, and the message names the answer key.
  ASSERT_TRUE(QDir(folder.path()).mkdir("pair_Cor.rtf"));
  EXPECT_THROW(SaveWorksheet(views.subject, views.answer_key, folder.filePath("pair")), SaveError);
  EXPECT_TRUE(QFile::exists(folder.filePath("pair.rtf")));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"pair.rtf"}));
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
    RichEditToEMF(views.subject, "Temp", A4(), {21000, 29700});
    EXPECT_EQ(PageFile(0), c.first) << c.questions;
    EXPECT_EQ(PageFile(1), c.second) << c.questions;
    EXPECT_FALSE(PageFile(2));
    EXPECT_TRUE(QSvgRenderer(QString("Temp0.EMF")).isValid());
  }
  QFile::remove("Temp0.EMF");
  TRxRichEdit empty;
  empty.ClearView();
  RichEditToEMF(empty, "Temp", A4(), {21000, 29700});
  EXPECT_FALSE(PageFile(0));
}

}  // namespace
}  // namespace fractions
