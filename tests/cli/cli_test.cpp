#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/document_files.h"
#include "cli/generated_worksheet.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"
#include "drawing/kinds/powers.h"
#include "drawing/random.h"
#include "richtext/rtf_reader.h"

namespace fractions {
namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunWith(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

QJsonObject ParseJson(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_TRUE(document.isObject());
  return document.object();
}

TEST(FractionsCli, SmallSubtractionWorksheetIsDistinctNonNegativeAndIrreducible) {
  const CliRun run =
      RunWith({"--type", "sub", "--max", "9", "--count", "40", "--seed", "1", "--json"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const QJsonObject json = ParseJson(run.out);
  EXPECT_TRUE(
      QRegularExpression("^SousFract\\d\\d_\\d\\d$").match(json["name"].toString()).hasMatch());
  EXPECT_EQ(json["type"].toString(), "sub");
  EXPECT_EQ(json["max"].toInt(), 9);
  EXPECT_EQ(json["count"].toInt(), 40);
  EXPECT_EQ(json["seed"].toInteger(), 1);
  const QJsonArray questions = json["questions"].toArray();
  ASSERT_EQ(questions.size(), 40);
  std::set<QString> keys;
  for (const auto& value : questions) {
    const QJsonObject q = value.toObject();
    const int num = q["num"].toInt(-1);
    const int den = q["den"].toInt(-1);
    EXPECT_GE(num, 0);
    EXPECT_GE(den, 1);
    EXPECT_EQ(std::gcd(num, den), 1);
    EXPECT_EQ(q["key"].toString(), QString("%1%2%3%4")
                                       .arg(q["a"].toInt())
                                       .arg(q["b"].toInt())
                                       .arg(q["c"].toInt())
                                       .arg(q["d"].toInt()));
    keys.insert(q["key"].toString());
  }
  EXPECT_EQ(keys.size(), 40u);
}

TEST(FractionsCli, TheNameTakesTheFirstTwoDrawsAndTheQuestionsTheRest) {
  const CliRun run =
      RunWith({"--type", "simp", "--max", "30", "--count", "12", "--seed", "4242", "--json"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const QJsonObject json = ParseJson(run.out);

  LcgRandom random(4242);
  const int first = random.Random(100);
  const int second = random.Random(100);
  EXPECT_EQ(
      json["name"].toString(),
      QString("SimplFract%1_%2").arg(first, 2, 10, QChar('0')).arg(second, 2, 10, QChar('0')));
  QuestionTable table;
  DrawingContext context{random, table};
  const auto expected = std::get<KindQuestions<SimplificationKind>>(
                            RunDrawingPhase(ExerciseType::kSimplification, 30, 12, context))
                            .questions;
  const QJsonArray questions = json["questions"].toArray();
  ASSERT_EQ(questions.size(), 12);
  for (int p = 0; p < 12; ++p) {
    const QJsonObject q = questions[p].toObject();
    EXPECT_EQ(q["a"].toInt(), expected[p].a);
    EXPECT_EQ(q["b"].toInt(), expected[p].b);
    EXPECT_EQ(q["num"].toInt(), expected[p].p);
    EXPECT_EQ(q["den"].toInt(), expected[p].q);
  }
}

TEST(FractionsCli, SameSeedSameWorksheet) {
  const std::vector<std::string> args = {"--type", "reduc", "--seed", "4294967295"};
  const CliRun once = RunWith(args);
  ASSERT_EQ(once.status, kExitOk) << once.err;
  EXPECT_EQ(RunWith(args).out, once.out);
  EXPECT_NE(RunWith({"--type", "reduc", "--seed", "4294967294"}).out, once.out);
  // The listing: the name line, then one numbered line per question.
  EXPECT_EQ(std::count(once.out.begin(), once.out.end(), '\n'), 26);
  EXPECT_NE(once.out.find("\n25) "), std::string::npos);
}

// The command-line word of every type, as a message lists them: "add, sub,
// ... ou reduc".
std::string TypeWords() {
  std::string words;
  for (size_t i = 0; i < kAllExerciseTypes.size(); ++i) {
    words += i == 0 ? "" : (i + 1 == kAllExerciseTypes.size() ? " ou " : ", ");
    words += Describe(kAllExerciseTypes[i]).command_word;
  }
  return words;
}

TEST(FractionsCli, BadInputNamesTheOptionAndWritesNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{}, "--type est obligatoire"},
      {{"--type", "mod"}, "--type attend " + TypeWords() + ", et non « mod »"},
      {{"--type"}, "--type attend une valeur"},
      {{"--type", "add", "--max", "8"}, "--max attend un nombre entier de 9 à 500, et non « 8 »"},
      {{"--type", "add", "--max", "501"}, "--max attend un nombre entier de 9 à 500"},
      {{"--type", "add", "--max", "1e2"},
       "--max attend un nombre entier de 9 à 500, et non « 1e2 »"},
      {{"--type", "add", "--max", "+50"}, "--max attend un nombre entier"},
      {{"--type", "add", "--max", ""}, "--max attend un nombre entier"},
      {{"--type", "add", "--count", "0"},
       "--count attend un nombre entier de 1 à 40, et non « 0 »"},
      {{"--type", "add", "--count", "41"}, "--count attend un nombre entier de 1 à 40"},
      {{"--type", "add", "--spacing", "11"}, "--spacing attend un nombre entier de 0 à 10"},
      {{"--type", "add", "--seed", "-1"}, "--seed attend un nombre entier de 0 à 4294967295"},
      {{"--type", "add", "--seed", "4294967296"},
       "--seed attend un nombre entier de 0 à 4294967295"},
      {{"--type", "add", "--seed", "99999999999999999999999"}, "--seed attend un nombre entier"},
      {{"--type", "add", "--colour"}, "option inconnue « --colour »"},
      {{"--type", "add", "extra"}, "argument inattendu « extra »"},
      {{"--type", "add", "--json=yes"}, "--json ne prend pas de valeur"},
      {{"--type", "add", "--title", "Fractions \u65E5"},
       "--title : le caractère « \u65E5 » ne s'écrit pas en Windows-1252"},
      {{"--type", "add", "--instruction", "bad \xFF byte"}, "--instruction : le caractère"},
      {{"--type", "add", "--title", std::string(161, 'x')},
       "--title : 160 caractères au plus, et non 161"},
      {{"--type", "add", "--separator", std::string(231, '-')},
       "--separator : 230 caractères au plus"},
      {{"--type", "add", "--instruction", std::string(256, 'x')},
       "--instruction : 255 caractères au plus, et non 256"},
      {{"--type", "add", "--out", ""}, "--out attend un chemin"},
      {{"--type", "add", "--pdf"}, "--pdf va avec --out BASE"},
      {{"--type", "add", "--out", "f", "--margin", "10"}, "--margin va avec --pdf"},
      {{"--type", "add", "--separator", "***", "--no-separator"},
       "--separator et --no-separator se contredisent : l'un ou l'autre"},
      {{"--no-separator", "--type", "add", "--separator=-"}, "--separator et --no-separator"},
      {{"--type", "add", "--variants", "0"}, "--variants attend un nombre entier de 1 à 100"},
      {{"--type", "add", "--variants", "101"}, "--variants attend un nombre entier de 1 à 100"},
      {{"--type", "add", "--variants", "abc"}, "--variants attend un nombre entier"},
      {{"--type", "add", "--out", "f", "--pdf", "--margin", "41"},
       "--margin attend un nombre entier de 0 à 40, et non « 41 »"},
      // Control characters typed in an argument are shown, never obeyed.
      {{"--type", "\x1B[2J\r\xC2\x9B"},
       "--type attend " + TypeWords() + ", et non « \\x1B[2J\\r\\u009B »"},
      {{"--type", "add", "--colour\x07\xFF"}, "option inconnue « --colour\\x07\\xFF »"},
      // A BASE without a file name would write the hidden ".rtf" and "_Cor.rtf".
      {{"--type", "add", "--out", "dossier/"},
       "--out attend un chemin qui finit par un nom de fichier, et non « dossier/ »"},
      {{"--type", "add", "--out", "."}, "--out attend un chemin qui finit par un nom de fichier"},
      {{"--type", "add", "--out", "dossier/.."},
       "--out attend un chemin qui finit par un nom de fichier"},
      // Given twice, an option is refused rather than the last one winning.
      {{"--type", "add", "--max", "40", "--max=9"}, "--max ne peut être donné qu'une fois"},
      {{"--type", "add", "--json", "--json"}, "--json ne peut être donné qu'une fois"},
      // Sheets of several exercises: lists of one value or one per type.
      {{"--type", "add", "--instruction", "a", "--instruction", "b"},
       "--instruction : 2 consignes pour 1 type ; une seule pour tous, ou une par type"},
      {{"--type", "add,simp,reduc", "--instruction", "a", "--instruction", "b"},
       "--instruction : 2 consignes pour 3 types"},
      {{"--type", "add,sub,mul,div,pow,simp,reduc", "--count", "1"},
       "--type : 6 types au plus, et non 7"},
      {{"--type", "add,,simp"}, "--type : un nom vide dans la liste « add,,simp »"},
      {{"--type", "add,"}, "--type : un nom vide"},
      {{"--type", "add,mod"}, "--type attend " + TypeWords() + ", et non « mod »"},
      {{"--type", "add,simp", "--count", "5,5,5"}, "--count : 3 valeurs pour 2 types"},
      {{"--type", "add,simp", "--max", "20,"}, "--max attend un nombre entier de 9 à 500"},
      {{"--type", "add,simp", "--count", "5,41"}, "--count attend un nombre entier de 1 à 40"},
      {{"--type", "add,simp,reduc"},
       "--count : 75 questions en tout (25 par exercice sans --count), et 60 au plus"},
      {{"--type", "add,simp", "--count", "40,21"}, "--count : 61 questions en tout, et 60 au plus"},
      {{"--type", "simp,reduc", "--negatives", "--count", "5"},
       "--negatives ne va pas avec --type simp,reduc : seulement avec add, sub, mul, div, prio, "
       "comp ou order"},
      {{"-h", "--help"}, "--help ne peut être donné qu'une fois"},
      // An exercise option typed for a type that does not read it.
      {{"--type", "pow", "--negatives"},
       "--negatives ne va pas avec --type pow : seulement avec add, sub, mul, div, prio, comp ou "
       "order"},
      {{"--type", "simp", "--denominators", "any"}, "--denominators ne va pas avec --type simp"},
      {{"--type", "reduc", "--denominators", "same"},
       "--denominators same ne va pas avec --type reduc : seulement avec add, sub, mul, div, "
       "prio, comp ou order"},
      {{"--type", "reduc", "--level", "cm2", "--mixed"}, "--mixed ne va pas avec --type reduc"},
      {{"--type", "add", "--least-common-denominator"},
       "--least-common-denominator ne va pas avec --type add : seulement avec reduc"},
      {{"--type", "add", "--level", "2nde"},
       "--level attend cm2, 6e, 5e, 4e ou 3e, et non « 2nde »"},
      {{"--type", "add", "--level", "6\u1D49"},
       "--level attend cm2, 6e, 5e, 4e ou 3e, et non « 6\u1D49 »"},
      {{"--type", "add", "--denominators", "equal"}, "--denominators attend any, multiple ou same"},
      {{"--type", "div", "--division-sign", "/"}, "--division-sign attend colon ou obelus"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunWith(c.args);
    EXPECT_EQ(run.status, kExitUsage) << c.message;
    EXPECT_EQ(run.out, "") << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Usage : fractions-cli"), std::string::npos) << run.err;
    EXPECT_TRUE(std::none_of(run.err.begin(), run.err.end(), [](char c) {
      return static_cast<unsigned char>(c) < 0x20 && c != '\n';
    })) << run.err;
  }
}

class FractionsCliFiles : public ::testing::Test {
 protected:
  std::string Base(const char* name) const { return dir_.filePath(name).toStdString(); }
  static std::string Read(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll().toStdString();
  }
  QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
  QTemporaryDir dir_;
};

TEST_F(FractionsCliFiles, OutWritesTheSubjectAndTheAnswerKeyAsBuilt) {
  const std::string base = Base("feuille");
  const CliRun run =
      RunWith({"--type", "reduc", "--count", "40", "--seed", "7", "--out", base, "--title",
               "Élève – 5e", "--instruction", "Réduire", "--no-separator", "--spacing", "0"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(Files(), QStringList({"feuille.rtf", "feuille_Cor.rtf"}));

  WorksheetSettings settings;
  settings.count = 40;
  settings.title = "\xC9l\xE8ve \x96 5e";  // the same text in Windows-1252
  settings.instruction =
      "R\xE9"
      "duire";
  settings.separator_on = false;
  settings.spacing = 0;
  const GeneratedWorksheet expected =
      GenerateWorksheet({{ExerciseType::kCommonDenominator, settings}}, 7);
  EXPECT_EQ(Read(base + ".rtf"), expected.documents.subject);
  EXPECT_EQ(Read(base + "_Cor.rtf"), expected.documents.answer_key);
}

// --large-print changes the documents, not the questions: the listing has
// the questions without it and says "large_print", the files are the large-print build's, and every
// picture in them is 42 pixels high (the DIB's height, 2A000000, after its
// header size and width).
TEST_F(FractionsCliFiles, LargePrintWritesLargePicturesOfTheSameQuestions) {
  const std::vector<std::string> args = {"--type", "pow", "--count", "5", "--seed", "4", "--json"};
  std::vector<std::string> large_args = args;
  large_args.insert(large_args.end(), {"--large-print", "--out", Base("grand")});
  const CliRun large = RunWith(large_args);
  ASSERT_EQ(large.status, kExitOk) << large.err;
  const QJsonObject listing = ParseJson(large.out);
  EXPECT_TRUE(listing["options"].toObject()["large_print"].toBool());
  EXPECT_EQ(listing["questions"], ParseJson(RunWith(args).out)["questions"]);

  WorksheetSettings settings;
  settings.count = 5;
  settings.options.large_print = true;
  const GeneratedWorksheet expected = GenerateWorksheet({{ExerciseType::kPowers, settings}}, 4);
  const std::string subject = Read(Base("grand") + ".rtf");
  EXPECT_EQ(subject, expected.documents.subject);
  EXPECT_EQ(Read(Base("grand") + "_Cor.rtf"), expected.documents.answer_key);
  const QRegularExpression tall("\\{\\\\pict\\\\dibitmap0 28000000[0-9A-F]{8}2A000000");
  EXPECT_EQ(QString::fromStdString(subject).count(tall), 5);
}

// A typed "<" that opens no tag is text: the whole instruction shows.
TEST_F(FractionsCliFiles, ALessThanSignInTheInstructionIsText) {
  const std::string base = Base("comparer");
  const std::string instruction = "Comparer : 1/2 < 3/4 et 5/4 > 1 puis calculer";
  ASSERT_EQ(RunWith({"--type", "add", "--out", base, "--instruction", instruction}).status,
            kExitOk);
  QTextDocument document;
  QTextCursor cursor(&document);
  ASSERT_FALSE(InsertRtf(cursor, Read(base + ".rtf")).has_value());
  EXPECT_TRUE(document.toPlainText().contains(QString::fromStdString(instruction)));
}

TEST_F(FractionsCliFiles, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
  const std::string base = Base("missing-folder/feuille");
  const CliRun run = RunWith({"--type", "add", "--seed", "1", "--out", base});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("Impossible de créer le fichier " + base + ".rtf"), std::string::npos)
      << run.err;
  EXPECT_TRUE(Files().isEmpty());

  // The answer key cannot be written (a folder stands in its way): the
  // subject is not written either, and the old subject stays as it was.
  const std::string other = Base("pair");
  QFile old(QString::fromStdString(other + ".rtf"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
  old.close();
  ASSERT_TRUE(QDir(QString::fromStdString(dir_.path().toStdString())).mkdir("pair_Cor.rtf"));
  const CliRun blocked = RunWith({"--type", "add", "--seed", "1", "--out", other});
  EXPECT_EQ(blocked.status, kExitFailure);
  EXPECT_NE(blocked.err.find("pair_Cor.rtf"), std::string::npos) << blocked.err;
  EXPECT_EQ(Read(other + ".rtf"), "old");
  EXPECT_EQ(Files(), QStringList({"pair.rtf"}));

  // A pipe is not a file to replace (a program may be reading it).
  ASSERT_EQ(::mkfifo(Base("pipe.rtf").c_str(), 0600), 0);
  const CliRun piped = RunWith({"--type", "add", "--seed", "1", "--out", Base("pipe")});
  EXPECT_EQ(piped.status, kExitFailure);
  EXPECT_NE(piped.err.find(Base("pipe.rtf") + " (ce nom est celui d'un tube"), std::string::npos)
      << piped.err;
  struct stat pipe {};
  EXPECT_TRUE(::stat(Base("pipe.rtf").c_str(), &pipe) == 0 && S_ISFIFO(pipe.st_mode));
  EXPECT_EQ(Files(), QStringList({"pair.rtf"}));
}

// A PDF is never written with a blank where a line's picture would not
// read: the set fails as a file that cannot be written does.
TEST_F(FractionsCliFiles, AKeyWhosePictureDoesNotReadWritesNoFile) {
  const GeneratedWorksheet worksheet = GenerateWorksheet({{ExerciseType::kAddition, {}}}, 1);
  std::string key = worksheet.documents.answer_key;
  const size_t picture = key.rfind("{\\pict");
  key.replace(key.find(' ', picture) + 1, 8, "00000000");  // a header of no size
  const std::string base = Base("feuille");
  try {
    WriteDocumentFiles(base, worksheet.documents.subject, key, PdfSettings{});
    ADD_FAILURE() << "written";
  } catch (const FileWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible de créer le fichier " + base +
                                             "_Cor.pdf (image illisible à l'octet " +
                                             std::to_string(picture) + ")");
  }
  EXPECT_TRUE(Files().isEmpty());
}

// File names are bytes: a 247-byte BASE makes a 255-byte BASE_Cor.rtf, the
// longest a folder takes, and a name that is not UTF-8 is written as typed.
TEST_F(FractionsCliFiles, NamesAreKeptByteForByteUpToTheLongest) {
  const std::string folder = dir_.path().toStdString() + "/";
  const std::string longest(247, 'b');
  const CliRun run = RunWith({"--type", "add", "--seed", "1", "--out", folder + longest, "--pdf"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const CliRun too_long =
      RunWith({"--type", "add", "--seed", "1", "--out", folder + longest + "b"});
  EXPECT_EQ(too_long.status, kExitFailure);
  EXPECT_NE(too_long.err.find(longest + "b_Cor.rtf (nom de fichier trop long)"), std::string::npos)
      << too_long.err;
  for (const char* latin1 : {"\xE9t\xE9", "\xE8t\xE8"}) {
    ASSERT_EQ(RunWith({"--type", "add", "--seed", "1", "--out", folder + latin1}).status, kExitOk);
  }
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names,
            (std::set<std::string>{longest + ".pdf", longest + ".rtf", longest + "_Cor.pdf",
                                   longest + "_Cor.rtf", "\xE8t\xE8.rtf", "\xE8t\xE8_Cor.rtf",
                                   "\xE9t\xE9.rtf", "\xE9t\xE9_Cor.rtf"}));
}

// Two runs with the same seed and SOURCE_DATE_EPOCH, in two processes (each
// has its own hash seed), give the same bytes, PDFs included; the PDFs
// state that time as their creation date.
TEST_F(FractionsCliFiles, SameSeedAndSourceDateEpochGiveTheSameBytes) {
  std::vector<QByteArray> runs;
  for (const char* base : {"a", "b"}) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "1700000000");
    environment.insert("TZ", base == std::string("a") ? "UTC" : "Europe/Paris");
    child.setProcessEnvironment(environment);
    child.start(FRACTIONS_CLI_PATH, {"--type", "reduc", "--seed", "3", "--variants", "3", "--out",
                                     QString::fromStdString(Base(base)), "--pdf"});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitCode(), kExitOk) << child.readAllStandardError().toStdString();
    QByteArray all;
    for (const char* suffix : {".rtf", "_Cor.rtf", ".pdf", "_Cor.pdf"}) {
      all += QByteArray::fromStdString(Read(Base(base) + suffix));
    }
    runs.push_back(all);
  }
  EXPECT_TRUE(runs[0] == runs[1]);
  EXPECT_TRUE(runs[0].contains("/CreationDate (D:20231114221320Z)"));

  qputenv("SOURCE_DATE_EPOCH", "hier");
  const CliRun bad = RunWith({"--type", "add", "--out", Base("c"), "--pdf"});
  qunsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(bad.status, kExitUsage);
  EXPECT_NE(bad.err.find("SOURCE_DATE_EPOCH attend un nombre entier de secondes"),
            std::string::npos)
      << bad.err;
}

// What poppler's tools say of a PDF: its page count and its number of
// pictures.
std::pair<int, int> PagesAndPictures(const QString& pdf) {
  QProcess info;
  info.start("pdfinfo", {pdf});
  EXPECT_TRUE(info.waitForFinished()) << "pdfinfo missing: tools/test.sh installs poppler-utils";
  const QString text = QString::fromUtf8(info.readAllStandardOutput());
  const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(text).captured(1).toInt();
  QProcess images;
  images.start("pdfimages", {"-list", pdf});
  EXPECT_TRUE(images.waitForFinished());
  const auto lines =
      static_cast<int>(QString::fromUtf8(images.readAllStandardOutput()).count('\n'));
  return {pages, lines - 2};  // two heading lines
}

TEST_F(FractionsCliFiles, PdfPagesHoldEveryLineDrawnNotPasted) {
  const std::string base = Base("feuille");
  const CliRun run = RunWith({"--type", "reduc", "--count", "40", "--spacing", "10", "--seed", "3",
                              "--out", base, "--pdf"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  // A worked key's steps too.
  ASSERT_EQ(RunWith({"--type", "add", "--max", "500", "--worked", "--out", Base("detail"), "--pdf"})
                .status,
            kExitOk);
  EXPECT_EQ(PagesAndPictures(QString::fromStdString(Base("detail") + "_Cor.pdf")).second, 0);
  const auto [subject_pages, subject_pictures] =
      PagesAndPictures(QString::fromStdString(base + ".pdf"));
  const auto [answer_pages, answer_pictures] =
      PagesAndPictures(QString::fromStdString(base + "_Cor.pdf"));
  // The exercise lines are drawn again as text and lines, not pasted as
  // pictures (pdf_lines_test.cpp reads their numbers).
  EXPECT_EQ(subject_pictures, 0);
  EXPECT_EQ(answer_pictures, 0);
  EXPECT_GT(subject_pages, answer_pages);  // ten blank lines between questions
  EXPECT_GE(answer_pages, 3);
}

// The first word of a PDF's first page, in points from the page's top-left
// corner, and the page's size, as poppler reads them.
struct PdfLayout {
  double left = -1;
  double top = -1;
  QString page_size;
};

PdfLayout FirstWordAndPageSize(const QString& pdf) {
  QProcess info;
  info.start("pdfinfo", {pdf});
  EXPECT_TRUE(info.waitForFinished());
  PdfLayout layout;
  layout.page_size = QRegularExpression("Page size:\\s+(.*)\\n")
                         .match(QString::fromUtf8(info.readAllStandardOutput()))
                         .captured(1);
  QProcess words;
  words.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
  EXPECT_TRUE(words.waitForFinished());
  const QRegularExpressionMatch first =
      QRegularExpression("<word xMin=\"(-?[0-9.]+)\" yMin=\"(-?[0-9.]+)\"")
          .match(QString::fromUtf8(words.readAllStandardOutput()));
  if (first.hasMatch()) {
    layout.left = first.captured(1).toDouble();
    layout.top = first.captured(2).toDouble();
  }
  return layout;
}

TEST_F(FractionsCliFiles, PdfPagesAreA4WithTheirMargins) {
  constexpr double kPointsPerMm = 72 / 25.4;
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{}, 15}, {{"--margin", "0"}, 0}, {{"--margin=40"}, 40}};
  for (const auto& [margin, mm] : cases) {
    SCOPED_TRACE(mm);
    std::vector<std::string> args = {"--type", "div", "--seed", "8", "--out", Base("m"), "--pdf"};
    args.insert(args.end(), margin.begin(), margin.end());
    ASSERT_EQ(RunWith(args).status, kExitOk);
    for (const char* file : {"m.pdf", "m_Cor.pdf"}) {
      const PdfLayout layout = FirstWordAndPageSize(dir_.filePath(file));
      EXPECT_EQ(layout.page_size, "595 x 842 pts (A4)") << file;
      // The header's first letter stands a hair inside the margin.
      EXPECT_NEAR(layout.left, mm * kPointsPerMm, 1.5) << file;
      EXPECT_NEAR(layout.top, mm * kPointsPerMm, 1.5) << file;
    }
  }
}

TEST_F(FractionsCliFiles, AVariantSetIsDifferentWorksheetsEachReproducedByItsSeed) {
  const std::string base = Base("classe");
  const CliRun run = RunWith({"--type", "mul", "--count", "6", "--seed", "31", "--variants", "3",
                              "--json", "--out", base, "--pdf"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const QJsonArray variants = ParseJson(run.out)["variants"].toArray();
  ASSERT_EQ(variants.size(), 3);
  EXPECT_EQ(variants[0].toObject()["seed"].toInteger(), 31);
  std::set<QString> worksheets;
  for (int k = 0; k < 3; ++k) {
    const QJsonObject variant = variants[k].toObject();
    worksheets.insert(QJsonDocument(variant["questions"].toArray()).toJson());
    // Its seed alone gives the same questions and name.
    const QJsonObject alone =
        ParseJson(RunWith({"--type", "mul", "--count", "6", "--seed",
                           QString::number(variant["seed"].toInteger()).toStdString(), "--json"})
                      .out);
    EXPECT_EQ(alone["questions"], variant["questions"]) << k;
    EXPECT_EQ(alone["name"], variant["name"]) << k;
    // Page k of each PDF is its worksheet, the answer key with the same name.
    for (const auto& [file, mark] :
         {std::pair{"classe.pdf", "Sujet"}, {"classe_Cor.pdf", "Corrigé"}}) {
      QProcess page;
      page.start("pdftotext", {"-f", QString::number(k + 1), "-l", QString::number(k + 1),
                               dir_.filePath(file), "-"});
      ASSERT_TRUE(page.waitForFinished());
      const QString first_line =
          QString::fromUtf8(page.readAllStandardOutput()).section('\n', 0, 0);
      EXPECT_TRUE(first_line.startsWith(variant["name"].toString() +
                                        QString(" - %1 %2/3").arg(mark).arg(k + 1)))
          << first_line.toStdString();
    }
  }
  EXPECT_EQ(worksheets.size(), 3u);
}

// A type list makes one sheet: the name (from the first type) and the seed,
// then each exercise with what was typed for it, drawn in turn from the one
// seed; an option goes to the exercises it fits. The files hold each
// exercise under its heading and instruction; a set holds such sheets.
TEST_F(FractionsCliFiles, ATypeListMakesOneSheetOfSeveralExercises) {
  const std::vector<std::string> sheet = {"--type",
                                          "add,simp,add",
                                          "--count",
                                          "3,2,1",
                                          "--max",
                                          "20",
                                          "--negatives",
                                          "--seed",
                                          "4242",
                                          "--instruction",
                                          "Additionner « vite »",
                                          "--instruction",
                                          "Simplifier \"bien\"\t\\",
                                          "--instruction",
                                          "Encore"};
  std::vector<std::string> args = sheet;
  args.insert(args.end(), {"--json", "--out", Base("controle")});
  const CliRun run = RunWith(args);
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const QJsonObject json = ParseJson(run.out);
  EXPECT_EQ(json.keys(), QStringList({"exercises", "name", "seed"}));
  const QJsonArray exercises = json["exercises"].toArray();
  ASSERT_EQ(exercises.size(), 3);

  LcgRandom random(4242);
  const int first = random.Random(100);
  const int second = random.Random(100);
  EXPECT_EQ(json["name"].toString(),
            QString("AddFract%1_%2").arg(first, 2, 10, QChar('0')).arg(second, 2, 10, QChar('0')));
  const QStringList instructions = {"Additionner « vite »", "Simplifier \"bien\"\t\\", "Encore"};
  const ExerciseType types[] = {ExerciseType::kAddition, ExerciseType::kSimplification,
                                ExerciseType::kAddition};
  const int counts[] = {3, 2, 1};
  for (int k = 0; k < 3; ++k) {
    const QJsonObject exercise = exercises[k].toObject();
    EXPECT_EQ(exercise["type"].toString(), k == 1 ? "simp" : "add");
    EXPECT_EQ(exercise["max"].toInt(), 20);
    EXPECT_EQ(exercise["count"].toInt(), counts[k]);
    EXPECT_EQ(exercise["instruction"].toString(), instructions[k]);
    EXPECT_EQ(exercise["options"].toObject()["negatives"].toBool(), k != 1);
    QuestionTable table;
    DrawingContext context{random, table};
    ExerciseOptions options;
    options.negatives = k != 1;
    QStringList expected;
    for (const QuestionListing& q :
         ListQuestions(RunDrawingPhase(types[k], 20, counts[k], context, options))) {
      expected << QString::fromStdString(q.key);
    }
    QStringList keys;
    for (const QJsonValue& q : exercise["questions"].toArray()) {
      keys << q.toObject()["key"].toString();
    }
    EXPECT_EQ(keys, expected) << k;
  }

  // The tab typed in the second instruction parts its words as a space.
  for (const char* file : {"controle.rtf", "controle_Cor.rtf"}) {
    QTextDocument document;
    QTextCursor cursor(&document);
    ASSERT_FALSE(InsertRtf(cursor, Read(Base(file))).has_value());
    const QString text = document.toPlainText();
    EXPECT_TRUE(QRegularExpression("^[^\\n]*\\n\\nExercice 1\\nAdditionner « vite »\\n"
                                   ".*\\n\\nExercice 2\\nSimplifier \"bien\" \\\\\\n"
                                   ".*\\n\\nExercice 3\\nEncore\\n",
                                   QRegularExpression::DotMatchesEverythingOption)
                    .match(text)
                    .hasMatch())
        << text.toStdString();
    EXPECT_EQ(text.count(QChar::ObjectReplacementCharacter), 6);
  }
  const std::string listing = RunWith(sheet).out;
  EXPECT_NE(listing.find("\nExercice 2\n1) "), std::string::npos) << listing;

  // A set of such sheets: each reproduced by its seed alone.
  args = sheet;
  args.insert(args.end(), {"--variants", "2", "--json"});
  const QJsonArray variants = ParseJson(RunWith(args).out)["variants"].toArray();
  ASSERT_EQ(variants.size(), 2);
  const QJsonObject variant = variants[1].toObject();
  args = sheet;
  args[8] = QString::number(variant["seed"].toInteger()).toStdString();
  args.push_back("--json");
  const QJsonObject alone = ParseJson(RunWith(args).out);
  EXPECT_EQ(variant["exercises"], alone["exercises"]);
  EXPECT_NE(variant["exercises"], variants[0].toObject()["exercises"]);
}

// The seeds of a set follow the formula --help gives: each worksheet's seed
// is the next in the sequence after the one before it (these settings allow
// so many worksheets that no seed is skipped).
TEST(FractionsCli, ASetsSeedsFollowTheFormulaOfTheHelp) {
  const QString help = QString::fromStdString(RunWith({"--help"}).out).simplified();
  const QRegularExpressionMatch formula =
      QRegularExpression("s × (\\d+) \\+ (\\d+) \\(modulo 2\\^32\\)").match(help);
  ASSERT_TRUE(formula.hasMatch()) << help.toStdString();
  const uint32_t factor = formula.captured(1).toUInt();
  const uint32_t increment = formula.captured(2).toUInt();
  const QJsonArray variants =
      ParseJson(RunWith({"--type", "add", "--seed", "4000000000", "--variants", "4", "--json"})
                    .out)["variants"]
          .toArray();
  ASSERT_EQ(variants.size(), 4);
  uint32_t seed = 4000000000u;
  for (const QJsonValue& variant : variants) {
    EXPECT_EQ(variant.toObject()["seed"].toInteger(), seed);
    seed = seed * factor + increment;
  }
}

// A refused set is refused input (status 2) and says how many different
// worksheets the settings give: with
// one simplification question, every fraction a/b the drawing allows
// (a from 1 to M, b from 2 to M), whatever the seed.
TEST(FractionsCli, SettingsTooNarrowForTheSetSayHowManyTheyGive) {
  for (const int largest : {9, 10}) {
    int fractions = 0;
    for (int a = 1; a <= largest; ++a) {
      for (int b = 2; b <= largest; ++b) {
        ++fractions;
      }
    }
    for (const char* seed : {"1", "3", "4", "7"}) {
      const CliRun run = RunWith({"--type", "simp", "--max", std::to_string(largest), "--count",
                                  "1", "--variants", "100", "--seed", seed});
      EXPECT_EQ(run.status, kExitUsage);
      EXPECT_NE(run.err.find("Ces réglages ne donnent que " + std::to_string(fractions) +
                             " sujets différents"),
                std::string::npos)
          << run.err;
      EXPECT_EQ(run.out, "");
    }
    // As many as they give: the set is made.
    EXPECT_EQ(RunWith({"--type", "simp", "--max", std::to_string(largest), "--count", "1",
                       "--variants", std::to_string(fractions), "--seed", "1"})
                  .status,
              kExitOk);
  }
}

// A set of worksheets drawn from few questions is still made, and standard
// error says how many the settings give and how many questions two of its
// worksheets share on average (count² / given, to the nearest): with one
// simplification exercise up to M, the M(M - 1) fractions of the test above,
// 72 up to 9 and 90 up to 10.
TEST_F(FractionsCliFiles, ASetDrawnFromFewQuestionsIsMadeAndSaysHowMany) {
  struct Case {
    std::vector<std::string> args;
    std::string warning;  // all of standard error
  };
  const std::string few =
      "fractions-cli : Attention : ces réglages ne donnent que 72 questions différentes ; deux "
      "sujets de ";
  const std::vector<Case> cases = {
      {{"--type", "simp", "--max", "9", "--count", "37", "--variants", "2"},
       few + "37 questions en ont en moyenne 19 en commun.\n"},
      {{"--type", "simp", "--max", "9", "--count", "40", "--variants", "30", "--json"},
       few + "40 questions en ont en moyenne 22 en commun.\n"},
      // Twice the questions a worksheet asks, or more: nothing to say.
      {{"--type", "simp", "--max", "9", "--count", "36", "--variants", "2"}, ""},
      {{"--type", "simp", "--max", "10", "--count", "40", "--variants", "30"}, ""},
      // A single worksheet shares its questions with none.
      {{"--type", "simp", "--max", "9", "--count", "40", "--variants", "1"}, ""},
      {{"--type", "simp", "--max", "9", "--count", "40"}, ""},
      // Each exercise of a sheet on its own settings.
      {{"--type", "add,simp,simp", "--max", "20,10,9", "--count", "5,15,40", "--variants", "3"},
       "fractions-cli : Attention : les réglages de l'exercice 3 ne donnent que 72 questions "
       "différentes ; deux sujets de 40 questions à cet exercice en ont en moyenne 22 en "
       "commun.\n"},
  };
  for (const Case& c : cases) {
    const std::string base = Base("classe");
    QFile::remove(QString::fromStdString(base + ".rtf"));
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--seed", "5", "--out", base});
    const CliRun run = RunWith(args);
    EXPECT_EQ(run.status, kExitOk) << c.args[3] << " " << c.args[5];
    EXPECT_EQ(run.err, c.warning);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(base + ".rtf"))) << c.args[5];
    if (std::ranges::count(args, "--json") > 0) {  // standard output holds the JSON alone
      EXPECT_EQ(ParseJson(run.out)["variants"].toArray().size(), 30);
    }
  }
}

// A level sets the options the type reads and the largest term; what is
// typed wins over it, before or after it. The JSON says what was used.
TEST(FractionsCli, LevelsAndTypedOptionsAsTheJsonListsThem) {
  struct Case {
    std::vector<std::string> args;
    int max;
    QJsonObject options;
  };
  const auto options = [](const char* level, const char* denominators, bool negatives, bool mixed,
                          const char* sign, bool least) {
    return QJsonObject{{"level", level ? QJsonValue(level) : QJsonValue()},
                       {"denominators", denominators},
                       {"negatives", negatives},
                       {"mixed", mixed},
                       {"division_sign", QString::fromUtf8(sign)},
                       {"least_common_denominator", least},
                       {"large_print", false},
                       {"worked", false}};
  };
  const std::vector<Case> cases = {
      {{"--type", "pow", "--level", "4e"}, 20, options("4e", "any", false, false, "÷", false)},
      {{"--type", "reduc", "--level", "6e"},
       20,
       options("6e", "multiple", false, false, ":", true)},
      {{"--type", "reduc", "--level", "cm2"}, 12, options("cm2", "any", false, false, ":", true)},
      {{"--max", "40", "--type", "add", "--level", "6e", "--denominators", "any"},
       40,
       options("6e", "any", false, true, ":", false)},
      {{"--division-sign", "colon", "--type", "div", "--level", "3e", "--max", "9"},
       9,
       options("3e", "any", true, false, ":", false)},
      {{"--type", "sub", "--negatives", "--mixed"},
       100,
       options(nullptr, "any", true, true, ":", false)},
      {{"--type", "mul", "--worked"},
       100,
       [&] {
         QJsonObject worked = options(nullptr, "any", false, false, ":", false);
         worked["worked"] = true;
         return worked;
       }()},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--seed", "8", "--json"});
    const CliRun run = RunWith(args);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const QJsonObject json = ParseJson(run.out);
    EXPECT_EQ(json["max"].toInt(), c.max) << c.args[1];
    EXPECT_EQ(json["options"].toObject(), c.options) << run.out.substr(0, 300);
  }
  EXPECT_FALSE(ParseJson(RunWith({"--type", "div", "--json"}).out).contains("options"));
}

// A type asked at a level whose class does not meet it yet is refused
// input, with the level that first does; from that level on it runs, and
// "Libre" never refuses it.
TEST(FractionsCli, ATypeBeforeItsFirstLevelIsRefusedNamingThatLevel) {
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    for (const LevelPreset& preset : LevelPresets()) {
      const std::vector<std::string> args = {"--type",  std::string(info.command_word),
                                             "--level", std::string(preset.command_word),
                                             "--count", "3",
                                             "--seed",  "5"};
      const CliRun run = RunWith(args);
      if (preset.level >= info.first_level) {
        EXPECT_EQ(run.status, kExitOk) << args[1] << " " << args[3] << ": " << run.err;
        continue;
      }
      EXPECT_EQ(run.status, kExitUsage) << args[1] << " " << args[3];
      EXPECT_EQ(run.out, "");
      const std::string first(FindLevelPreset(info.first_level)->name);
      EXPECT_NE(run.err.find("ne se travaille pas"), std::string::npos) << run.err;
      EXPECT_NE(run.err.find("à partir de la " + first), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(RunWith({"--type", "prio", "--count", "3", "--seed", "5"}).status, kExitOk);
  EXPECT_EQ(RunWith({"--type", "prio", "--level", "cm2"}).status, kExitUsage);
}

// Each exercise of a sheet of several types without an instruction of its
// own says what it asks (a sheet of one type keeps the first instruction:
// the golden files pin it).
TEST(FractionsCli, EachExerciseOfASheetTakesItsTypesInstruction) {
  const QString calculate = "Calculer (réponse irréductible)";
  const std::vector<std::pair<std::vector<std::string>, QStringList>> cases = {
      {{"--type", "add,pow,simp,reduc"},
       {calculate, calculate, "Simplifier (réponse irréductible)", "Réduire au même dénominateur"}},
      {{"--type", "mul,reduc", "--level", "5e"},
       {calculate, "Réduire au plus petit dénominateur commun"}},
      {{"--type", "simp,div", "--instruction", "À vous"}, {"À vous", "À vous"}},
  };
  for (const auto& [types, instructions] : cases) {
    std::vector<std::string> args = types;
    args.insert(args.end(), {"--count", "3", "--seed", "2", "--json"});
    const CliRun run = RunWith(args);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    QStringList listed;
    for (const QJsonValue exercise : ParseJson(run.out)["exercises"].toArray()) {
      listed << exercise.toObject()["instruction"].toString();
    }
    EXPECT_EQ(listed, instructions) << types[1];
  }
}

// A level typed in capitals, as the window writes it, or in any mix of
// cases, is the same level: same worksheet, same name in the JSON.
TEST(FractionsCli, LevelsReadInAnyLetterCase) {
  const std::vector<std::pair<std::string, std::string>> spellings = {
      {"CM2", "cm2"}, {"Cm2", "cm2"}, {"cM2", "cm2"}, {"4E", "4e"}, {"6E", "6e"}, {"3E", "3e"}};
  for (const auto& [typed, level] : spellings) {
    const CliRun run = RunWith({"--type", "add", "--level", typed, "--seed", "8", "--json"});
    ASSERT_EQ(run.status, kExitOk) << typed << ": " << run.err;
    EXPECT_EQ(ParseJson(run.out)["options"].toObject()["level"].toString().toStdString(), level);
    EXPECT_EQ(run.out, RunWith({"--type", "add", "--level", level, "--seed", "8", "--json"}).out)
        << typed;
  }
}

// With --mixed, an improper result that is not whole carries its mixed
// form; the listing writes it, and the division sign, in UTF-8.
TEST(FractionsCli, MixedFormsAndTheObelusInTheListings) {
  const CliRun json = RunWith({"--type", "div", "--mixed", "--division-sign", "obelus", "--count",
                               "40", "--seed", "3", "--json"});
  ASSERT_EQ(json.status, kExitOk) << json.err;
  int mixed = 0;
  for (const auto& value : ParseJson(json.out)["questions"].toArray()) {
    const QJsonObject q = value.toObject();
    const int num = q["num"].toInt();
    const int den = q["den"].toInt();
    ASSERT_EQ(q.contains("mixed"), num > den && den > 1) << num << "/" << den;
    if (q.contains("mixed")) {
      const QJsonObject m = q["mixed"].toObject();
      EXPECT_EQ(m["whole"].toInt() * den + m["num"].toInt(), num);
      EXPECT_TRUE(m["num"].toInt() < den && m["den"].toInt() == den);
      ++mixed;
    }
  }
  EXPECT_GT(mixed, 5);
  const CliRun text = RunWith(
      {"--type", "div", "--mixed", "--division-sign", "obelus", "--count", "40", "--seed", "3"});
  EXPECT_NE(text.out.find(" ÷ "), std::string::npos);
  EXPECT_TRUE(QRegularExpression(" = \\d+/\\d+ = \\d+ \\+ \\d+/\\d+\\n")
                  .match(QString::fromStdString(text.out))
                  .hasMatch());
}

// --worked changes only the answer key: the same questions with their
// steps in the JSON (one chain, two for reduc, one per fraction and a
// conclusion for a comparison; first the question and last the key), the
// same subject file, a longer key; with a level too.
TEST_F(FractionsCliFiles, WorkedKeysAddStepsAndChangeOnlyTheAnswerKey) {
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    const std::vector<std::string> args = {
        "--type", std::string(info.command_word), "--count", "6", "--seed", "21", "--level", "6e",
        "--json"};
    std::vector<std::string> worked_args = args;
    worked_args.insert(worked_args.end(), {"--worked", "--out", Base("detail")});
    const CliRun worked = RunWith(worked_args);
    ASSERT_EQ(worked.status, kExitOk) << worked.err;
    std::vector<std::string> plain_args = args;
    plain_args.insert(plain_args.end(), {"--out", Base("simple")});
    const CliRun plain = RunWith(plain_args);

    const bool pictured = std::holds_alternative<FigureKind>(info.kind) ||
                          std::holds_alternative<NumberLineKind>(info.kind);
    QJsonArray questions = ParseJson(worked.out)["questions"].toArray();
    const QJsonArray plain_questions = ParseJson(plain.out)["questions"].toArray();
    ASSERT_EQ(questions.size(), 6);
    for (qsizetype i = 0; i < questions.size(); ++i) {
      QJsonObject q = questions[i].toObject();
      const QJsonArray chains = q.take("steps").toArray();
      EXPECT_EQ(q, plain_questions[i].toObject()) << info.command_word;
      ASSERT_FALSE(chains.isEmpty());
      if (info.type == ExerciseType::kCommonDenominator) {
        ASSERT_EQ(chains.size(), 2);
      }
      const QString key = info.type == ExerciseType::kCommonDenominator
                              ? QString("((%1)/(%2))").arg(q["p2"].toInt()).arg(q["q2"].toInt())
                              : QString();
      // A reduc fraction over the common denominator already is its own key.
      const QJsonArray last = chains.last().toArray();
      // A comparison's or an ordering's last chain is its conclusion alone
      // (its reason, before "donc", is not listed), and may be its only
      // one; a figure's fraction irreducible already, or over the figure's
      // parts, is alone.
      const bool concluded =
          info.type == ExerciseType::kComparison || info.type == ExerciseType::kOrdering;
      EXPECT_GE(last.size(),
                key.isEmpty() && chains.size() == 1 && !pictured && !concluded ? 2 : 1);
      if (!key.isEmpty()) {
        EXPECT_EQ(last.last().toString(), key);
      }
    }
    EXPECT_EQ(Read(Base("detail") + ".rtf"), Read(Base("simple") + ".rtf"));
    if (!pictured) {  // a figure's key loses its fraction beside it
      EXPECT_GT(Read(Base("detail") + "_Cor.rtf").size(), Read(Base("simple") + "_Cor.rtf").size());
    }
  }
  EXPECT_NE(RunWith({"--help"}).out.find("--worked"), std::string::npos);
}

// In a sheet of several exercises every exercise's key is worked, and the
// subject stays the plain sheet's.
TEST_F(FractionsCliFiles, WorkedKeysCoverEveryExerciseOfASheet) {
  const std::vector<std::string> args = {"--type", "add,simp", "--count", "3",
                                         "--seed", "5",        "--json"};
  std::vector<std::string> worked_args = args;
  worked_args.insert(worked_args.end(), {"--worked", "--out", Base("detail")});
  std::vector<std::string> plain_args = args;
  plain_args.insert(plain_args.end(), {"--out", Base("simple")});
  const CliRun worked = RunWith(worked_args);
  ASSERT_EQ(worked.status, kExitOk) << worked.err;
  ASSERT_EQ(RunWith(plain_args).status, kExitOk);

  const QJsonArray exercises = ParseJson(worked.out)["exercises"].toArray();
  ASSERT_EQ(exercises.size(), 2);
  for (const QJsonValue exercise : exercises) {
    for (const QJsonValue question : exercise.toObject()["questions"].toArray()) {
      EXPECT_GE(question.toObject()["steps"].toArray().first().toArray().size(), 2);
    }
  }
  EXPECT_EQ(Read(Base("detail") + ".rtf"), Read(Base("simple") + ".rtf"));
  const std::string key = Read(Base("detail") + "_Cor.rtf");
  EXPECT_GT(key.size(), Read(Base("simple") + "_Cor.rtf").size());
  EXPECT_NE(key.find("Exercice 2"), std::string::npos);
}

TEST(FractionsCli, HelpVersionAndInlineValues) {
  const CliRun help = RunWith({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("--seed S"), std::string::npos);
  EXPECT_EQ(RunWith({"-h"}).out, help.out);
  const CliRun version = RunWith({"--version"});
  EXPECT_EQ(version.status, kExitOk);
  EXPECT_EQ(version.out, "fractions-cli " FRACTIONS_VERSION "\n");
  const CliRun inline_values =
      RunWith({"--type=mul", "--max=12", "--count=3", "--seed=5", "--json"});
  ASSERT_EQ(inline_values.status, kExitOk) << inline_values.err;
  EXPECT_EQ(inline_values.out,
            RunWith({"--type", "mul", "--max", "12", "--count", "3", "--seed", "5", "--json"}).out);
}

// The help and the messages name the types from the catalogue: the
// help's --type entry and the refusal of an unknown type list every row's
// word, and each option's entry names exactly the types it is taken with
// ("reduc sauf same": all its values but same).
TEST(FractionsCli, TheHelpNamesEveryTypeAndTheTypesEachOptionGoesWith) {
  const std::string help = RunWith({"--help"}).out;
  // An entry: from its option to the next one at a line's start.
  const auto entry = [&](const std::string& option) {
    const size_t start = help.find("\n  " + option);
    return QString::fromStdString(help.substr(start, help.find("\n  --", start + 1) - start))
        .simplified();
  };
  const QString refusal = QString::fromStdString(RunWith({"--type", "frac"}).err);
  const std::vector<std::string> options[] = {{"--negatives"},
                                              {"--mixed"},
                                              {"--least-common-denominator"},
                                              {"--denominators", "multiple"},
                                              {"--denominators", "same"}};
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    const QString word = "\\b" + QString::fromUtf8(row.command_word) + "\\b";
    EXPECT_TRUE(entry("--type TYPE").contains(QRegularExpression(word))) << row.command_word;
    EXPECT_TRUE(refusal.contains(QRegularExpression(word))) << refusal.toStdString();
    for (const std::vector<std::string>& option : options) {
      std::vector<std::string> args = {"--type", std::string(row.command_word), "--seed", "1"};
      args.insert(args.end(), option.begin(), option.end());
      const QString value = option.size() > 1 ? QString::fromStdString(option[1]) : "\\w+";
      const QString text = entry(option[0]);
      EXPECT_EQ(text.contains(QRegularExpression(word + "(?! sauf " + value + ")")),
                RunWith(args).status == kExitOk)
          << args[1] << " " << option.back() << ": " << text.toStdString();
    }
  }
}

// The lines ".B X" of a manual page from the line that holds `from` up to
// the next paragraph, X as printed ("\-" is "-").
std::vector<std::string> BoldWordsAfter(const char* page, const std::string& from) {
  std::ifstream file(std::string(FRACTIONS_MAN_DIR) + "/" + page);
  std::vector<std::string> words;
  bool in = false;
  for (std::string line; std::getline(file, line);) {
    if (!in) {
      in = line.find(from) != std::string::npos;
    } else if (line.starts_with(".PP") || line.starts_with(".IP") || line.starts_with(".TP")) {
      break;
    } else if (line.starts_with(".B ")) {
      words.push_back(QString::fromStdString(line.substr(3)).replace("\\-", "-").toStdString());
    }
  }
  EXPECT_TRUE(in) << page << ": " << from;
  return words;
}

// The manual pages name every type as the catalogue does: the command
// line's words, the window's buttons and the entries of its menu.
TEST(FractionsCli, TheManualPagesNameTheTypesOfTheCatalogue) {
  std::vector<std::string> words, buttons, entries;
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    words.emplace_back(row.command_word);
    (row.button_place.in_menu ? entries : buttons).emplace_back(row.button_caption);
  }
  EXPECT_EQ(BoldWordsAfter("fractions-cli.1", ".BI \\-\\-type \" TYPE\""), words);
  // The buttons, then "Autres…" and its entries.
  std::vector<std::string> shown = buttons;
  shown.push_back("Autres…");
  shown.insert(shown.end(), entries.begin(), entries.end());
  EXPECT_EQ(BoldWordsAfter("fractions.1", "boutons d'exercice\\~:"), shown);
  EXPECT_EQ(BoldWordsAfter("fractions.1", ".B Autres…"), entries);
}

// A kind that writes the key's text gets "answer" in the JSON, as UTF-8;
// one that does not, none.
TEST(FractionsCli, AnAnswerIsListedForTheKindsThatWriteIt) {
  struct PowersWithAnswer : PowerKind {
    std::string Answer(const PowerQuestion& q, const ExerciseOptions&) const {
      return std::to_string(q.p) + " \xF7 \"" + std::to_string(q.q) + "\"";
    }
  };
  const PowerQuestion q{3, 4, 9, 16, PowerForm::kWholeFraction, 2};
  const QuestionListing with = ListQuestion(PowersWithAnswer{}, q, {});
  const QuestionListing without = ListQuestion(PowerKind{}, q, {});
  EXPECT_EQ(with.answer, "9 \xF7 \"16\"");
  EXPECT_FALSE(without.answer.has_value());
  std::ostringstream json;
  WriteQuestionObject(json, with);
  EXPECT_EQ(ParseJson(json.str())["answer"].toString(), "9 ÷ \"16\"") << json.str();
  std::ostringstream plain;
  WriteQuestionObject(plain, without);
  EXPECT_FALSE(ParseJson(plain.str()).contains("answer")) << plain.str();
}

}  // namespace
}  // namespace fractions
