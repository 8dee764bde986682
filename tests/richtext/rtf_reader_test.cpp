#include "richtext/rtf_reader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <functional>
#include <string>
#include <vector>

#include "richtext/rtf_prologue.h"
#include "rtf_test_support.h"

namespace fractions {
namespace {

using namespace std::string_literals;
using testing::InPrologue;
using testing::ReadInto;
using testing::Span;
using testing::SpanWith;

// The raw text of every block, blocks joined by "\n".
QString BlockTexts(const QTextDocument& document) {
  QStringList texts;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    texts << block.text();
  }
  return texts.join(u'\n');
}

TEST(InsertRtf, ReadErrorsSayWhatAndWhere) {
  struct Case {
    std::string rtf;
    RtfReadError::Kind kind;
    size_t offset;
  };
  const std::string too_deep = "{\\rtf1" + std::string(100000, '{');
  const std::vector<Case> cases = {
      {"", RtfReadError::Kind::kNotRtf, 0},
      {"hello", RtfReadError::Kind::kNotRtf, 0},
      {" {\\rtf1 x}", RtfReadError::Kind::kNotRtf, 0},
      {"{\\rt", RtfReadError::Kind::kNotRtf, 0},
      {"{\\rtf1 x}}", RtfReadError::Kind::kUnmatchedClose, 9},
      {"{\\rtf1 x}\r\n}", RtfReadError::Kind::kUnmatchedClose, 11},
      {"{\\rtf1 x} y", RtfReadError::Kind::kTextAfterEnd, 10},
      {"{\\rtf1 x}\\par", RtfReadError::Kind::kTextAfterEnd, 9},
      {"{\\rtf1 x}{\\rtf1 y}", RtfReadError::Kind::kTextAfterEnd, 9},
      {"{\\rtf1 x", RtfReadError::Kind::kUnclosedGroup, 8},
      {"{\\rtf1 {\\b x}{", RtfReadError::Kind::kUnclosedGroup, 14},
      {"{\\rtf1 \\'", RtfReadError::Kind::kUnclosedGroup, 9},
      {"{\\rtf1 x\\", RtfReadError::Kind::kUnclosedGroup, 9},
      // \bin data swallow the closing braces.
      {"{\\rtf1 \\bin99999999 abc}", RtfReadError::Kind::kUnclosedGroup, 24},
      {"{\\rtf1 \\bin4294967296 abc}", RtfReadError::Kind::kUnclosedGroup, 26},
      {"{\\rtf1 {\\*\\foo {\\bin3 }}}}", RtfReadError::Kind::kUnclosedGroup, 26},
      // The document group is depth 1: the 1000th "{" after it is too deep.
      {too_deep, RtfReadError::Kind::kTooDeep, 6 + kMaxRtfGroupDepth - 1},
  };
  for (const Case& c : cases) {
    QTextDocument document;
    document.setPlainText("keep");
    const auto error = ReadInto(document, c.rtf);
    ASSERT_TRUE(error.has_value()) << c.rtf.substr(0, 40);
    EXPECT_EQ(error->kind, c.kind) << c.rtf.substr(0, 40);
    EXPECT_EQ(error->offset, c.offset) << c.rtf.substr(0, 40);
    EXPECT_NE(error->message.find(std::to_string(c.offset)), std::string::npos) << error->message;
    const std::string french = ReadErrorInFrench(*error);
    EXPECT_TRUE(c.kind == RtfReadError::Kind::kNotRtf ||
                french.find("à l'octet " + std::to_string(c.offset)) != std::string::npos)
        << french;
    // Nothing is inserted when the text cannot be read.
    EXPECT_EQ(document.toPlainText(), "keep") << c.rtf.substr(0, 40);
    EXPECT_FALSE(document.isUndoAvailable());
  }
}

TEST(InsertRtf, AcceptsWhatMayFollowTheDocumentGroup) {
  const std::string deepest = "{\\rtf1" + std::string(kMaxRtfGroupDepth - 1, '{') + "x" +
                              std::string(kMaxRtfGroupDepth - 1, '}') + "}";
  for (const std::string& rtf :
       {"{\\rtf1 x}"s, "{\\rtf1 x}\r\n"s, "{\\rtf1 x} \t\0\0"s, "{\\rtf1 x}\n\n\0"s, deepest}) {
    QTextDocument document;
    const auto error = ReadInto(document, rtf);
    EXPECT_FALSE(error.has_value()) << error->message;
    EXPECT_EQ(document.toPlainText(), "x");
  }
}

TEST(InsertRtf, ReadsCharactersAsRtfWritersWriteThem) {
  struct Case {
    std::string body;  // inside our prologue
    QString blocks;    // block texts joined by "\n"
  };
  const std::vector<Case> cases = {
      {"Pr\xE9nom \x80\x9C", u"Prénom €œ"_qs},
      {"\\'e9\\'E9\\'80", u"éé€"_qs},
      {"a\\'3?b", "a?b"},
      {"a\\'", "a"},  // the closing brace is no hex digit
      {"\\uc1\\u-3913?", QString(QChar(0xF0B7))},
      {"\\uc0\\u233 x", u"éx"_qs},
      {"\\uc2\\u8364\\'80\\'80x", u"€x"_qs},
      {"\\u8364??x", u"€?x"_qs},
      {"{\\uc2\\u8364?}x", u"€x"_qs},  // fallback cut short by "}"
      {"\\u8364\\par x", u"€\nx"_qs},  // a control word ends the fallback
      {"\\u-10179?\\u-8704?", QString::fromUcs4(U"\U0001F600")},
      {"\\u-10179?x", u"\uFFFDx"_qs},  // unpaired surrogate
      {"\\u70000?x", u"\uFFFDx"_qs},
      {"\\u0?x\\u13?y", "xy"},
      {"a{\\*\\foo {nested}{\\bin3 }}}}}b", "ab"},
      {"a\\foo b", "ab"},
      {"a{\\foo b}c", "abc"},
      {"a\\bin0 b\\bin c\\bin-5 d", "abcd"},
      {"a\\bin4 {}\\xb", "ab"},
      {"a\\par" + std::string(40, 'x') + " b", "ab"},  // a 43-letter word
      {"a\\b0 b\\b0\\i c", "abc"},
      {"a\tb\r\nc\x01", "abc"},
      {"\\\\ \\{ \\}", "\\ { }"},
      {"\\~\\-\\_", u"\u00A0\u00AD\u2011"_qs},
      {"a\\line b\\par c\\page d", u"a\u2028b\nc\nd"_qs},
      {"a\\\nb\\\rc", "a\nb\nc"},
      {"\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet", u"—–‘’“”•"_qs},
      {"a\\tab b\\cell c\\row d", "a\tb\tc\nd"},
      {"\\fs12pt x\\fs y\\fs-4 z", "xyz"},
      {"\\fs99999999999 a\\f-2147483648 b\\picw87,5 c", "ab,5 c"},
      {"{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}x", "x"},
      {"{\\header H}{\\footer F}{\\*\\generator G;}x", "x"},
      {"{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}", "link"},
      {"\\f3 a\\'e5p\\f0 a", u"α∑πa"_qs},  // f3 is Symbol (\fcharset2)
      {"\\f3\\u945?\\\\", u"α∴"_qs},       // \u is Unicode; an escaped byte is the font's
  };
  for (const Case& c : cases) {
    QTextDocument document;
    const auto error = ReadInto(document, InPrologue(c.body));
    ASSERT_FALSE(error.has_value()) << c.body << ": " << error->message;
    EXPECT_EQ(BlockTexts(document), c.blocks) << c.body;
  }
}

TEST(InsertRtf, ReadsFontTablesOfEveryStyle) {
  struct Case {
    std::string rtf;
    QString family;  // of the run "x"; empty: the document's default
    QString text;    // of the whole document
  };
  std::string many_fonts = "{\\rtf1{\\fonttbl";
  for (int i = 0; i < 40000; ++i) {
    many_fonts += "{\\f" + std::to_string(i) + " F" + std::to_string(i) + ";}";
  }
  many_fonts += "}\\f39999 x}";
  const std::vector<Case> cases = {
      {"{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times New Roman;}\\f1 x}",
       "Times New Roman", "x"},
      {"{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1{\\*\\panose 0203}Courier New{\\*\\falt C};}}x}",
       "Courier New", "x"},
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times}}\\f1 x}", "Times", "x"},  // no ";"
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 a\\f9 x}", "Arial", "ax"},       // \f9 undefined
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f0 Verdana;}}\\f0 x}", "Verdana", "x"},
      {"{\\rtf1{\\fonttbl{\\f0 Caf\\'e9;}}\\f0 x}", u"Café"_qs, "x"},
      // A name of control characters is no name: the text keeps the default.
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 \x7f\\'7f\x01;}}\\f1 x}", "", "x"},
      {"{\\rtf1{\\fonttbl{\\f2\\fcharset2 Wingdings;}}\\f2 x}", "Wingdings",
       QString(QChar(0xF078))},
      {many_fonts, "F39999", "x"},
  };
  for (const Case& c : cases) {
    QTextDocument document;
    const auto error = ReadInto(document, c.rtf);
    ASSERT_FALSE(error.has_value()) << error->message;
    EXPECT_EQ(document.toPlainText(), c.text) << c.rtf.substr(0, 60);
    const auto span = SpanWith(document, c.text.right(1));
    ASSERT_TRUE(span.has_value());
    const QString family = c.family.isEmpty() ? document.defaultFont().family() : c.family;
    EXPECT_EQ(span->family, family) << c.rtf.substr(0, 60);
  }
}

