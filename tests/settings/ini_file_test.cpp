#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/settings_path.h"
#include "temp_folder.h"

namespace fractions {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// A file of exactly `size` bytes whose first lines hold s/k=v.
std::string PaddedFile(std::size_t size) {
  std::string bytes = "[s]\r\nk=v\r\n;";
  bytes.resize(size, 'x');
  return bytes;
}

TEST(LoadIniFile, GivesTheValuesHeldOrNoneWithoutHangingOrOverreading) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    IniLoadStatus status;
    std::optional<std::string> value;  // of s/k
  };
  const std::vector<Case> cases = {
      {"missing", [](const fs::path&) {}, IniLoadStatus::kMissing, std::nullopt},
      {"empty", [](const fs::path& p) { WriteBytes(p, ""); }, IniLoadStatus::kLoaded, std::nullopt},
      {"at the size limit", [](const fs::path& p) { WriteBytes(p, PaddedFile(kMaxIniFileBytes)); },
       IniLoadStatus::kLoaded, "v"},
      {"one byte above it",
       [](const fs::path& p) { WriteBytes(p, PaddedFile(kMaxIniFileBytes + 1)); },
       IniLoadStatus::kTooLarge, std::nullopt},
      {"at the line limit",
       [](const fs::path& p) {
         WriteBytes(p, "[s]\nk=v" + std::string(kMaxIniFileLines - 1, '\n'));
       },
       IniLoadStatus::kLoaded, "v"},
      {"one line above it",
       [](const fs::path& p) { WriteBytes(p, "[s]\nk=v" + std::string(kMaxIniFileLines, '\n')); },
       IniLoadStatus::kTooLarge, std::nullopt},
      {"binary garbage with a real value",
       [](const fs::path& p) {
         WriteBytes(p, std::string(5000, '\0') + "\r\r\x01\n[s]\nk=v\r\n\xFF\xFE" +
                           std::string(1000, '\r'));
       },
       IniLoadStatus::kLoaded, "v"},
      {"a folder", [](const fs::path& p) { fs::create_directory(p); }, IniLoadStatus::kUnreadable,
       std::nullopt},
      {"a FIFO without writer", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       IniLoadStatus::kUnreadable, std::nullopt},
      {"an endless device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
       IniLoadStatus::kUnreadable, std::nullopt},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const fs::path file = folder / "fractions.ini";
    c.make(file);
    const IniLoadResult result = LoadIniFile(file);
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_EQ(result.document.Read("s", "k"), c.value) << c.what;
  }
}

TEST(SaveIniFile, CreatesReplacesAndKeepsModeAndLinks) {
  TempFolder folder;
  const fs::path real = folder / "real.ini";
  const fs::path link = folder / "fractions.ini";
  fs::create_symlink("real.ini", link);
  // Another program's staging file, or the leftover of a save that was
  // killed: not the writer's to remove.
  WriteBytes(folder / "real.ini.tmp", "leftover of an interrupted save");

  const IniDocument first = IniDocument::Parse("[s]\nk=1\n");
  ASSERT_FALSE(SaveIniFile(first, link));
  EXPECT_EQ(ReadBytes(real), "[s]\r\nk=1\r\n");
  ::chmod(real.c_str(), 0640);

  const IniDocument second = IniDocument::Parse("[s]\nk=2\n");
  ASSERT_FALSE(SaveIniFile(second, link));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(ReadBytes(link), "[s]\r\nk=2\r\n");
  EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
  EXPECT_EQ(ReadBytes(folder / "real.ini.tmp"), "leftover of an interrupted save");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / ""), fs::directory_iterator()), 3);
}

TEST(SaveIniFile, AFailedSaveReportsAndLeavesTheOldFileWhole) {
  struct Case {
    const char* what;
    std::function<void(const fs::path& target)> make;
  };
  const std::vector<Case> cases = {
      {"a pipe at the target",
       [](const fs::path& t) {
         fs::remove(t);
         ASSERT_EQ(::mkfifo(t.c_str(), 0600), 0);
       }},
      {"a file with no write permission", [](const fs::path& t) { ::chmod(t.c_str(), 0444); }},
      {"a folder at the target",
       [](const fs::path& t) {
         fs::remove(t);
         fs::create_directories(t / "inside");
       }},
  };
  const std::string old_bytes = "[s]\r\nk=old\r\n; kept\r\n";
  for (const Case& c : cases) {
    TempFolder folder;
    const fs::path target = folder / "fractions.ini";
    WriteBytes(target, old_bytes);
    c.make(target);
    EXPECT_TRUE(SaveIniFile(IniDocument::Parse("[s]\nk=new\n"), target)) << c.what;
    if (fs::is_regular_file(target)) {
      EXPECT_EQ(ReadBytes(target), old_bytes) << c.what;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / ""), fs::directory_iterator()), 1)
        << c.what << ": a staging file was left";
  }
  EXPECT_TRUE(SaveIniFile(IniDocument(), "/nonexistent-folder/fractions.ini"));
}

TEST(ChooseSettingsFiles, BesideAWritableProgramElseInTheUserFolderReadingTheOneBeside) {
  TempFolder folder;
  fs::create_directory(folder / "bin");
  const fs::path config = folder / "home" / ".config" / "fractions";
  struct Case {
    fs::path program;
    SettingsFiles expected;
  };
  const std::vector<Case> cases = {
      {folder / "bin" / "fractions", {folder / "bin" / "fractions.ini", {}}},
      {folder / "bin" / "fractions.exe", {folder / "bin" / "fractions.ini", {}}},
      // A folder the program cannot write to (here: none at all).
      {folder / "missing" / "fractions",
       {config / "fractions.ini", folder / "missing" / "fractions.ini"}},
      // Installed: never beside the program, even for root, who could write
      // there.
      {"/usr/bin/fractions", {config / "fractions.ini", "/usr/bin/fractions.ini"}},
      {"/usr/local/bin/fractions", {config / "fractions.ini", "/usr/local/bin/fractions.ini"}},
  };
  for (const Case& c : cases) {
    const SettingsFiles chosen = ChooseSettingsFiles(c.program, config);
    EXPECT_EQ(chosen.file, c.expected.file) << c.program;
    EXPECT_EQ(chosen.first_read, c.expected.first_read) << c.program;
  }
  EXPECT_TRUE(fs::is_directory(config));
}

}  // namespace
}  // namespace fractions
