#include "richtext/rtf_writer.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "richtext/plain_text_writer.h"
#include "richtext/rtf_reader.h"
#include "rtf_test_support.h"

namespace fractions {
namespace {

using namespace std::string_literals;

constexpr std::string_view kHeadArial =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}{\\colortbl;}"
    "\\pard";

using Fill = std::function<void(QTextCursor&)>;

// A document in Arial 12 pt filled by `fill`.
std::unique_ptr<QTextDocument> Document(const Fill& fill) {
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(QFont("Arial", 12));
  QTextCursor cursor(document.get());
  fill(cursor);
  return document;
}

Fill Text(const QString& text, const std::function<void(QTextCharFormat&)>& style = {}) {
  return [=](QTextCursor& cursor) {
    QTextCharFormat format;
    if (style) {
      style(format);
    }
    cursor.insertText(text, format);
  };
}

using testing::AddPicture;

QImage ThreeByTwo(QImage::Format format) {
  QImage image(3, 2, QImage::Format_RGB32);
  const char* rows[] = {"#.#", ".#."};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      image.setPixel(x, y, rows[y][x] == '#' ? 0xFF000000 : 0xFFFFFFFF);
    }
  }
  return image.convertToFormat(format);
}

// The one-bit DIB of ThreeByTwo: header, black and white, rows bottom-up.
constexpr std::string_view kThreeByTwoDib =
    "280000000300000002000000010001000000000008000000C40E0000C40E00000000000000000000"
    "00000000FFFFFF00A000000040000000";