TEST(InsertRtf, ReadsCharacterFormats) {
  struct Case {
    std::string body;                   // inside our prologue; the run to check is "x"
    std::function<void(Span&)> expect;  // changes from Arial 12 pt, nothing set
  };
  const std::vector<Case> cases = {
      {"x", [](Span&) {}},
      {"\\b x", [](Span& s) { s.bold = true; }},
      {"\\b1 x", [](Span& s) { s.bold = true; }},
      {"\\b y\\b0 x", [](Span&) {}},
      {"{\\b y}x", [](Span&) {}},
      {"\\i x", [](Span& s) { s.italic = true; }},
      {"\\b0\\i x", [](Span& s) { s.italic = true; }},
      {"\\ul x", [](Span& s) { s.underline = true; }},
      {"\\uldb x", [](Span& s) { s.underline = true; }},
      {"\\ul y\\ul0 x", [](Span&) {}},
      {"\\ul y\\ulnone x", [](Span&) {}},
      {"\\strike x", [](Span& s) { s.strike = true; }},
      {"\\strike y\\strike0 x", [](Span&) {}},
      {"\\super x", [](Span& s) { s.vertical = QTextCharFormat::AlignSuperScript; }},
      {"\\sub x", [](Span& s) { s.vertical = QTextCharFormat::AlignSubScript; }},
      {"\\super y\\nosupersub x", [](Span&) {}},
      {"\\sub y\\super x", [](Span& s) { s.vertical = QTextCharFormat::AlignSuperScript; }},
      {"\\up6 x", [](Span& s) { s.vertical = QTextCharFormat::AlignSuperScript; }},
      {"\\f1 x", [](Span& s) { s.family = "Times New Roman"; }},
      {"\\f2 x", [](Span& s) { s.family = "Courier New"; }},
      {"\\f1\\f9 x", [](Span& s) { s.family = "Times New Roman"; }},
      {"\\fs18 x", [](Span& s) { s.points = 9; }},
      {"\\fs21 x", [](Span& s) { s.points = 10.5; }},
      {"\\fs18\\fs12pt x", [](Span& s) { s.points = 9; }},
      {"\\fs18\\fs x", [](Span& s) { s.points = 9; }},
      {"\\fs18\\fs0 x", [](Span& s) { s.points = 9; }},
      {"\\fs99999999999 x", [](Span& s) { s.points = 1638; }},
      {"\\cf10 x", [](Span& s) { s.foreground = "#ff0000"; }},
      {"\\cf10 \\cf0 x", [](Span&) {}},
      {"\\cf10 \\cf99 x", [](Span& s) { s.foreground = "#ff0000"; }},
      {"\\cf-1 x", [](Span&) {}},
      {"\\highlight12 x", [](Span& s) { s.background = "#ffff00"; }},
      {"\\highlight12\\highlight0 x", [](Span&) {}},
      {"\\cb13 x", [](Span& s) { s.background = "#0000ff"; }},
      {"\\f1\\fs40\\b\\i\\ul\\strike\\super\\cf10\\highlight12\\plain x", [](Span&) {}},
      {"{\\f1\\fs40\\b\\cf3 y}x", [](Span&) {}},
  };
  for (const Case& c : cases) {
    QTextDocument document;
    const auto error = ReadInto(document, InPrologue(c.body));
    ASSERT_FALSE(error.has_value()) << error->message;
    const auto span = SpanWith(document, "x");
    ASSERT_TRUE(span.has_value()) << c.body;
    Span expected;
    expected.text = span->text;
    expected.family = "Arial";
    expected.points = 12;
    c.expect(expected);
    EXPECT_EQ(*span, expected) << c.body;
  }
}

