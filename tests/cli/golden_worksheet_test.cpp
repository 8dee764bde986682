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
     "7092c2c7f470ea357b906eb964f10da6316430c4942f3cebbeaac1f5dfd18cc2",
     "87be95f64817335e90754d6666b7a66ec9d7fbde85b2a3d6ff2f26e9f8651a38"},
    {"c6d08ce3916b183c329c080a32405704c330d16ec44d9f2b241058cf57ebbe86",
     "5ef98c1799fd2c6b50486e60f8394acbf872fc0479cdd104a783e37f15927ab9",
     "d9270af3fb674a1dec8d447c72352d3ff665a5f405b1f8f977029ddbe29879d8",
     "0a071268265ca448945d00aeee8b9256be943dc0177ba78ff40e242ed240036b"},
    {"acb74685ff8b08b38d4e98ab88b6ffe7a73c4dbc287d5579b88a4e972d9d7ae8",
     "23a2294ac48dc6576a728b49c3e2df94ffe0e872f405b9b2b07dc182e14594ab",
     "004e50ecf66fe8c95d330b8948abb68861e9e6ab7f265c22ff7305b9493e34d1",
     "1fe02b5e4c672784ee5d4cbe45c71cdc8cef699385f07bd213bf699023bba7fa"},
    {"5863f419854861f76715f5527b30b9541f591b9dd33669b7f083b7a015fe6183",
     "b15373681dc59e4e7b58c3b350c4e05d06acc0c16fd89d7cf9152fa283499846",
     "cbeee0cc7400a2154f1f21286b96f37d12283f5dcfbbd8602838db03795d3c6f",
     "f921bc371e882f7d360a004369d1ede24321a5b33389ec86f24d46fbae568023"},
    {"2e80a9b009f77499b61994a9c83f058d412e2ec407dee0b46fc85af65866a4ea",
     "dfd46380bec7793e328152fb9ed520258c797a90808abca11886412fc5ad698f",
     "b1eb20f91132f010d50d80ccef3555548c8024a23a62984b73519594ce3dd81a",
     "b33f9a32a1f1f6f496f1b31f5f1861222648be35b1311358c011722c8ca943e5"},
    {"77e233784badacf86a1c3d8aa6c076262a8e748edb8ae889c8466fbdf245c858",
     "3cadeb4cff0d2e99b25f5f84af991fb88286135a5e8efba1804a8cddcc83c1d8",
     "946af659632fb848443bef6a811aa1c1c42f16959ad0859f98862a44145aee99",
     "ec81c2ddd4e877b4c299fe5d9fb00be696edb719a16e035f2bac76e200ee2808"},
    {"b0cc245600f2799e0b3e1957c15ab0d723658dd19a43ae7baec603626e273c0c",
     "96319a4ffcdfb037ccb3218e687e77ac47688b7e9b9429a2838eab2cee7c8f19",
     "32c18956fb2aa04a543f9d54223f0e462fe5d2583c16d901d9e114efc9c3fb6e",
     "32239d491fe4f629aeaee8040377d9eb2f4432e4e6338b0fcc39aa50acb5403b"},
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
