#include "richtext/confined_rtf.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <string>
#include <utility>
#include <vector>

#include "richtext/markup.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "rtf_test_support.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

TEST(ConfineRtf, KeepsTagsAndBalancedRtfAndMendsWhatReachesOutside) {
  struct Sample {
    std::string typed;  // markup, as the teacher types it
    std::string rtf;
  };
  const std::vector<Sample> samples = {
      {"<b>Titre</b> <ce=rouge>x", "\\b Titre\\b0  \\cf10 x"},
      {"{\\i italique} \\ul souligné\\ul0 \\'e9", "{\\i italique} \\ul souligné\\ul0 \\'e9"},
      {"fin } suite", "fin \\} suite"},
      {"ouvert { jamais", "ouvert \\{ jamais"},
      {"}{", "\\}\\{"},
      {"{a}}{b", "{a}\\}\\{b"},
      {"x\\bin999999999 y", "x\\\\bin999999999 y"},
      {"{\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr\"}{\\fldrslt ici}}",
       "{\\field{\\fldrslt ici}}"},
      {"{\\*\\fldinst HYPERLINK x", "\\{\\\\*\\\\fldinst HYPERLINK x"},
      {"\\fldinst HYPERLINK x", "\\\\fldinst HYPERLINK x"},
      {"a \\*\\cache b", "a \\\\*\\\\cache b"},
      {"{\\*\\comment c}", "{\\*\\comment c}"},
      {"a \\info b } c", "a \\\\info b \\} c"},
      {"{\\fonttbl x}", "{\\\\fonttbl x}"},
      {"fin\\'4", "fin\\\\'4"},
      {"\\u233e \\u", "\\u233e \\\\u"},
      {"x\\u233", "x{\\uc0\\u233}"},
      {"{\\uc2\\u233e}", "{\\uc2{\\uc0\\u233}e}"},
      {"\\uc2\\u233ee", "\\uc2\\u233ee\\uc1 "},
      {"fin\\", "fin\\\\"},
      // Deeper than readers accept: the braces past the hundredth show.
      {std::string(101, '{') + "x" + std::string(101, '}'),
       std::string(100, '{') + "\\{x\\}" + std::string(100, '}')},
  };
  for (const Sample& sample : samples) {
    EXPECT_EQ(ConfineRtf(MarkupToRtf(sample.typed)), sample.rtf) << sample.typed;
  }
}

// A document as its view reads it back, every picture or nothing (its
// pictures, its text), then as the window saves it and reads it again (its
// pictures).
struct ReadBack {
  std::vector<QImage> pictures, saved_pictures;
  QString text;
};

ReadBack Read(const std::string& rtf) {
  QTextDocument document, saved;
  QTextCursor cursor(&document);
  EXPECT_FALSE(InsertRtf(cursor, rtf, PictureReading::kAllOrError).has_value());
  EXPECT_FALSE(testing::ReadInto(saved, WriteRtf(document)).has_value());
  return {testing::Pictures(document), testing::Pictures(saved), document.toPlainText()};
}

SheetDocuments Build(const WorksheetSettings& settings) {
  return BuildSeededSheet({{ExerciseType::kAddition, settings}}, 17);
}

// Raw RTF that would take the rest of the document with it, or the rest of
// the typed text, typed in the title, the instruction or the separator: the
// subject and the key keep every question's picture, the instruction stays,
// and what is typed after the construct ("suite") shows.
TEST(TypedTextInWorksheet, RawRtfNeverSwallowsAQuestion) {
  const char* const typed_texts[] = {R"(\pict suite)",
                                     R"(x\bin suite)",
                                     R"(x\bin5 suite)",
                                     R"(x\bin99999999 suite)",
                                     R"({\* suite)",
                                     R"({\*\foo suite)",
                                     R"({\pict suite)",
                                     R"({\pict\dibitmap0 00} suite)",
                                     R"({\info {a} suite)",
                                     R"({x}} suite)",
                                     R"(gr\par as suite)",
                                     "suite\\",
                                     R"(suite\')",
                                     R"(suite\'4)",
                                     R"(suite\u)",
                                     R"(suite\u233)",
                                     R"(\* suite)",
                                     R"(\*\foo suite)",
                                     R"(\*\fldinst suite)",
                                     R"(\fonttbl suite)",
                                     R"({\fonttbl{\f0\fcharset2 Symbol;}} suite)",
                                     R"(\colortbl suite)",
                                     R"(\stylesheet suite)",
                                     R"(\header suite)",
                                     R"(\footnote suite)",
                                     R"(\field suite)",
                                     R"(\fldinst suite)",
                                     R"(\object suite)",
                                     R"(\shppict suite)",
                                     R"(\sect suite)",
                                     R"(\page suite)",
                                     R"(\pard\plain suite)"};
  WorksheetSettings settings;
  settings.count = 3;
  const SheetDocuments plain = Build(settings);
  const ReadBack plain_subject = Read(plain.subject);
  const ReadBack plain_key = Read(plain.answer_key);
  ASSERT_EQ(plain_subject.pictures.size(), 3u);
  const QString instruction = QString::fromLatin1(settings.instruction);
  const std::pair<std::string WorksheetSettings::*, const char*> fields[] = {
      {&WorksheetSettings::title, " in the title"},
      {&WorksheetSettings::instruction, " in the instruction"},
      {&WorksheetSettings::separator, " in the separator"}};
  for (const auto& [field, where] : fields) {
    for (const char* typed : typed_texts) {
      SCOPED_TRACE(std::string(typed) + where);
      WorksheetSettings hostile = settings;
      hostile.*field = typed;
      const SheetDocuments documents = Build(hostile);
      const ReadBack subject = Read(documents.subject);
      EXPECT_TRUE(subject.pictures == plain_subject.pictures);
      EXPECT_TRUE(subject.saved_pictures == plain_subject.saved_pictures);
      EXPECT_TRUE(Read(documents.answer_key).pictures == plain_key.pictures);
      EXPECT_TRUE(subject.text.contains(u"suite"_qs)) << subject.text.toStdString();
      EXPECT_TRUE(field == &WorksheetSettings::instruction || subject.text.contains(instruction))
          << subject.text.toStdString();
    }
  }
}

// The raw RTF teachers rely on keeps its meaning in a typed text.
TEST(TypedTextInWorksheet, EverydayRawRtfStillFormats) {
  struct Sample {
    const char* title;
    QString shown;
    QString styled;  // in `style`, unlike the last word of `shown`
    bool testing::Span::*style;
  };
  const Sample samples[] = {
      {"{\\b gras} maigre", u"gras maigre"_qs, u"gras"_qs, &testing::Span::bold},
      {"\\i penche\\i0  droit", u"penche droit"_qs, u"penche"_qs, &testing::Span::italic},
      {"a\\tab b", u"a\tb"_qs, {}, nullptr},
      {"un\\par deux", u"un\ndeux"_qs, {}, nullptr}};
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.title);
    WorksheetSettings settings;
    settings.title = sample.title;
    settings.count = 2;
    QTextDocument document;
    ASSERT_FALSE(testing::ReadInto(document, Build(settings).subject).has_value());
    EXPECT_EQ(testing::Pictures(document).size(), 2u);
    EXPECT_TRUE(document.toPlainText().contains(sample.shown));
    if (sample.style != nullptr) {
      EXPECT_TRUE(testing::SpanWith(document, sample.styled).value().*sample.style);
      EXPECT_FALSE(testing::SpanWith(document, sample.shown.section(u' ', -1)).value().*
                   sample.style);
    }
  }
}

}  // namespace
}  // namespace fractions
