// One worksheet per exercise type, pinned: the questions a seed draws (the
// JSON listing, kept as a file beside this test) and the SHA-256 of the four
// RTF files the worksheet gives: the subject and the answer key as built,
// and as saved after a trip through a view. A changed draw, picture or
// writer shows here even when every property test still holds.
//
// The pictures come from the pinned Liberation Sans 1.07 files, whatever
// fontconfig prefers, so the digests hold on every machine.
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
    {"7c8bb0a9f2eeb81224cfbc8d9e283e8ef34e874909338fb6011ca9da9de2c639",
     "e30dfa20bd528c36d905859ab9a745c560b6c16d3acde54e486ede315e40cbb6",
     "2a362744a20899b84bbc6f7ae5af090dd5f4956e3ee7977626dff7d758538a7d",
     "65fc3cb8475b6be8a94e1d17d57395814fe330c1250109744c26f4e8decc404c"},
    {"c6d08ce3916b183c329c080a32405704c330d16ec44d9f2b241058cf57ebbe86",
     "5ef98c1799fd2c6b50486e60f8394acbf872fc0479cdd104a783e37f15927ab9",
     "b25575b50e3c11ae226a0a69183138354ff58b750140d21363993424dd7b92e0",
     "c58e273ba5ed0ce5d4986109b84e039b1fa27e3e24cf6521d434038362fc6d5d"},
    {"acb74685ff8b08b38d4e98ab88b6ffe7a73c4dbc287d5579b88a4e972d9d7ae8",
     "23a2294ac48dc6576a728b49c3e2df94ffe0e872f405b9b2b07dc182e14594ab",
     "c909a7410149217633fdabd252548cf499f24ed5a253c7d04577518ff9bb3a9c",
     "3b302bb7c1da07b69b71dffe86ca2fa5145e08fa1c89e53b9860eeceb5b69f92"},
    {"5863f419854861f76715f5527b30b9541f591b9dd33669b7f083b7a015fe6183",
     "b15373681dc59e4e7b58c3b350c4e05d06acc0c16fd89d7cf9152fa283499846",
     "61c5b4e8893da821c7fef3e11eb9a9c20acf08d7d3cd6c5785e6971e55fd6c1c",
     "7b5f4cf41dc6f32253b41249889bbd74b6fd1e8803bca8a8f33ba547494c2260"},
    {"2e80a9b009f77499b61994a9c83f058d412e2ec407dee0b46fc85af65866a4ea",
     "dfd46380bec7793e328152fb9ed520258c797a90808abca11886412fc5ad698f",
     "8d88d14d18644956db1adab7f917cb219f7bf52fc3b9ce49374039e44db51427",
     "12e5ab6282c58a022fad27ff132999740c2a4e614162490659f1cd9325585f6f"},
    {"77e233784badacf86a1c3d8aa6c076262a8e748edb8ae889c8466fbdf245c858",
     "3cadeb4cff0d2e99b25f5f84af991fb88286135a5e8efba1804a8cddcc83c1d8",
     "0b340436ea9c2b6782d2a85885081b1679dabe2fbab95d451c31685b74a7e6a4",
     "264a7e77a9b6db18bff2032dab15af61981f2e069499ce8c33fc2f4c24ff3912"},
    {"b0cc245600f2799e0b3e1957c15ab0d723658dd19a43ae7baec603626e273c0c",
     "96319a4ffcdfb037ccb3218e687e77ac47688b7e9b9429a2838eab2cee7c8f19",
     "12b3393693db2ae72a19eeb6c9aecc825db075bc95503c0f94beaa38eea8ad8c",
     "f4759c13286e76a4bb6b56a5852b642b81a6d79c8af3b1c82d5fcbd691e6a35f"},
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
