// A preview file is the program's only while it is as the program wrote it:
// a teacher's file, or one saved in its place later (on ext4 it often takes
// the freed inode number of ours), is neither replaced nor deleted. (Links:
// planted_links_test.cpp; the window: form_test.cpp.)
#include "output/written_files.h"

#include <gtest/gtest.h>

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
      // As long as the teacher's: only the bytes can tell the two apart.
      EXPECT_EQ(files.Write(path, "pas notes", error), !teachers_first) << error.message();
    }
    if (!teachers_first) {
      // The teacher deletes the program's file and saves one of that name.
      ASSERT_TRUE(QFile::remove(name));
      Write(name);
    }
    files.RemoveAll();
    QFile kept(name);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << teachers_first;
    EXPECT_EQ(kept.readAll(), "mes notes");
  }
}

}  // namespace
}  // namespace fractions
