// The same seed gives the same RTF bytes whichever Liberation Sans files
// fontconfig sees or prefers and whatever hinting its rules ask for: the
// pictures are drawn from the pinned 1.07 files. Each set-up is a
// fractions-cli process of its own with its own fontconfig file.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sstream>
#include <string>

#include "cli/cli_app.h"
#include "pictures/line_image.h"
#include "richtext/dib.h"
#include "richtext/rtf_picture_reader.h"

namespace fractions {
namespace {

struct FontSetUp {
  const char* what;
  const char* rules;  // inside <fontconfig>
};

const FontSetUp kSetUps[] = {
    {"fonts-liberation only", "<dir>/usr/share/fonts/truetype/liberation</dir>"},
    {"fonts-liberation2 only", "<dir>/usr/share/fonts/truetype/liberation2</dir>"},
    {"every font, autohinted",
     R"(<include ignore_missing="no">/etc/fonts/fonts.conf</include>
        <match target="pattern"><edit name="autohint" mode="assign"><bool>true</bool></edit></match>
        <match target="font"><edit name="autohint" mode="assign"><bool>true</bool></edit>
          <edit name="hintstyle" mode="assign"><const>hintslight</const></edit></match>)"},
};

std::string ReadFile(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll().toStdString();
}

// The first picture of an RTF document, decoded.
QImage FirstPicture(const std::string& rtf) {
  const std::string open = "{\\pict\\dibitmap0 ";
  const size_t start = rtf.find(open);
  const size_t end = rtf.find(" }", start);
  if (start == std::string::npos || end == std::string::npos) {
    return {};
  }
  const QByteArray hex =
      QByteArray::fromStdString(rtf.substr(start + open.size(), end - start - open.size()));
  const QByteArray dib = QByteArray::fromHex(hex);
  return DecodeDib(std::string_view(dib.constData(), static_cast<size_t>(dib.size())),
                   kMaxPicturePixels)
      .value_or(QImage());
}

// True when the middle of the black pixels inside `area` is white, as in
// a ring (a filled block has no hole).
bool HasAHole(const QImage& picture, QRect area) {
  QRect black;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(picture.pixel(x, y)) < 128) {
        black |= QRect(x, y, 1, 1);
      }
    }
  }
  return black.width() >= 3 && black.height() >= 3 && qGray(picture.pixel(black.center())) >= 128;
}

TEST(PinnedFonts, SameSeedSameRtfWhateverFontconfigPrefers) {
  QTemporaryDir folder;
  const std::vector<std::string> arguments = {"--type", "pow", "--count", "40", "--seed", "900"};
  std::vector<std::string> in_process = arguments;
  in_process.insert(in_process.end(), {"--out", folder.filePath("here").toStdString()});
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(RunCli(in_process, out, err), kExitOk) << err.str();
  const std::string subject = ReadFile(folder.filePath("here.rtf"));
  const std::string answer_key = ReadFile(folder.filePath("here_Cor.rtf"));

  // "1°)" at (0, 6) in the line font: its degree sign is a ring.
  LineImage measure;
  measure.SetSize(1, 1);
  const int degree_left = measure.TextWidth("1");
  const int degree_right = measure.TextWidth("1\xB0");
  const QImage first = FirstPicture(answer_key);
  ASSERT_FALSE(first.isNull());
  EXPECT_TRUE(HasAHole(first, QRect(degree_left, 6, degree_right - degree_left, 8)));

  for (size_t i = 0; i < std::size(kSetUps); ++i) {
    SCOPED_TRACE(kSetUps[i].what);
    const QString config = folder.filePath(QString("fonts%1.conf").arg(i));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("<?xml version=\"1.0\"?>\n<fontconfig>%1<cachedir>%2</cachedir>"
                       "</fontconfig>\n")
                   .arg(kSetUps[i].rules, folder.filePath(QString("cache%1").arg(i)))
                   .toUtf8());
    file.close();
    const QString base = folder.filePath(QString("run%1").arg(i));
    QStringList child_arguments;
    for (const std::string& argument : arguments) {
      child_arguments << QString::fromStdString(argument);
    }
    child_arguments << "--out" << base;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("FONTCONFIG_FILE", config);
    child.setProcessEnvironment(environment);
    child.start(FRACTIONS_CLI_PATH, child_arguments);
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitCode(), kExitOk) << child.readAllStandardError().toStdString();
    EXPECT_TRUE(ReadFile(base + ".rtf") == subject);
    EXPECT_TRUE(ReadFile(base + "_Cor.rtf") == answer_key);
  }
}

}  // namespace
}  // namespace fractions
