// One worksheet per exercise type, pinned: the questions a seed draws (the
// JSON listing, kept as a file beside this test) and the SHA-256 of the four
// RTF files the worksheet gives: the subject and the answer key as built,
// and as saved after a trip through a view. A changed draw, picture or
// writer shows here even when every property test still holds.
//
// The pictures depend on the font files fontconfig picks for Liberation
// Sans; the digests hold for the set-up tools/test.sh makes.
#include <gtest/gtest.h>
#include <QCryptographicHash>
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

struct Pinned {
  const char* subject;
  const char* answer_key;
  const char* saved_subject;
  const char* saved_answer_key;
};

// In the order of kAllExerciseTypes.
const Pinned kPinned[] = {
    {"93f4b45205d586c0346963e48e5e25e879ba5571515d658c1ba2deb077affef6",
     "283264b9cf8e1d85e78830cd5ca1e9ed702c390ef9beee73507b3e06f2df0b81",
     "e71af73d4f23e50a5243e9004e718948dd83e2cc7e98bf5d4bad976aba52f6aa",
     "a14a22c6af05b72a720c34f17799f2c720115c687e490d0d32ca2a9c0cf8307c"},
    {"52908d60aed0a31c50ad7ae583450756c272da5d11e0e8b623c62e6cc74e3482",
     "92d6eaa21ef150b60228b1858d8cc9e7334a4a350213b0f2a143025cbac953e2",
     "4e3b06e87de37eabd6862e41a42a49d39365c90fdcefa2d1d9dcabae2b9b27ff",
     "48c23738902389f5ae03ac41f235204755511a39a83355910d9332b0ae124ab9"},
    {"b777d4730e850a93805193a4cb0b07c7a8c178715d30020e471afd7950a936a7",
     "0e095d68bfe071881a1a3fda78c32438a5bf95f774d9e3d270f10921cc97e665",
     "c252dd61d2ceb4a922d70bdaff9f2c2e4f1bf8eb5fc698b6e97d5e168889d1d2",
     "fc5bb550a00c75a91b9da9edfe236c0e57a2a6c39e382b5b5e379b00d1b2c445"},
    {"25e3e2b4a0b8d8b073867decbb54441af070119e23d422e14cfaad8dd696fc95",
     "68fdf7583ed7f74f09d8c2b9748e7a71956eb1d2698f3e351d6fa7dadf013376",
     "b6b611de7e991af83215d7b050c947abc8d29d4c8fcf77d9c9be01024c2cf67c",
     "6d6ee7772b197024fb91ba27a7db158735b52999e757dbd2334696d77a17cb85"},
    {"68124f24135ad19d55d7f448b968e0f37d8931768c6272092602d4f014776c55",
     "b2c24e20f1c6b9647868a83285f388e1c8f73bb63bd9685709d8c8b74afd76e4",
     "d4b4341d1ea48900ae55c6a3c0ce9c5f3c6078918cfc673928583e6631c04388",
     "eb311b8e2593c2cdc79adbf29217bb74e426932c2893dbd905dc583090773573"},
    {"1929fd5f64daa37e336a221b385c51374f3054074b73129dbb76f61b7a2d302f",
     "2fedd4712d8eadf0640a2e93c2dae8b5af2507b9cd0ed9d285ab2cd00f16be13",
     "128330015d131e40746ec3498efcaf9020d200b30d997b14767036f73c911178",
     "3b353480a2b029948d8117b029720503f95036362c5bc2458f7a79bf4a4773b7"},
    {"974f7e89a6574c3896a679e9fb2f8ed1dfe42ec16c3eb0469da1bcf65d4c516b",
     "8b48d5b581f2afa5fb391af5322e6d158b546f766b3973b592b73c7ca6351802",
     "e53c81b1b3d343e3fb5dea62530056955c1883cd664737ed0360c02ada08debd",
     "d743e2f607a85dc796ef17ebcf63586beb004bd8d95925316018d68f604132dc"},
};

std::string ReadFile(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll().toStdString();
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

TEST(GoldenWorksheet, EachTypeDrawsAndDrawsAsPinned) {
  static_assert(std::size(kPinned) == kAllExerciseTypes.size());
  QTemporaryDir folder;
  for (size_t i = 0; i < kAllExerciseTypes.size(); ++i) {
    const std::string word(Describe(kAllExerciseTypes[i]).command_word);
    SCOPED_TRACE(word);
    const std::string base = folder.filePath(QString::fromStdString(word)).toStdString();
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunCli({"--type", word, "--count", "40", "--seed", kSeed, "--json", "--out", base},
                     out, err),
              kExitOk)
        << err.str();
    EXPECT_EQ(
        out.str(),
        ReadFile(
            QStringLiteral(FRACTIONS_GOLDEN_DIR "/%1.json").arg(QString::fromStdString(word))));
    const std::string subject = ReadFile(QString::fromStdString(base + ".rtf"));
    const std::string answer_key = ReadFile(QString::fromStdString(base + "_Cor.rtf"));
    EXPECT_EQ(Sha256(subject), kPinned[i].subject);
    EXPECT_EQ(Sha256(answer_key), kPinned[i].answer_key);
    EXPECT_EQ(Sha256(Saved(subject)), kPinned[i].saved_subject);
    EXPECT_EQ(Sha256(Saved(answer_key)), kPinned[i].saved_answer_key);
  }
}

}  // namespace
}  // namespace fractions