TEST(WriteRtf, WritesTextFormatsAndTables) {
  struct Case {
    const char* name;
    Fill fill;
    std::string rtf;
  };
  const auto bold = [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); };
  const std::vector<Case> cases = {
      {"empty", [](QTextCursor&) {}, std::string(kHeadArial) + "}"},
      {"escapes", Text("a\\b{c}"), std::string(kHeadArial) + "\\plain\\f0\\fs24 a\\\\b\\{c\\}}"},
      {"Windows-1252", Text(u"é€œ\u00A0\u00AD\u0081"_qs),
       std::string(kHeadArial) + "\\plain\\f0\\fs24 \\'e9\\'80\\'9c\\'a0\\'ad\\'81}"},
      {"Unicode", Text(QString::fromUcs4(U"日\U0001F600x")),
       std::string(kHeadArial) + "\\plain\\f0\\fs24 \\u26085?\\u-10179?\\u-8704?x}"},
      {"tab, line, paragraph, control", Text(u"a\tb\u2028c\u0001\u2029d"_qs),
       std::string(kHeadArial) + "\\plain\\f0\\fs24 a\\tab b\\line c\\par d}"},
      {"bold", Text("x", bold), std::string(kHeadArial) + "\\plain\\f0\\fs24\\b x}"},
      {"a run of dropped characters writes no format",
       [](QTextCursor& c) {
         c.insertText("a");
         QTextCharFormat f;
         f.setFontWeight(QFont::Bold);
         c.insertText(u"\u0001\uFFFC"_qs, f);
         c.insertText("b", QTextCharFormat());
       },
       std::string(kHeadArial) + "\\plain\\f0\\fs24 ab}"},
      {"every switch",
       Text("x",
            [](QTextCharFormat& f) {
              f.setFontWeight(QFont::Bold);
              f.setFontItalic(true);
              f.setFontUnderline(true);
              f.setFontStrikeOut(true);
              f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
            }),
       std::string(kHeadArial) + "\\plain\\f0\\fs24\\b\\i\\ul\\strike\\sub x}"},
      {"superscript",
       Text("x",
            [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }),
       std::string(kHeadArial) + "\\plain\\f0\\fs24\\super x}"},
      {"sizes",
       [](QTextCursor& c) {
         QTextCharFormat f;
         f.setFontPointSize(10.5);
         c.insertText("a", f);
         f.setFontPointSize(9);
         c.insertText("b", f);
         f = QTextCharFormat();
         f.setProperty(QTextFormat::FontPixelSize, 16);  // 12 points at 96 dpi
         c.insertText("c", f);
         f = QTextCharFormat();
         f.setFontPointSize(5000);  // past what readers take
         c.insertText("d", f);
         f.setFontPointSize(0.1);
         c.insertText("e", f);
       },
       std::string(kHeadArial) + "\\plain\\f0\\fs21 a\\plain\\f0\\fs18 b\\plain\\f0\\fs24 c"
                                 "\\plain\\f0\\fs3276 d\\plain\\f0\\fs1 e}"},
      {"colours",
       [](QTextCursor& c) {
         QTextCharFormat f;
         f.setForeground(QColor(255, 0, 0));
         c.insertText("a", f);
         f.setBackground(QColor(0, 0, 255));
         c.insertText("b", f);
         f.clearForeground();
         c.insertText("c", f);
       },
       "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
       "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\pard"
       "\\plain\\f0\\fs24\\cf1 a\\plain\\f0\\fs24\\cf1\\highlight2 b\\plain\\f0\\fs24\\highlight2 "
       "c}"},
      {"fonts in order of use",
       [](QTextCursor& c) {
         QTextCharFormat f;
         f.setFontFamilies({"Times New Roman"});
         c.insertText("a", f);
         c.insertText("b", QTextCharFormat());
         c.insertText("c", f);
       },
       "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
       "{\\f1\\fnil\\fcharset0 Arial;}}{\\colortbl;}\\pard"
       "\\plain\\f0\\fs24 a\\plain\\f1\\fs24 b\\plain\\f0\\fs24 c}"},
      {"Symbol bytes where the font has them",
       Text(u"απp∑\\"_qs, [](QTextCharFormat& f) { f.setFontFamilies({"Symbol"}); }),
       "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset2 Symbol;}}"
       "{\\colortbl;}\\pard\\plain\\f0\\fs24 ap\\u112?\\'e5\\u92?}"},
      {"font name escapes",
       Text("x", [](QTextCharFormat& f) { f.setFontFamilies({u"Caf\u00E9;{x}"_qs}); }),
       "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Caf\\'e9\\{x\\};}}"
       "{\\colortbl;}\\pard\\plain\\f0\\fs24 x}"},
      {"black-and-white picture",
       [](QTextCursor& c) { AddPicture(c, ThreeByTwo(QImage::Format_Mono), 0, 0); },
       std::string(kHeadArial) + "{\\pict\\dibitmap0\\picw3\\pich2\\picwgoal45\\pichgoal30 " +
           std::string(kThreeByTwoDib) + "}}"},
      {"white-first one-bit picture, one side given",
       [](QTextCursor& c) {
         QImage image(3, 2, QImage::Format_MonoLSB);
         image.setColorTable({0xFFFFFFFF, 0xFF000000});  // 0 is white here
         const char* rows[] = {"#.#", ".#."};
         for (int y = 0; y < 2; ++y) {
           for (int x = 0; x < 3; ++x) {
             image.setPixel(x, y, rows[y][x] == '#' ? 1 : 0);
           }
         }
         AddPicture(c, image, 30.4, 0);
       },
       std::string(kHeadArial) + "{\\pict\\dibitmap0\\picw3\\pich2\\picwgoal456\\pichgoal304 " +
           std::string(kThreeByTwoDib) + "}}"},
      {"black-and-white RGB picture",
       [](QTextCursor& c) { AddPicture(c, ThreeByTwo(QImage::Format_RGB32), 6, 4); },
       std::string(kHeadArial) + "{\\pict\\dibitmap0\\picw3\\pich2\\picwgoal90\\pichgoal60 " +
           std::string(kThreeByTwoDib) + "}}"},
      {"picture without its image",
       [](QTextCursor& c) {
         QTextImageFormat format;
         format.setName("nowhere:at-all");
         c.insertImage(format);
       },
       std::string(kHeadArial) + "}"},
  };
  for (const Case& c : cases) {
    const auto document = Document(c.fill);
    EXPECT_EQ(WriteRtf(*document), c.rtf) << c.name;
  }
}

