// Reading what the writer wrote gives back the same text, formats and
// pictures: on real worksheets of every type and on a document holding
// every format the reader knows.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <optional>
#include <string>
#include <vector>

#include "drawing/exercise_catalogue.h"
#include "pictures/rtf_picture.h"
#include "richtext/keep_with_next.h"
#include "richtext/plain_text_writer.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "rtf_test_support.h"

namespace fractions {
namespace {

using testing::AddPicture;
using testing::Describe;
using testing::PictureCount;
using testing::ReadInto;
using testing::Spans;

// The picture groups of a document as the worksheet build wrote them.
std::vector<std::string> PictureGroups(const std::string& rtf) {
  std::vector<std::string> groups;
  for (size_t at = rtf.find("{\\pict"); at != std::string::npos; at = rtf.find("{\\pict", at)) {
    const size_t end = rtf.find('}', at);
    groups.push_back(rtf.substr(at, end + 1 - at));
    at = end;
  }
  return groups;
}

// Reads `rtf`, writes the result, reads that: both readings must agree, and
// writing the second gives the same RTF again.
void ExpectRoundTrip(const std::string& rtf, const std::string& label) {
  QTextDocument first;
  const auto error = ReadInto(first, rtf);
  ASSERT_FALSE(error.has_value()) << label << ": " << error->message;
  const std::string written = WriteRtf(first);
  QTextDocument second;
  const auto second_error = ReadInto(second, written);
  ASSERT_FALSE(second_error.has_value()) << label << ": " << second_error->message;
  EXPECT_EQ(Describe(second), Describe(first)) << label;
  EXPECT_EQ(WriteRtf(second), written) << label;
}

// Saved by our writer, each worksheet picture goes out twice, shown at its
// own size: a PNG drawn four times finer, which our reader takes, then its
// own DIB. Saved again, the copies lead back to their drawings: the same
// file, not copies of copies.
void ExpectSavedWithSharpCopies(const QTextDocument& document,
                                const std::vector<std::string>& groups, const std::string& label) {
  const std::string written = WriteRtf(document);
  for (const std::string& group : groups) {  // "{\pict\dibitmap0 " HEX " }"
    const std::string dib = " " + group.substr(17, group.size() - 19) + "}}";
    EXPECT_NE(written.find(dib), std::string::npos) << label;
  }
  QTextDocument read;
  ASSERT_FALSE(ReadInto(read, written).has_value()) << label;
  const std::vector<testing::Span> before = Spans(document);
  std::vector<testing::Span> after = Spans(read);
  ASSERT_EQ(after.size(), before.size()) << label;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i].picture) {
      EXPECT_EQ(after[i].image.size(), before[i].image.size() * 4) << label;
      after[i].image = before[i].image;  // and all else as before, the shown size included
    }
    EXPECT_EQ(after[i], before[i]) << label;
  }
  EXPECT_EQ(WriteRtf(read), written) << label;
}

class WorksheetRoundTrip : public ::testing::TestWithParam<ExerciseType> {};

TEST_P(WorksheetRoundTrip, KeepsTextFormatsAndPixels) {
  constexpr int kCount = 40;
  const SheetDocuments documents = testing::BuildSampleWorksheet(GetParam(), 500, kCount, 11);
  for (const auto& [label, rtf] :
       {std::pair{"subject", &documents.subject}, std::pair{"answer key", &documents.answer_key}}) {
    QTextDocument document;
    ASSERT_FALSE(ReadInto(document, *rtf).has_value()) << label;
    // Every picture is read pixel for pixel: the build's own encoder gives
    // back the very group it wrote.
    const std::vector<std::string> groups = PictureGroups(*rtf);
    ASSERT_EQ(groups.size(), size_t{kCount}) << label;
    size_t index = 0;
    for (const testing::Span& span : Spans(document)) {
      if (!span.picture) {
        continue;
      }
      ASSERT_LT(index, groups.size()) << label;
      EXPECT_EQ(BitmapToRtfPict(span.image), groups[index]) << label << " picture " << index;
      // Shown 1:1, at the picture's pixel size.
      EXPECT_EQ(span.width, span.image.width()) << label;
      EXPECT_EQ(span.height, span.image.height()) << label;
      ++index;
    }
    EXPECT_EQ(index, groups.size()) << label;
    ExpectSavedWithSharpCopies(document, groups, label);
  }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, WorksheetRoundTrip, ::testing::ValuesIn(kAllExerciseTypes),
                         [](const auto& info) {
                           return std::string(Describe(info.param).name_prefix);
                         });

