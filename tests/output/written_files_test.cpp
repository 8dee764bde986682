// A preview file is the program's only while it is as the program wrote it:
// a teacher's file, or one put in its place later, is neither replaced nor
// deleted. (Links: planted_links_test.cpp; the window: form_test.cpp.)
#include "output/written_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

namespace fractions {
namespace {

void Write(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("mes notes") == 9);
}

TEST(WrittenFiles, OnlyWhatThisProcessWroteIsReplacedOrDeleted) {
  for (const bool teachers_first : {true, false}) {
    QTemporaryDir folder;
    const QString name = folder.filePath("Temp0.EMF");
    const std::filesystem::path path = QFile::encodeName(name).toStdString();
    if (teachers_first) {
      Write(name);
    }
    WrittenFiles files;
    std::error_code error;
    for (int time = 0; time < 2; ++time) {  // the second time over its own file
      const int fd = files.Create(path, error);
      EXPECT_EQ(fd >= 0, !teachers_first) << error.message();
      if (fd >= 0) {
        ::close(fd);
      }
    }
    if (!teachers_first) {
      // The teacher saves a file of that name over the program's.
      Write(folder.filePath("mine"));
      ASSERT_TRUE(QFile::remove(name) && QFile::rename(folder.filePath("mine"), name));
    }
    files.RemoveAll();
    QFile kept(name);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << teachers_first;
    EXPECT_EQ(kept.readAll(), "mes notes");
  }
}

}  // namespace
}  // namespace fractions
