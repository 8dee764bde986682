#include <gtest/gtest.h>

#include <string>

#include "richtext/cp1252.h"
#include "richtext/qt_text.h"

namespace fractions {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughQString) {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) {
    all_bytes += static_cast<char>(b);
  }
  const QString text = ToQString(all_bytes);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(ToCp1252(text), all_bytes);
}

TEST(Cp1252, TypographicRangeDiffersFromLatin1) {
  struct Case {
    unsigned char byte;
    char16_t unicode;
  };
  const Case cases[] = {
      {0x80, u'€'}, {0x85, u'…'}, {0x8C, u'Œ'}, {0x92, u'’'}, {0x9C, u'œ'},
      {0x9F, u'Ÿ'}, {0xAB, u'«'}, {0xE9, u'é'}, {0xC9, u'É'}, {0x81, u'\u0081'},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(ToQString(byte), QString(QChar(c.unicode))) << int{c.byte};
    EXPECT_EQ(ToCp1252(QString(QChar(c.unicode))), byte) << int{c.byte};
  }
}

// The shortest form of each length is read; one below it (overlong), a
// surrogate or a code point past U+10FFFF is refused.
TEST(Utf8, SequencesAreReadAtTheirBoundsAndRefusedPastThem) {
  const struct {
    std::string_view bytes;
    std::size_t length;
    char32_t code;
  } cases[] = {{"\xC2\x80", 2, 0x80},
               {"\xC1\xBF", 0, 0},
               {"\xE0\xA0\x80", 3, 0x800},
               {"\xE0\x9F\xBF", 0, 0},
               {"\xF0\x90\x80\x80", 4, 0x10000},
               {"\xF0\x8F\xBF\xBF", 0, 0},
               {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
               {"\xF4\x90\x80\x80", 0, 0},
               {"\xED\xA0\x80", 0, 0},
               {"\xE2\x82", 0, 0}};
  for (const auto& c : cases) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(c.bytes, code);
    EXPECT_EQ(length, c.length) << testing::PrintToString(std::string(c.bytes));
    if (c.length != 0) {
      EXPECT_EQ(code, c.code);
    }
  }
}

TEST(Cp1252, CharactersOutsideTheCodePageAreRefused) {
  for (const QString& text : {QStringLiteral("ok \u65E5"), QStringLiteral("\u0080"),
                              QString::fromUcs4(U"\U0001F600"), QStringLiteral("\u0153\u2212")}) {
    EXPECT_FALSE(ToCp1252(text).has_value()) << text.toStdString();
  }
  EXPECT_EQ(ToCp1252(QStringLiteral("Pr\u00E9nom \u0153uvre")), "Pr\xE9nom \x9Cuvre");
}

}  // namespace
}  // namespace fractions