struct Run {
  QString text;
  QString family = "Arial";
  double points = 12;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  std::optional<QColor> foreground = std::nullopt;
  std::optional<QColor> background = std::nullopt;
};

void Insert(QTextCursor& cursor, const Run& run) {
  QTextCharFormat format;
  format.setFontFamilies({run.family});
  format.setFontPointSize(run.points);
  format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(run.italic);
  format.setFontUnderline(run.underline);
  format.setFontStrikeOut(run.strike);
  format.setVerticalAlignment(run.vertical);
  if (run.foreground) {
    format.setForeground(*run.foreground);
  }
  if (run.background) {
    format.setBackground(*run.background);
  }
  cursor.insertText(run.text, format);
}

std::vector<QImage> SamplePictures() {
  QImage mono(13, 5, QImage::Format_Mono);
  mono.setColorTable({0xFF000000, 0xFFFFFFFF});
  QImage rgb_black_white(9, 4, QImage::Format_RGB32);
  QImage argb(6, 3, QImage::Format_ARGB32);
  QImage indexed(5, 5, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(200, 10, 10), qRgb(10, 200, 10), qRgb(10, 10, 200)});
  QImage grey(4, 7, QImage::Format_Grayscale8);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) {
      const bool on = (x * 7 + y * 3) % 5 < 2;
      if (y < mono.height()) {
        mono.setPixel(x, y, on ? 1 : 0);
      }
      if (x < rgb_black_white.width() && y < rgb_black_white.height()) {
        rgb_black_white.setPixel(x, y, on ? 0xFFFFFFFF : 0xFF000000);
      }
      if (x < argb.width() && y < argb.height()) {
        argb.setPixel(x, y, qRgba(x * 40, y * 80, 99, on ? 255 : 60));
      }
      if (x < indexed.width() && y < indexed.height()) {
        indexed.setPixel(x, y, static_cast<uint>((x + y) % 3));
      }
      if (x < grey.width()) {
        grey.setPixel(x, y, qRgb(x * 60, x * 60, x * 60));
      }
    }
  }
  return {mono, rgb_black_white, argb, indexed, grey};
}

TEST(RtfRoundTrip, KeepsEveryFormatCharacterAndPicture) {
  QTextDocument document;
  QTextCursor cursor(&document);
  const QColor red(255, 0, 0);
  const QColor teal(0, 128, 128);
  Insert(cursor, {.text = "plain \\ { } ; "});
  Insert(cursor, {.text = "bold", .points = 9, .bold = true});
  Insert(cursor, {.text = "italic", .family = "Times New Roman", .points = 10.5, .italic = true});
  Insert(cursor, {.text = "underline", .family = "Courier New", .points = 18, .underline = true});
  Insert(cursor, {.text = "strike", .strike = true});
  Insert(cursor, {.text = "2", .vertical = QTextCharFormat::AlignSuperScript});
  Insert(cursor, {.text = "i", .vertical = QTextCharFormat::AlignSubScript});
  Insert(cursor, {.text = "red",
                  .bold = true,
                  .italic = true,
                  .underline = true,
                  .strike = true,
                  .foreground = red});
  Insert(cursor, {.text = "on teal", .background = teal});
  Insert(cursor, {.text = "both", .points = 1638, .foreground = teal, .background = red});
  cursor.insertBlock();
  Insert(cursor, {.text = u"é€œ\u0081\u00A0\u00AD\u2011 日本 "_qs +
                          QString::fromUcs4(U"\U0001F600") + u"\tx\u2028y"_qs});
  Insert(cursor, {.text = u"αβ∑p∴\\"_qs, .family = "Symbol"});
  Insert(cursor, {.text = QString(QChar(0xF04A)), .family = "Wingdings"});
  Insert(cursor, {.text = u"Ünïcödé font"_qs, .family = u"Police \u00E9\u65E5"_qs});
  cursor.insertBlock();
  cursor.insertBlock();  // an empty paragraph
  const std::vector<QImage> pictures = SamplePictures();
  AddPicture(cursor, pictures[0], 13, 5);
  AddPicture(cursor, pictures[1], 30.4, 20);
  Insert(cursor, {.text = "between"});
  AddPicture(cursor, pictures[2], 6, 3);
  AddPicture(cursor, pictures[2], 6, 3);  // the same image twice in a row
  cursor.insertBlock();
  AddPicture(cursor, pictures[3], 2.6, 7);  // goal sizes are whole twips: 39
  AddPicture(cursor, pictures[4], 4, 7);

  const std::string written = WriteRtf(document);
  QTextDocument read;
  ASSERT_FALSE(ReadInto(read, written).has_value());
  EXPECT_EQ(Describe(read), Describe(document));
  EXPECT_EQ(PictureCount(read), 6);
  EXPECT_EQ(WriteRtf(read), written);
  // The plain text agrees too.
  QTextCursor all(&document);
  all.select(QTextCursor::Document);
  QTextCursor all_read(&read);
  all_read.select(QTextCursor::Document);
  EXPECT_EQ(WritePlainText(all_read), WritePlainText(all));
}

