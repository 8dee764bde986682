// Symbolic links another local user plants in a folder the teacher shares
// with them (group-writable, not sticky: in a sticky folder the kernel
// itself already refuses to follow them). No file the program writes goes
// through such a link; the teacher's own links, and linked folders higher
// in a path, still work. Needs root, to make the second user.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>
#include <sstream>

#include "cli/cli_app.h"
#include "files/file_errors.h"
#include "files/file_set.h"
#include "output/preview_files.h"
#include "output/rich_edit_emf_print.h"
#include "output/save_views.h"
#include "richtext/rtf_reader.h"
#include "settings/ini_file.h"
#include "test_user.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

constexpr char kForeignLink[] = "lien symbolique posé par un autre utilisateur";

std::string Local(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool IsLink(const QString& path) {
  struct stat status {};
  return ::lstat(Local(path).c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

class PlantedLinks : public ::testing::Test {
 protected:
  // The other user, made for this run and removed after it.
  static void SetUpTestSuite() {
    user_ = testing::TestUser::Make("frtest");
    uid_ = user_.uid;
    gid_ = user_.gid;
  }
  static void TearDownTestSuite() { user_.Remove(); }

  void SetUp() override {
    ASSERT_EQ(::geteuid(), 0u) << "needs root: it makes a second user to plant the links";
    ASSERT_FALSE(user_.name.empty()) << "useradd failed";
    // The teacher's shared class folder: theirs, writable by the other
    // user's group, not sticky.
    ASSERT_EQ(::chown(Local(shared_.path()).c_str(), 0, gid_), 0);
    ASSERT_EQ(::chmod(Local(shared_.path()).c_str(), 0770), 0);
  }

  // A file of the teacher's, elsewhere, that the other user wants replaced.
  QString Victim(const QString& name) {
    const QString path = private_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("teacher's own work") > 0);
    file.close();
    ::chmod(Local(path).c_str(), 0600);
    return path;
  }

  // Makes the link `link` -> `target` as the other user.
  void Plant(const QString& link, const QString& target) const {
    const std::string from = Local(target);
    const std::string at = Local(link);
    const pid_t child = ::fork();
    if (child == 0) {
      const bool planted =
          ::setgid(gid_) == 0 && ::setuid(uid_) == 0 && ::symlink(from.c_str(), at.c_str()) == 0;
      ::_exit(planted ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "could not plant " << at;
    struct stat link_status {};
    ASSERT_EQ(::lstat(at.c_str(), &link_status), 0);
    ASSERT_EQ(link_status.st_uid, uid_);
  }

  static testing::TestUser user_;
  static uid_t uid_;
  static gid_t gid_;
  QTemporaryDir shared_;
  QTemporaryDir private_;
};

testing::TestUser PlantedLinks::user_;
uid_t PlantedLinks::uid_ = 0;
gid_t PlantedLinks::gid_ = 0;

// A small worksheet's subject, as a view holds it.
QTextDocument& Subject() {
  static QTextDocument document;
  if (document.isEmpty()) {
    WorksheetSettings settings;
    settings.count = 2;
    QTextCursor cursor(&document);
    InsertRtf(cursor, BuildSeededSheet({{ExerciseType::kAddition, settings}}, 3).subject);
  }
  return document;
}

QTextCursor WholeSubject() {
  QTextCursor cursor(&Subject());
  cursor.select(QTextCursor::Document);
  return cursor;
}

QPrinter& A4() {
  static QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  printer.setFullPage(true);
  return printer;
}

TEST_F(PlantedLinks, NoWriteOfTheProgramGoesThroughThem) {
  struct Writer {
    const char* what;
    QStringList names;  // planted, each to a victim of its own
    // Writes into the folder; the message of a refusal, empty if none.
    std::function<std::string(const QDir&)> write;
  };
  const std::vector<Writer> writers = {
      {"fractions-cli --out",
       {"ws.rtf"},
       [](const QDir& folder) {
         std::ostringstream out;
         std::ostringstream err;
         RunCli({"--type", "add", "--count", "2", "--seed", "1", "--out",
                 Local(folder.filePath("ws"))},
                out, err);
         return err.str();
       }},
      {"saving from the window",
       {"feuille.rtf"},
       [](const QDir& folder) {
         try {
           SaveWorksheet(WholeSubject, WholeSubject, folder.filePath("feuille.rtf"));
         } catch (const SaveError& error) {
           return std::string(error.what());
         }
         return std::string();
       }},
      {"the settings file",
       {"fractions.ini"},
       [](const QDir& folder) {
         const std::error_code error = SaveIniFile(IniDocument::Parse("[TForm1]\nFormVersion=0\n"),
                                                   Local(folder.filePath("fractions.ini")));
         return error ? FrenchErrorText(error) : std::string();
       }},
      {"the preview's files",
       {"TWFile.txt", "Temp0.EMF", "Temp1.EMF"},
       [](const QDir& folder) {
         WrittenFiles files;
         EXPECT_FALSE(WriteTest(folder, files));
         EXPECT_EQ(RichEditToEMF(Subject(), folder, A4(), files), 0);
         // The window's preview goes to a folder of its own instead.
         PreviewFiles preview;
         const std::optional<QDir> own = preview.Folder(folder);
         EXPECT_TRUE(own.has_value() && *own != folder);
         return std::string();
       }},
  };
  for (const Writer& writer : writers) {
    SCOPED_TRACE(writer.what);
    const QDir folder(shared_.path());
    std::vector<QString> victims;
    for (const QString& name : writer.names) {
      victims.push_back(Victim(name + ".victim"));
      Plant(folder.filePath(name), victims.back());
    }
    const std::string message = writer.write(folder);
    for (const QString& victim : victims) {
      EXPECT_EQ(Read(victim), "teacher's own work") << victim.toStdString();
    }
    // The preview, which says nothing, leaves the links as they are too.
    if (writer.names.front() != "TWFile.txt") {
      EXPECT_NE(message.find(kForeignLink), std::string::npos) << message;
    }
    EXPECT_TRUE(IsLink(folder.filePath(writer.names.front())));
    EXPECT_TRUE(folder.entryList({"*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
  }
}

// A folder anyone may write to but not sticky, where the kernel itself
// follows any link: every link of a chain is checked, not only the first.
TEST_F(PlantedLinks, EveryLinkOfAChainIsCheckedInAWorldWritableFolder) {
  ASSERT_EQ(::chmod(Local(shared_.path()).c_str(), 0777), 0);
  const QDir shared(shared_.path());
  for (const bool chain : {false, true}) {
    SCOPED_TRACE(chain ? "the teacher's link to the other user's link" : "the other user's link");
    const QString victim = Victim(chain ? "chain.victim" : "direct.victim");
    const QString name = shared.filePath(chain ? "chain.rtf" : "direct.rtf");
    if (chain) {
      Plant(shared.filePath("step"), victim);
      ASSERT_TRUE(QFile::link(shared.filePath("step"), name));
    } else {
      Plant(name, victim);
    }
    const auto failure = WriteWholeFile(Local(name), "{\\rtf1 new}");
    ASSERT_TRUE(failure);
    EXPECT_EQ(FrenchErrorText(failure->error), kForeignLink);
    EXPECT_EQ(Read(victim), "teacher's own work");
  }
}

TEST_F(PlantedLinks, TheTeachersOwnLinksAndLinkedFoldersStillWork) {
  const QDir shared(shared_.path());
  // A link the teacher made in the shared folder.
  const QString mine = Victim("mine.rtf");
  ASSERT_TRUE(QFile::link(mine, shared.filePath("mine.rtf")));
  // The other user's own folder, with a link of theirs (IT setting up a
  // "Documents" link, say).
  ASSERT_TRUE(shared.mkdir("theirs"));
  const QString theirs = shared.filePath("theirs");
  ASSERT_EQ(::chown(Local(theirs).c_str(), uid_, gid_), 0);
  const QString target = Victim("documents.rtf");
  Plant(theirs + "/documents.rtf", target);
  // A linked folder above the file's name, whoever made the link.
  Plant(shared.filePath("classe"), private_.path());

  struct Case {
    QString written, changed;
  };
  for (const Case& c :
       {Case{shared.filePath("mine.rtf"), mine}, Case{theirs + "/documents.rtf", target},
        Case{shared.filePath("classe/feuille.rtf"), private_.filePath("feuille.rtf")}}) {
    EXPECT_FALSE(WriteWholeFile(Local(c.written), "{\\rtf1 new}")) << c.written.toStdString();
    EXPECT_EQ(Read(c.changed), "{\\rtf1 new}") << c.written.toStdString();
  }
  EXPECT_TRUE(IsLink(shared.filePath("mine.rtf")));
}

}  // namespace
}  // namespace fractions
