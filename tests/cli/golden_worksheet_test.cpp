// One worksheet and one class set per exercise type, pinned: the questions
// a seed draws (the JSON and text listings, kept as files beside this
// test) and the SHA-256 of the RTF files they give: the subject and the
// answer key as built and as saved after a trip through a view, and the
// set's subjects and answer keys one per page. A changed draw, picture,
// seed of a set or writer shows here even when every property test still
// holds.
//
// The pictures come from the pinned Liberation Sans 1.07 files, whatever
// fontconfig prefers, so the digests hold on every machine. The files of a
// type are named after its command-line word; what a run gave instead is
// written under the build folder's golden-actual/, to be looked at (and,
// for a new exercise type, copied here once checked).
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <sstream>
#include <string>

#include "cli/cli_app.h"
#include "drawing/exercise_catalogue.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace fractions {
namespace {

constexpr const char* kSeed = "20261207";
// A narrow class set, so that many seeds give a worksheet already in it and
// are passed over.
const std::vector<std::string> kSetArguments = {"--max",  "9",        "--count",    "1",
                                                "--seed", "20261207", "--variants", "60"};

std::string ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::string Sha256(const std::string& bytes) {
  return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}

// What saving writes of a document once a view has read it.
std::string Saved(const std::string& rtf) {
  QTextDocument document;
  QTextCursor cursor(&document);
  EXPECT_FALSE(InsertRtf(cursor, rtf).has_value());
  return WriteRtf(document);
}

// Compares `actual` with the pinned file; a difference leaves `actual`
// under golden-actual/ for a look.
void ExpectPinned(const std::string& file, const std::string& actual) {
  if (actual == ReadFile(QStringLiteral(FRACTIONS_GOLDEN_DIR "/") + QString::fromStdString(file))) {
    return;
  }
  const QString folder =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../golden-actual");
  QDir().mkpath(folder);
  QFile out(folder + "/" + QString::fromStdString(file));
  EXPECT_TRUE(out.open(QIODevice::WriteOnly) &&
              out.write(actual.data(), static_cast<qint64>(actual.size())) ==
                  static_cast<qint64>(actual.size()));
  ADD_FAILURE() << file << " differs from the pinned file; this run's is in "
                << out.fileName().toStdString();
}

std::string RunOrFail(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCli(args, out, err), kExitOk) << err.str();
  return out.str();
}

TEST(GoldenWorksheet, EachTypeAndItsClassSetDrawAsPinned) {
  QTemporaryDir folder;
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    const std::string word(row.command_word);
    SCOPED_TRACE(word);
    const std::string base = folder.filePath(QString::fromStdString(word)).toStdString();
    ExpectPinned(word + ".json", RunOrFail({"--type", word, "--count", "40", "--seed", kSeed,
                                            "--json", "--out", base}));
    ExpectPinned(word + ".txt", RunOrFail({"--type", word, "--count", "40", "--seed", kSeed}));
    std::vector<std::string> set_args = {"--type", word, "--json", "--out", base + "_set"};
    set_args.insert(set_args.end(), kSetArguments.begin(), kSetArguments.end());
    if (word == "dec") {
      set_args.back() = "20";  // 23 different questions at largest term 9
    }
    ExpectPinned(word + "_set.json", RunOrFail(set_args));

    const std::string subject = ReadFile(QString::fromStdString(base + ".rtf"));
    const std::string answer_key = ReadFile(QString::fromStdString(base + "_Cor.rtf"));
    ExpectPinned(
        word + ".sha256",
        Sha256(subject) + "  subject\n" + Sha256(answer_key) + "  answer key\n" +
            Sha256(Saved(subject)) + "  saved subject\n" + Sha256(Saved(answer_key)) +
            "  saved answer key\n" + Sha256(ReadFile(QString::fromStdString(base + "_set.rtf"))) +
            "  set subjects\n" + Sha256(ReadFile(QString::fromStdString(base + "_set_Cor.rtf"))) +
            "  set answer keys\n");
  }
}

}  // namespace
}  // namespace fractions