TEST(WriteRtf, WritesOtherPicturesAsPng) {
  QImage grey(3, 2, QImage::Format_RGB32);
  grey.fill(QColor(128, 128, 128));
  grey.setPixel(0, 0, qRgb(0, 0, 0));
  const auto document = Document([&](QTextCursor& c) { AddPicture(c, grey, 0, 0); });
  const std::string rtf = WriteRtf(*document);
  EXPECT_TRUE(rtf.starts_with(std::string(kHeadArial) +
                              "{\\pict\\pngblip\\picw3\\pich2\\picwgoal45\\pichgoal30 89504E47"))
      << rtf;
}

// Found by fuzz_rtf_reader: the unused bits at the end of one-bit rows
// reached the PNG, so equal pictures gave different RTF.
TEST(WriteRtf, PicturesOfEqualPixelsGiveEqualRtf) {
  for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_MonoLSB}) {
    QImage clean(10, 2, format);
    clean.setColorTable({0xFF000000, 0xFFFFFFF0});  // not pure white: written as PNG
    clean.fill(0);
    clean.setPixel(4, 1, 1);
    QImage padded = clean.copy();
    for (int y = 0; y < 2; ++y) {
      padded.scanLine(y)[1] =
          static_cast<uchar>(padded.scanLine(y)[1] | (format == QImage::Format_Mono ? 0x3F : 0xFC));
    }
    ASSERT_EQ(padded.convertToFormat(QImage::Format_ARGB32),
              clean.convertToFormat(QImage::Format_ARGB32));
    const auto clean_document = Document([&](QTextCursor& c) { AddPicture(c, clean, 10, 2); });
    const auto padded_document = Document([&](QTextCursor& c) { AddPicture(c, padded, 10, 2); });
    const std::string rtf = WriteRtf(*clean_document);
    EXPECT_NE(rtf.find("\\pngblip"), std::string::npos);
    EXPECT_EQ(WriteRtf(*padded_document), rtf) << format;
  }
}

TEST(WriteRtf, WritesTheSelectionOnly) {
  struct Case {
    int start;
    int end;
    std::string body;  // after the header
  };
  // Blocks "abc" (0..2), "def" (4..6); position 3 is the paragraph end.
  const std::vector<Case> cases = {
      {1, 1, "}"},
      {1, 2, "\\plain\\f0\\fs24 b}"},
      {1, 6, "\\plain\\f0\\fs24 bc\\par de}"},
      {0, 4, "\\plain\\f0\\fs24 abc\\par }"},
      {3, 4, "\\par }"},
      {6, 1, "\\plain\\f0\\fs24 bc\\par de}"},  // anchor after position
  };
  const auto document = Document(Text("abc\ndef"));
  for (const Case& c : cases) {
    QTextCursor cursor(document.get());
    cursor.setPosition(c.start);
    cursor.setPosition(c.end, QTextCursor::KeepAnchor);
    EXPECT_EQ(WriteRtf(cursor), std::string(kHeadArial) + c.body) << c.start << ".." << c.end;
  }
}

TEST(WritePlainText, WritesWindows1252WithCrLf) {
  struct Case {
    Fill fill;
    std::string text;
  };
  const std::vector<Case> cases = {
      {[](QTextCursor&) {}, ""},
      {Text(u"Prénom\tœuvre €"_qs), "Pr\xE9nom\t\x9Cuvre \x80"},
      {Text(QString::fromUcs4(U"日\U0001F600x")), "??x"},
      {Text(u"a\u2028b\nc\n"_qs), "a\r\nb\r\nc\r\n"},
      {Text(u"a\u0001\u007F\uFFFCb"_qs), "ab"},
      {[](QTextCursor& c) {
         c.insertText("a");
         AddPicture(c, ThreeByTwo(QImage::Format_Mono), 0, 0);
         c.insertText("b");
       },
       "ab"},
  };
  for (const Case& c : cases) {
    const auto document = Document(c.fill);
    QTextCursor all(document.get());
    all.select(QTextCursor::Document);
    EXPECT_EQ(WritePlainText(all), c.text);
  }
  // Only the selection.
  const auto document = Document(Text("abc\ndef"));
  QTextCursor cursor(document.get());
  cursor.setPosition(2);
  cursor.setPosition(5, QTextCursor::KeepAnchor);
  EXPECT_EQ(WritePlainText(cursor), "c\r\nd");
}

}  // namespace
}  // namespace fractions