TEST(InsertRtf, ReadsColourTables) {
  struct Case {
    std::string rtf;
    QString foreground;  // of "x"
  };
  const std::vector<Case> cases = {
      {"{\\rtf1{\\colortbl;\\red300\\green-5\\blue128;}\\cf1 x}", "#ff0080"},
      {"{\\rtf1{\\colortbl\\red255\\green0\\blue0;}\\cf0 x}", "#ff0000"},  // no automatic entry
      {"{\\rtf1\\cf0 x}", ""},
      {"{\\rtf1\\cf1 x}", ""},
      {"{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}{\\colortbl;;\\red9\\green9\\blue9;}\\cf2 x}",
       "#090909"},
  };
  for (const Case& c : cases) {
    QTextDocument document;
    ASSERT_FALSE(ReadInto(document, c.rtf).has_value());
    const auto span = SpanWith(document, "x");
    ASSERT_TRUE(span.has_value());
    EXPECT_EQ(span->foreground, c.foreground) << c.rtf;
  }
}

TEST(InsertRtf, ReplacesTheSelectionAsOneUndoStep) {
  QTextDocument document;
  document.setPlainText("before middle after");
  document.clearUndoRedoStacks();
  QTextCursor cursor(&document);
  cursor.setPosition(7);
  cursor.setPosition(13, QTextCursor::KeepAnchor);
  ASSERT_FALSE(InsertRtf(cursor, InPrologue("\\b one\\par two")).has_value());
  EXPECT_EQ(document.toPlainText(), "before one\ntwo after");
  EXPECT_EQ(cursor.position(), 14);  // after the inserted content
  document.undo();
  EXPECT_EQ(document.toPlainText(), "before middle after");
}

