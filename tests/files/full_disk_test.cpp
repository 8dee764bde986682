// Writes on disks too small for them, of every size from 32 KiB to 256 KiB:
// each file the program writes ends either whole or as it was before, and a
// failure names its reason.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "output/save_views.h"
#include "richtext/rtf_reader.h"
#include "small_disk.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

using testing::FileSet;
using testing::SmallDisk;

constexpr int kSmallestKib = 32;
constexpr int kLargestKib = 256;
constexpr int kStepKib = 8;
constexpr int kRunTimeoutMs = 60000;

struct CliRun {
  bool finished = false;
  int status = -1;
  QString err;
};

CliRun RunCli(const QStringList& args, const SmallDisk* disk = nullptr) {
  QProcess process;
  if (disk != nullptr) {
    disk->Limit(process);
  }
  process.start(FRACTIONS_CLI, args);
  CliRun run;
  run.finished = process.waitForFinished(kRunTimeoutMs);
  if (!run.finished) {
    process.kill();
    process.waitForFinished();
  }
  run.status = process.exitCode();
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

FileSet FilesOf(const QString& folder) {
  FileSet files;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
    QFile file(QDir(folder).filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    files[name] = file.readAll();
  }
  return files;
}

// The four files of `fractions-cli ARGS --pdf --out <folder>/ws`, written
// where there is room.
FileSet MadeWhereThereIsRoom(const QStringList& args) {
  QTemporaryDir room;
  const CliRun run = RunCli(args + QStringList{"--pdf", "--out", room.filePath("ws")});
  EXPECT_TRUE(run.finished && run.status == 0) << run.err.toStdString();
  return FilesOf(room.path());
}

// A PDF as complete as `reference`, made by the same command: PDFs carry
// their time of making, so the bytes may differ but not the length.
bool IsCompletePdf(const QByteArray& pdf, const QByteArray& reference) {
  return pdf.size() == reference.size() && pdf.startsWith("%PDF-") &&
         pdf.trimmed().endsWith("%%EOF");
}

std::string Names(const FileSet& files) {
  std::string names;
  for (const auto& [name, bytes] : files) {
    names += name.toStdString() + " (" + std::to_string(bytes.size()) + ") ";
  }
  return names;
}

TEST(FullDisk, TheCommandLineWritesItsFourFilesWholeOrKeepsTheOldOnes) {
  const QStringList old_args = {"--type", "add", "--count", "1", "--seed", "5"};
  const QStringList new_args = {"--type", "add", "--count", "40", "--seed", "11"};
  const FileSet old_files = MadeWhereThereIsRoom(old_args);
  const FileSet new_files = MadeWhereThereIsRoom(new_args);
  ASSERT_EQ(old_files.size(), 4u);
  ASSERT_EQ(new_files.size(), 4u);
  int written = 0;
  int refused = 0;
  for (int kib = kSmallestKib; kib <= kLargestKib; kib += kStepKib) {
    SCOPED_TRACE(std::to_string(kib) + " KiB");
    const SmallDisk disk(kib);
    // The smallest disks cannot hold even the old set: there, nothing may
    // be left at all.
    const bool held = disk.Hold(old_files);
    const CliRun run = RunCli(new_args + QStringList{"--pdf", "--out", disk.FilePath("ws")}, &disk);
    ASSERT_TRUE(run.finished) << "fractions-cli did not end within a minute";
    const FileSet after = disk.Files();
    if (run.status == 0) {
      ++written;
      ASSERT_EQ(after.size(), 4u) << Names(after);
      EXPECT_EQ(after.at("ws.rtf"), new_files.at("ws.rtf"));
      EXPECT_EQ(after.at("ws_Cor.rtf"), new_files.at("ws_Cor.rtf"));
      EXPECT_TRUE(IsCompletePdf(after.at("ws.pdf"), new_files.at("ws.pdf")));
      EXPECT_TRUE(IsCompletePdf(after.at("ws_Cor.pdf"), new_files.at("ws_Cor.pdf")));
    } else {
      ++refused;
      EXPECT_EQ(run.status, 1);
      EXPECT_TRUE(after == (held ? old_files : FileSet())) << Names(after);
      EXPECT_TRUE(run.err.contains(disk.Reason())) << run.err.toStdString();
    }
  }
  std::printf("%s disks: %d runs wrote the four files, %d kept the old ones\n",
              SmallDisk(kSmallestKib).IsTmpfs() ? "tmpfs" : "RLIMIT_FSIZE", written, refused);
  EXPECT_GT(refused, 0) << "no disk was small enough to make a run fail";
  EXPECT_GT(written, 0) << "no disk was large enough for the four files";
}

// The window's save: the subject and the answer key of a 40-question
// worksheet, over an older pair: both new documents, or both old files.
TEST(FullDisk, TheWindowsSaveWritesBothFilesOrKeepsBothOld) {
  WorksheetSettings settings;
  settings.count = 40;
  const SheetDocuments documents =
      BuildSeededSheet({{ExerciseType::kCommonDenominator, settings}}, 21);
  QTextDocument subject;
  QTextDocument answer_key;
  for (auto [document, rtf] :
       {std::pair{&subject, &documents.subject}, std::pair{&answer_key, &documents.answer_key}}) {
    QTextCursor cursor(document);
    ASSERT_FALSE(InsertRtf(cursor, *rtf).has_value());
  }
  const auto whole = [](QTextDocument& document) {
    return [&document] {
      QTextCursor cursor(&document);
      cursor.select(QTextCursor::Document);
      return cursor;
    };
  };
  QTemporaryDir room;
  SaveWorksheet(whole(subject), whole(answer_key), room.filePath("ws"));
  const FileSet new_files = FilesOf(room.path());
  ASSERT_EQ(new_files.size(), 2u);
  const FileSet old_files = {{"ws.rtf", QByteArray(9000, 's')},
                             {"ws_Cor.rtf", QByteArray(9000, 'c')}};

  int failures = 0;
  for (int kib = kSmallestKib; kib <= kLargestKib; kib += kStepKib) {
    SCOPED_TRACE(std::to_string(kib) + " KiB");
    const SmallDisk disk(kib);
    ASSERT_TRUE(disk.Hold(old_files));
    std::string message;
    disk.Limited([&] {
      try {
        SaveWorksheet(whole(subject), whole(answer_key), disk.FilePath("ws"));
      } catch (const SaveError& error) {
        message = error.what();
      }
    });
    const FileSet after = disk.Files();
    if (message.empty()) {
      EXPECT_EQ(after, new_files) << Names(after);
      continue;
    }
    ++failures;
    EXPECT_NE(message.find(disk.Reason()), std::string::npos) << message;
    EXPECT_EQ(after, old_files) << Names(after);
  }
  EXPECT_GT(failures, 0) << "no disk was small enough to make a save fail";
}

}  // namespace
}  // namespace fractions
