// A folder that takes no new file but lets the teacher's own file in it be
// written (a shared folder of the school's, with the teacher's worksheet in
// it): saving writes that file in place, and a disk too full fails before
// the old content changes. And a sticky folder where one file of a set is
// someone else's. Needs root, to make the user who saves.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "faulty_file_system.h"
#include "files/file_errors.h"
#include "files/file_set.h"
#include "small_disk.h"
#include "test_user.h"

namespace fractions {
namespace {

class InPlace : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    user_ = testing::TestUser::Make("frplace");
    uid_ = user_.uid;
    gid_ = user_.gid;
  }
  static void TearDownTestSuite() { user_.Remove(); }

  void SetUp() override {
    ASSERT_EQ(::geteuid(), 0u) << "needs root: it makes the user who saves";
    ASSERT_FALSE(user_.name.empty()) << "useradd failed";
  }

  // The teacher's file in `folder`, a folder of root's that they may read
  // but not add to.
  static std::string TeachersFile(const QString& folder, const QByteArray& content) {
    const std::string path = QFile::encodeName(folder + "/feuille.rtf").toStdString();
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    EXPECT_EQ(::chown(path.c_str(), uid_, gid_), 0);
    const std::string local = QFile::encodeName(folder).toStdString();
    EXPECT_EQ(::chown(local.c_str(), 0, 0), 0);
    EXPECT_EQ(::chmod(local.c_str(), 0755), 0);
    return path;
  }

  // Runs `write` as the teacher; what it returns (the reason of a failure,
  // or "" on success).
  static std::string AsTeacher(const std::function<std::string()>& write) {
    int pipe_fds[2];
    EXPECT_EQ(::pipe(pipe_fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      std::string reason = "cannot become the teacher";
      if (::setgid(gid_) == 0 && ::setuid(uid_) == 0) {
        reason = write();
      }
      ::write(pipe_fds[1], reason.data(), reason.size());
      ::_exit(0);
    }
    ::close(pipe_fds[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) {
      reason.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipe_fds[0]);
    ::waitpid(child, nullptr, 0);
    return reason;
  }

  // Writes `bytes` to `path` as the teacher.
  static std::string WriteAsTeacher(const std::string& path, const std::string& bytes,
                                    const testing::SmallDisk* disk = nullptr) {
    return AsTeacher([&] {
      std::string reason;
      const auto write = [&] {
        const auto failure = WriteWholeFile(path, bytes);
        reason = failure ? FrenchErrorText(failure->error) : "";
      };
      disk != nullptr ? disk->Limited(write) : write();
      return reason;
    });
  }

  static QByteArray Read(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  static testing::TestUser user_;
  static uid_t uid_;
  static gid_t gid_;
};

testing::TestUser InPlace::user_;
uid_t InPlace::uid_ = 0;
gid_t InPlace::gid_ = 0;

TEST_F(InPlace, TheTeachersFileIsWrittenWhereNoNewFileMayBe) {
  QTemporaryDir folder;
  const std::string path = TeachersFile(folder.path(), "{\\rtf1 an older and longer worksheet}");
  EXPECT_EQ(WriteAsTeacher(path, "{\\rtf1 new}"), "");
  EXPECT_EQ(Read(path), "{\\rtf1 new}");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"feuille.rtf"});
  // A new file there is still refused, as the folder says.
  EXPECT_EQ(WriteAsTeacher(path + ".autre", "x"), "accès refusé");
}

TEST_F(InPlace, AFullDiskFailsBeforeTheOldContentChanges) {
  const testing::SmallDisk disk(64);
  const std::string path = TeachersFile(disk.Path(), "{\\rtf1 the old worksheet}");
  const std::string bigger(256 * 1024, 'x');
  EXPECT_EQ(WriteAsTeacher(path, bigger, &disk), disk.Reason());
  EXPECT_EQ(Read(path), "{\\rtf1 the old worksheet}");
}

// A sticky class folder (as /tmp is) where one file of the set belongs to
// someone else: the teacher may write it but not replace it. The set is
// refused before any file changes, even where no rename could be undone.
TEST_F(InPlace, ASetWithAFileOfAnotherUserInAStickyFolderChangesNothing) {
  QTemporaryDir folder;
  const std::string local = QFile::encodeName(folder.path()).toStdString();
  ASSERT_EQ(::chmod(local.c_str(), 01777), 0);
  const char* names[] = {"ws.rtf", "ws_Cor.rtf", "ws.pdf", "ws_Cor.pdf"};
  std::vector<FileContent> set;
  for (const char* name : names) {
    const std::string path = local + "/" + name;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(name) > 0);
    file.close();
    const bool others = std::string(name) == "ws_Cor.pdf";  // root's, writable by all
    ASSERT_EQ(::chown(path.c_str(), others ? 0 : uid_, others ? 0 : gid_), 0);
    ASSERT_EQ(::chmod(path.c_str(), others ? 0666 : 0644), 0);
    set.push_back({path, "new"});
  }
  const std::string reason = AsTeacher([&] {
    // Where names cannot be swapped (no undo), only a check before the
    // first rename keeps the old set.
    testing::FaultyFileSystem no_swap;
    no_swap.no_exchange = true;
    const auto failure = WriteFileSet(set, no_swap);
    return failure ? std::to_string(failure->file) + " " + FrenchErrorText(failure->failure.error)
                   : "";
  });
  EXPECT_EQ(reason, "3 accès refusé");
  for (const char* name : names) {
    EXPECT_EQ(Read(local + "/" + name), name);
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

}  // namespace
}  // namespace fractions