TEST(InsertRtf, NullCursorGetsNothingButErrorsStillShow) {
  QTextCursor nowhere;
  EXPECT_FALSE(InsertRtf(nowhere, InPrologue("{\\pict\\dibitmap0 00}text")).has_value());
  const auto error = InsertRtf(nowhere, "{\\rtf1 x");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->kind, RtfReadError::Kind::kUnclosedGroup);
}

// The header of a real answer key, read with every format the worksheet
// build gives it.
TEST(InsertRtf, ReadsTheWorksheetHeader) {
  const SheetDocuments documents =
      testing::BuildSampleWorksheet(ExerciseType::kAddition, 100, 3, 7);
  QTextDocument document;
  ASSERT_FALSE(ReadInto(document, documents.answer_key).has_value());
  const QString title = QString::fromLatin1(WorksheetSettings::DefaultTitle());

  QStringList blocks = BlockTexts(document).split(u'\n');
  ASSERT_EQ(blocks.size(), 4 + 2 * 3 + 1);
  EXPECT_EQ(blocks[0], QString::fromStdString(documents.name) + u" - Corrigé - "_qs + title);
  EXPECT_EQ(blocks[2], u"Calculer (réponse irréductible)"_qs);
  EXPECT_EQ(blocks[4], QString(123, u'-'));
  EXPECT_EQ(blocks[5], QString(QChar::ObjectReplacementCharacter));

  const auto name = SpanWith(document, QString::fromStdString(documents.name));
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(name->family, "Arial");
  EXPECT_EQ(name->points, 9);
  EXPECT_FALSE(name->bold);
  EXPECT_TRUE(SpanWith(document, u"Corrigé"_qs)->bold);
  EXPECT_TRUE(SpanWith(document, "Classe")->underline);
  EXPECT_TRUE(SpanWith(document, "Calculer")->bold);
  EXPECT_TRUE(SpanWith(document, "---")->bold);
  EXPECT_EQ(SpanWith(document, "---")->points, 9);
}

}  // namespace
}  // namespace fractions