// What a format leaves unset is written as the document's default font, so
// the text looks the same once read back.
TEST(RtfRoundTrip, UnsetPropertiesTakeTheDefaultFont) {
  QTextDocument document;
  document.setDefaultFont(QFont("Courier New", 10));
  QTextCursor cursor(&document);
  cursor.insertText("x");
  QTextDocument read;
  ASSERT_FALSE(ReadInto(read, WriteRtf(document)).has_value());
  const auto span = testing::SpanWith(read, "x");
  ASSERT_TRUE(span.has_value());
  EXPECT_EQ(span->family, "Courier New");
  EXPECT_EQ(span->points, 10);
  EXPECT_FALSE(span->bold);
}

// Inputs fuzz_rtf_reader found whose round trip changed the text or the
// RTF: each must read, and the writer's RTF must read back the same.
TEST(RtfRoundTrip, KeepsWhatFuzzingFound) {
  using namespace std::string_literals;
  const std::vector<std::string> inputs = {
      // A font name of DEL characters: read as a name, written as none.
      "{\\rtf1\\deff7&{\\fonttbl\\f0\\fswlss\x7f\x7f\x7f\x7f\x7f\x7f\x7f;}{arset0 "
      "T036{fm@\\f\x00z\x1d\\green128\\{\\rtline b\\par "
      "\x00\xff\x01\x00\xff\x9c\x9a\xc7\xb8*c\x80U\x00\x00\x00?\x82\x00\x00\xdf\xc0\x00"
      "\x02\xff\xc0\x00\x00}}\\\x0a"
      "d}"s,
  };
  for (size_t i = 0; i < inputs.size(); ++i) {
    ExpectRoundTrip(inputs[i], "finding " + std::to_string(i));
  }
}

std::vector<bool> KeptParagraphs(const QTextDocument& document) {
  std::vector<bool> kept;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    kept.push_back(KeepsWithNext(block.blockFormat()));
  }
  return kept;
}

// A paragraph under \keepn (until \pard or the end of its group) keeps
// with the next, and stays so when the view saves it and reads it back;
// saved again, it gives the same bytes.
TEST(RtfRoundTrip, KeepsParagraphsWithTheNext) {
  struct Case {
    const char* body;
    std::vector<bool> kept;
  };
  const Case cases[] = {
      {"{\\plain\\keepn Exercice 2\\par}\\keepn Consigne\\par\\par ---\\par\\pard Q1\\par Q2",
       {true, true, true, true, false, false}},
      {"{\\keepn Exercice 1\\par}Consigne\\par Q1", {true, false, false}},
      {"A\\keepn\\par B\\page C\\keepn0\\par D", {true, true, false, false}},
      {"\\keepn A\\par B", {true, false}},  // the last paragraph has nothing to keep with
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    QTextDocument read;
    ASSERT_FALSE(ReadInto(read, testing::InPrologue(c.body)).has_value());
    EXPECT_EQ(KeptParagraphs(read), c.kept);
    const std::string saved = WriteRtf(read);
    QTextDocument reloaded;
    ASSERT_FALSE(ReadInto(reloaded, saved).has_value());
    EXPECT_EQ(KeptParagraphs(reloaded), c.kept) << saved;
    EXPECT_EQ(WriteRtf(reloaded), saved);
  }
}

// A selection taken from a worksheet reads back as the selected part.
TEST(RtfRoundTrip, KeepsASelectionOfAWorksheet) {
  const SheetDocuments documents = testing::BuildSampleWorksheet(ExerciseType::kPowers, 100, 5, 3);
  QTextDocument document;
  ASSERT_FALSE(ReadInto(document, documents.answer_key).has_value());
  QTextCursor selection(&document);
  selection.setPosition(5);
  selection.setPosition(document.characterCount() - 9, QTextCursor::KeepAnchor);

  QTextDocument part;
  ASSERT_FALSE(ReadInto(part, WriteRtf(selection)).has_value());
  EXPECT_EQ(part.toPlainText(), selection.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
  EXPECT_EQ(PictureCount(part), 4);
}

}  // namespace
}  // namespace fractions
