#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <string>

#include "pictures/font_file.h"
#include "pictures/line_fonts.h"

namespace fractions {
namespace {

// fonts-liberation2 comes with the tests' packages (tools/test.sh).
constexpr const char* kLiberation2Folder = "/usr/share/fonts/truetype/liberation2";

std::string ReadFont(const char* folder) {
  QFile font(QDir(folder).filePath("LiberationSans-Regular.ttf"));
  EXPECT_TRUE(font.open(QIODevice::ReadOnly)) << font.fileName().toStdString();
  return font.readAll().toStdString();
}

TEST(FontFile, RevisionTellsTheTwoPackagesApartAndDamageIsRefused) {
  const std::string pinned = ReadFont(kLineFontFolder);
  ASSERT_TRUE(FontRevision(pinned).has_value());
  EXPECT_TRUE(IsRevision(*FontRevision(pinned), 1, 7));
  EXPECT_FALSE(IsRevision(FontRevision(ReadFont(kLiberation2Folder)).value_or(0), 1, 7));
  // Cut short, or a directory of 65535 tables in 12 bytes: nothing is read
  // past the end.
  const std::string many_tables = std::string("\0\1\0\0\xFF\xFF", 6) + std::string(6, '\0');
  for (std::string damaged : {std::string(), pinned.substr(0, 40), many_tables}) {
    EXPECT_FALSE(FontRevision(damaged).has_value());
    EXPECT_EQ(RenameFontFamily(damaged, "Liberation", "Fractlines"), 0);
  }
}

TEST(LineFonts, AMissingOrOtherFileIsNamedInFrench) {
  const auto message = [](const QString& folder) {
    try {
      LoadLineFonts(folder);
    } catch (const MissingFontError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message("/nonexistent-folder"),
            "La police « Liberation Sans » est introuvable : installez le paquet "
            "fonts-liberation.");
  EXPECT_NE(message(kLiberation2Folder).find("n'est pas la révision 1.07"), std::string::npos);
}

}  // namespace
}  // namespace fractions
