// A set of files replaced all or nothing, with the file system failing
// under it: a disk that fails fsync or reports a lost write at close, a
// rename refused half-way, a name taken between staging and commit, a
// second program committing the same set at the same moment.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "faulty_file_system.h"
#include "files/file_errors.h"
#include "files/file_set.h"

namespace fractions {
namespace {

namespace fs = std::filesystem;
using testing::FaultyFileSystem;
using Call = FaultyFileSystem::Call;
using Files = std::map<std::string, std::string>;

const Files kOldSet = {{"ws.rtf", "old subject"}, {"ws_Cor.rtf", "old key"}, {"ws.pdf", "old pdf"}};
const Files kNewSet = {{"ws.rtf", "new subject"}, {"ws_Cor.rtf", "new key"}, {"ws.pdf", "new pdf"}};

// A folder holding files; Entries() gives every entry in it, any that is
// not a file as "<other>".
struct SetFolder {
  explicit SetFolder(const Files& files = kOldSet) {
    for (const auto& [name, bytes] : files) {
      Write(name, bytes);
    }
  }
  fs::path Path(const std::string& name) const { return fs::path(dir.path().toStdString()) / name; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  Files Entries() const {
    Files entries;
    for (const auto& entry : fs::directory_iterator(Path(""))) {
      std::ostringstream bytes;
      if (entry.is_regular_file()) {
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
      }
      entries[entry.path().filename()] = entry.is_regular_file() ? bytes.str() : "<other>";
    }
    return entries;
  }
  // `files` to write into the folder, in the order subject, key, PDF.
  std::vector<FileContent> Set(const Files& files = kNewSet) const {
    std::vector<FileContent> set;
    for (const char* name : {"ws.rtf", "ws_Cor.rtf", "ws.pdf"}) {
      set.push_back({Path(name), files.at(name)});
    }
    return set;
  }
  QTemporaryDir dir;
};

TEST(CommitFaults, EveryFailureLeavesTheWholeOldSetAndNamesItsFile) {
  struct Case {
    const char* what;
    Call call;
    int nth;
    int error;
    std::size_t file;  // the one named
    WriteStep step;
  };
  const Case cases[] = {
      {"the disk fails fsync on the answer key", Call::kFsync, 2, EIO, 1, WriteStep::kWrite},
      {"close reports a lost write of the subject", Call::kClose, 1, EIO, 0, WriteStep::kWrite},
      {"the disk fills up writing the PDF", Call::kWrite, 3, ENOSPC, 2, WriteStep::kWrite},
      {"the answer key's rename is refused", Call::kRename, 2, EIO, 1, WriteStep::kCreate},
      {"the last rename is refused", Call::kRename, 3, EROFS, 2, WriteStep::kCreate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SetFolder folder;
    FaultyFileSystem fs;
    fs.Fail(c.call, c.nth, c.error);
    const auto failure = WriteFileSet(folder.Set(), fs);
    ASSERT_TRUE(failure) << "reported as success";
    EXPECT_EQ(failure->file, c.file);
    EXPECT_EQ(failure->failure.step, c.step);
    EXPECT_EQ(failure->failure.error, std::error_code(c.error, std::generic_category()));
    EXPECT_EQ(folder.Entries(), kOldSet) << "not the old set, or a staging file left";
  }
  const SetFolder folder;
  FaultyFileSystem fs;
  EXPECT_FALSE(WriteFileSet(folder.Set(), fs));
  EXPECT_EQ(folder.Entries(), kNewSet);
}

// On a file system that cannot swap two names, a replaced file cannot get
// its old content back: every target is checked, under the lock, before
// the first of them is replaced.
TEST(CommitFaults, TargetsChangedAfterStagingAreRefusedBeforeAnyRename) {
  struct Case {
    const char* name;
    std::function<void(const char*)> put;  // what is put at the name
    std::error_code error;
  };
  const Case cases[] = {
      {"ws_Cor.rtf", [](const char* p) { fs::create_directory(p); },
       std::make_error_code(std::errc::is_a_directory)},
      {"ws.pdf", [](const char* p) { ::mkfifo(p, 0600); },
       make_error_code(FileError::kNotRegularFile)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SetFolder folder;
    FaultyFileSystem fs;
    fs.no_exchange = true;
    fs.on_first_lock = [&] {
      fs::remove(folder.Path(c.name));
      c.put(folder.Path(c.name).c_str());
    };
    const auto failure = WriteFileSet(folder.Set(), fs);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->failure.error, c.error);
    Files expected = kOldSet;
    expected[c.name] = "<other>";
    EXPECT_EQ(folder.Entries(), expected);
  }
}

// Staging names are drawn at random; whatever already holds one (another
// run's staging file, a link someone planted to a file of the teacher's) is
// never written through, replaced or removed. A name of 255 bytes, the
// most a folder takes, still gets a staging name.
TEST(CommitFaults, StagingNeverTouchesANameAlreadyTaken) {
  const SetFolder folder(Files{{"victim.rtf", "teacher's own work"}});
  fs::create_symlink(folder.Path("victim.rtf"), folder.Path("ws.rtf.AAAAAA.tmp"));
  folder.Write("ws.rtf.BBBBBB.tmp", "another run's staging file");
  FaultyFileSystem fs;
  fs.names = {"AAAAAA", "BBBBBB"};
  EXPECT_FALSE(WriteWholeFile(folder.Path("ws.rtf"), "new subject", fs));
  Files expected = {{"victim.rtf", "teacher's own work"},
                    {"ws.rtf.AAAAAA.tmp", "teacher's own work"},
                    {"ws.rtf.BBBBBB.tmp", "another run's staging file"},
                    {"ws.rtf", "new subject"}};
  EXPECT_EQ(folder.Entries(), expected);

  const std::string longest = std::string(251, 'x') + ".rtf";
  EXPECT_FALSE(WriteWholeFile(folder.Path(longest), "new", fs));
  expected[longest] = "new";
  EXPECT_EQ(folder.Entries(), expected);
}

// A second program commits its set while the first is between two renames:
// it waits for the first set to be whole, then replaces it whole.
TEST(CommitFaults, TwoSetsIntoOneFolderNeverInterleave) {
  const SetFolder folder;
  const Files second_set = {
      {"ws.rtf", "second subject"}, {"ws_Cor.rtf", "second key"}, {"ws.pdf", "second pdf"}};
  std::thread second;
  FaultyFileSystem fs;
  fs.after_first_rename = [&] {
    second = std::thread([&] { EXPECT_FALSE(WriteFileSet(folder.Set(second_set))); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  };
  EXPECT_FALSE(WriteFileSet(folder.Set(), fs));
  second.join();
  EXPECT_EQ(folder.Entries(), second_set);
}

// What `fractions-cli ARGS --pdf --out <folder>/ws` leaves, by file name,
// once `runs` of it have been started together; whether each exited 0.
std::vector<bool> RunTogether(const std::vector<QStringList>& runs, const QString& folder) {
  std::vector<std::unique_ptr<QProcess>> processes;
  for (const QStringList& args : runs) {
    processes.push_back(std::make_unique<QProcess>());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "1700000000");  // comparable PDFs
    processes.back()->setProcessEnvironment(environment);
    processes.back()->start(FRACTIONS_CLI, args + QStringList{"--pdf", "--out", folder + "/ws"});
  }
  std::vector<bool> succeeded;
  for (const auto& process : processes) {
    EXPECT_TRUE(process->waitForFinished(60000));
    succeeded.push_back(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0);
  }
  return succeeded;
}

Files SetOf(const QStringList& args) {
  const SetFolder room(Files{});
  EXPECT_EQ(RunTogether({args}, room.dir.path()), std::vector<bool>{true});
  return room.Entries();
}

// The command line started twice at once on one name: the folder then holds
// one whole set, of a run that exited 0, never one run's subject beside the
// other's answer key; when both fail, the set that was there.
TEST(CommitFaults, SimultaneousRunsOnOneNameLeaveOneWholeSet) {
  const QStringList first = {"--type", "add", "--count", "20", "--variants", "5", "--seed", "1"};
  const QStringList second = {"--type", "add", "--count", "20", "--variants", "5", "--seed", "2"};
  const Files sets[] = {SetOf(first), SetOf(second)};
  ASSERT_EQ(sets[0].size(), 4u);
  const SetFolder folder(Files{});
  const QString path = folder.dir.path();
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(RunTogether({first, second}, path), (std::vector<bool>{true, true}));
    const Files left = folder.Entries();
    EXPECT_TRUE(left == sets[0] || left == sets[1]) << "a mixed set";
  }
  fs::remove(folder.Path("ws_Cor.pdf"));
  fs::create_directory(folder.Path("ws_Cor.pdf"));
  const Files before = folder.Entries();
  EXPECT_EQ(RunTogether({first, second}, path), (std::vector<bool>{false, false}));
  EXPECT_EQ(folder.Entries(), before);
}

// Where the folder takes no new file, the file is written in place: it is
// emptied first, so that a write that stops half-way (a kill, a failing
// disk) leaves the start of the new content, never followed by the end of
// the old one.
TEST(CommitFaults, InPlaceWritesNeverLeaveAnOldTail) {
  const std::string old_bytes(100, 'o');
  const std::string new_bytes(40, 'n');
  for (const bool fails : {false, true}) {
    SCOPED_TRACE(fails ? "the write stops half-way" : "the write ends");
    const SetFolder folder(Files{{"ws.rtf", old_bytes}});
    FaultyFileSystem fs;
    fs.no_new_files = true;
    fs.half_writes = true;
    if (fails) {
      fs.Fail(Call::kWrite, 2, EIO);
    }
    const auto failure = WriteWholeFile(folder.Path("ws.rtf"), new_bytes, fs);
    EXPECT_EQ(failure.has_value(), fails);
    EXPECT_EQ(folder.Entries(), (Files{{"ws.rtf", fails ? new_bytes.substr(0, 20) : new_bytes}}));
  }
}

}  // namespace
}  // namespace fractions
