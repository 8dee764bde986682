#include "files/file_set.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "files/file_errors.h"

namespace fractions {
namespace {

std::filesystem::path PathIn(const QTemporaryDir& folder, const char* name) {
  return QFile::encodeName(folder.filePath(name)).toStdString();
}

QByteArray Read(const std::filesystem::path& file) {
  QFile in(QFile::decodeName(file.c_str()));
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

void Write(const std::filesystem::path& file, const QByteArray& bytes, mode_t mode) {
  QFile out(QFile::decodeName(file.c_str()));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
  out.close();
  ::chmod(file.c_str(), mode);
}

mode_t Mode(const std::filesystem::path& file) {
  struct stat status {};
  ::stat(file.c_str(), &status);
  return status.st_mode & 07777;
}

TEST(StagedFile, KeepsPermissionBitsAndLeavesReadOnlyFilesAndFoldersAlone) {
  struct Case {
    const char* what;
    mode_t mode;
    std::optional<std::error_code> refused;
    mode_t mode_after;
  };
  const Case cases[] = {
      {"private file", 0640, std::nullopt, 0640},
      {"set-user-ID bit", 04755, std::nullopt, 0755},
      {"read-only file", 0444, make_error_code(FileError::kReadOnlyFile), 0444},
  };
  for (const Case& c : cases) {
    QTemporaryDir folder;
    const auto file = PathIn(folder, "ws.rtf");
    Write(file, "old", c.mode);
    const auto failure = WriteWholeFile(file, "new");
    EXPECT_EQ(failure ? std::optional(failure->error) : std::nullopt, c.refused) << c.what;
    EXPECT_EQ(Read(file), c.refused ? "old" : "new") << c.what;
    EXPECT_EQ(Mode(file), c.mode_after) << c.what;
  }
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkdir("ws.rtf"));
  StagedFile blocked;
  const auto failure = blocked.Stage(PathIn(folder, "ws.rtf"), "new");
  ASSERT_TRUE(failure);
  EXPECT_EQ(FrenchErrorText(failure->error), "un dossier porte ce nom");
}

TEST(FrenchErrorText, EveryErrorHasFrenchWordsAndTheCommonOnesTheirOwn) {
  for (int value = 1; value < 140; ++value) {
    const std::string text = FrenchErrorText({value, std::generic_category()});
    EXPECT_FALSE(text.empty()) << value;
    EXPECT_EQ(text.find("Unknown"), std::string::npos) << value;
    EXPECT_EQ(text, FrenchErrorText({value, std::system_category()})) << value;
  }
  EXPECT_EQ(FrenchErrorText({ENOSPC, std::generic_category()}), "disque plein");
  EXPECT_EQ(FrenchErrorText({EACCES, std::generic_category()}), "accès refusé");
  EXPECT_EQ(FrenchErrorText({EROFS, std::generic_category()}),
            "système de fichiers en lecture seule");
  EXPECT_EQ(FrenchErrorText({9999, std::generic_category()}), "erreur système 9999");
  EXPECT_EQ(FrenchErrorText(FileError::kForeignLink),
            "lien symbolique posé par un autre utilisateur");
}

}  // namespace
}  // namespace fractions
