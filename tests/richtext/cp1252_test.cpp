#include <gtest/gtest.h>

#include <string>

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

TEST(Cp1252, CharactersOutsideTheCodePageAreRefused) {
  for (const QString& text : {QStringLiteral("ok \u65E5"), QStringLiteral("\u0080"),
                              QString::fromUcs4(U"\U0001F600"), QStringLiteral("\u0153\u2212")}) {
    EXPECT_FALSE(ToCp1252(text).has_value()) << text.toStdString();
  }
  EXPECT_EQ(ToCp1252(QStringLiteral("Pr\u00E9nom \u0153uvre")), "Pr\xE9nom \x9Cuvre");
}

}  // namespace
}  // namespace fractions
