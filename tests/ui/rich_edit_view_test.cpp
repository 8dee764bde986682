#include "ui/rich_edit_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextImageFormat>

#include "richtext/picture_drawings.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

// The pictures of a view's document, in document order.
std::vector<QImage> Pictures(const QTextDocument& document) {
  std::vector<QImage> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isImageFormat()) {
        const QVariant resource =
            document.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
        pictures.push_back(resource.value<QImage>());
      }
    }
  }
  return pictures;
}

SheetDocuments Worksheet(ExerciseType type, int count) {
  WorksheetSettings settings;
  settings.count = count;
  return BuildSeededSheet({{type, settings}}, 17);
}

TEST(TRxRichEdit, StartsReadOnlyWithFiveBlanks) {
  TRxRichEdit view;
  EXPECT_EQ(view.Text(), "     ");
  EXPECT_TRUE(view.isReadOnly());
  EXPECT_TRUE(view.tabChangesFocus());
  EXPECT_EQ(view.contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_FALSE(view.SelectionStreamMode());
}

TEST(TRxRichEdit, LoadReplacesTheContentAndPutsTheCaretAtTheStart) {
  const SheetDocuments worksheet = Worksheet(ExerciseType::kCommonDenominator, 12);
  TRxRichEdit view;
  view.ClearView();
  LoadRtfIntoView(view, worksheet.answer_key);
  EXPECT_TRUE(
      view.Text().startsWith(QString::fromStdString(worksheet.name) + " - Corrigé - Nom :"));
  EXPECT_EQ(view.textCursor().position(), 0);
  EXPECT_FALSE(view.textCursor().hasSelection());
  EXPECT_EQ(Pictures(*view.document()).size(), 12u);
  EXPECT_TRUE(view.SelectionStreamMode());
}

TEST(TRxRichEdit, WhatDoesNotReadAsRtfLeavesTheViewEmptyAndSaysSo) {
  for (const std::string source : {"pas du RTF {\\b gras} \xE9t\xE9", "{\\rtf1 ouvert {\\b"}) {
    TRxRichEdit view;  // holds its five blanks
    EXPECT_THROW(LoadRtfIntoView(view, source), LoadError) << source;
    EXPECT_EQ(view.Text(), "") << source;
  }
}

TEST(TRxRichEdit, StreamingOutGivesTheSelectionOnceLoaded) {
  const SheetDocuments worksheet = Worksheet(ExerciseType::kPowers, 5);
  TRxRichEdit view;
  view.ClearView();
  LoadRtfIntoView(view, worksheet.subject);
  // Caret at the start, nothing selected: a document without content.
  TRxRichEdit empty_copy;
  empty_copy.ClearView();
  LoadRtfIntoView(empty_copy, view.StreamOutRtf());
  EXPECT_EQ(empty_copy.Text(), "");
  EXPECT_TRUE(Pictures(*empty_copy.document()).empty());
  // Everything selected: the whole document. Its pictures come back as
  // their sharp copies, each leading to the very picture it was drawn for.
  view.SelectAllText();
  TRxRichEdit copy;
  copy.ClearView();
  LoadRtfIntoView(copy, view.StreamOutRtf());
  EXPECT_EQ(copy.Text(), view.Text());
  const std::vector<QImage> pictures = Pictures(*view.document());
  const std::vector<QImage> sharp = Pictures(*copy.document());
  ASSERT_EQ(sharp.size(), pictures.size());
  for (size_t i = 0; i < sharp.size(); ++i) {
    const std::optional<DrawnPicture> drawn = FindDrawnPicture(sharp[i]);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->picture.convertToFormat(QImage::Format_RGB32),
              pictures[i].convertToFormat(QImage::Format_RGB32));
  }
}

TEST(TRxRichEdit, EditModeDecidesWhetherKeysChangeTheText) {
  QWidget window;
  auto* view = new TRxRichEdit(&window);
  auto* next = new TRxRichEdit(&window);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  view->setFocus();
  QTest::keyClicks(view, "abc");
  EXPECT_EQ(view->Text(), "     ");
  QTest::keyClick(view, Qt::Key_Tab);  // read-only: Tab moves on
  EXPECT_EQ(view->Text(), "     ");
  EXPECT_EQ(QApplication::focusWidget(), next);

  view->SetEditable(true);
  view->setFocus();
  view->moveCursor(QTextCursor::End);
  QTest::keyClicks(view, "ab");
  QTest::keyClick(view, Qt::Key_Tab);
  EXPECT_EQ(view->Text(), "     ab\t");
  EXPECT_EQ(next->Text(), "     ");
}

TEST(TRxRichEdit, LinesAndLength) {
  struct Case {
    QString text;
    int lines;
  };
  for (const Case& c : {Case{"", 0}, Case{"a", 1}, Case{"a\nb", 2}, Case{"a\n", 1}}) {
    TRxRichEdit view;
    view.setPlainText(c.text);
    EXPECT_EQ(view.LineCount(), c.lines) << c.text.toStdString();
    EXPECT_EQ(view.TextLength(), c.text.size());
  }
}

}  // namespace
}  // namespace fractions
