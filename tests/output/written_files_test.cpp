// The preview's files are the program's only while they are as it wrote
// them: whatever stands at their names otherwise (a teacher's own file, a
// file put in the place of ours, a link) is neither replaced nor deleted.
#include "output/written_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

namespace fractions {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}

std::filesystem::path Local(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

TEST(WrittenFiles, OnlyWhatThisProcessWroteIsReplacedOrDeleted) {
  struct Case {
    const char* what;
    bool teacher_first;                      // a teacher's file at the name before
    std::function<void(const QDir&)> after;  // done to the name once written
    bool created;
    QByteArray left;  // at the name after RemoveAll
  };
  const Case cases[] = {
      {"a name of ours", false, [](const QDir&) {}, true, "(missing)"},
      {"a teacher's own file", true, [](const QDir&) {}, false, "mes notes"},
      {"ours replaced by a teacher's file", false,
       [](const QDir& d) {
         Write(d.filePath("other"), "mes notes");
         QFile::remove(d.filePath("Temp0.EMF"));
         QFile::rename(d.filePath("other"), d.filePath("Temp0.EMF"));
       },
       true, "mes notes"},
      {"ours replaced by a link", false,
       [](const QDir& d) {
         Write(d.filePath("victim"), "mes notes");
         QFile::remove(d.filePath("Temp0.EMF"));
         QFile::link(d.filePath("victim"), d.filePath("Temp0.EMF"));
       },
       true, "mes notes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir folder;
    const QDir here(folder.path());
    const QString name = here.filePath("Temp0.EMF");
    if (c.teacher_first) {
      Write(name, "mes notes");
    }
    WrittenFiles files;
    std::error_code error;
    const int fd = files.Create(Local(name), error);
    EXPECT_EQ(fd >= 0, c.created) << error.message();
    if (fd >= 0) {
      ::close(fd);
      // Written again: ours is replaced.
      const int again = files.Create(Local(name), error);
      EXPECT_GE(again, 0) << error.message();
      ::close(again);
    }
    c.after(here);
    EXPECT_EQ(files.IsFreeOrOurs(Local(name)), QByteArray(c.left) == "(missing)");
    files.RemoveAll();
    EXPECT_EQ(ReadAll(name), c.left);
    if (here.exists("victim")) {
      EXPECT_EQ(ReadAll(here.filePath("victim")), "mes notes");
    }
  }
}

}  // namespace
}  // namespace fractions
