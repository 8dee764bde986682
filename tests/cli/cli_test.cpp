#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "drawing/drawing_phase.h"
#include "drawing/random.h"

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

TEST(FractionsCli, EveryTypePrintsItsOwnFields) {
  struct Case {
    const char* type;
    std::vector<const char*> fields;
  };
  const std::vector<Case> cases = {
      {"add", {"a", "b", "c", "d", "num", "den", "key"}},
      {"sub", {"a", "b", "c", "d", "num", "den", "key"}},
      {"mul", {"a", "b", "c", "d", "num", "den", "key"}},
      {"div", {"a", "b", "c", "d", "num", "den", "key"}},
      {"pow", {"a", "b", "form", "exp", "num", "den", "key"}},
      {"simp", {"a", "b", "num", "den", "key"}},
      {"reduc", {"a", "b", "c", "d", "p1", "q1", "p2", "q2", "key"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const CliRun run = RunWith({"--type", c.type, "--seed", "77", "--json"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const QJsonArray questions = ParseJson(run.out)["questions"].toArray();
    ASSERT_EQ(questions.size(), 25);  // the default count
    const QJsonObject first = questions[0].toObject();
    EXPECT_EQ(first.size(), static_cast<qsizetype>(c.fields.size()));
    for (const char* field : c.fields) {
      EXPECT_TRUE(first.contains(field)) << field;
      EXPECT_EQ(first[field].isString(), std::string(field) == "key") << field;
    }
  }
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
  const auto expected = std::get<std::vector<SimplificationQuestion>>(
      RunDrawingPhase(ExerciseType::kSimplification, 30, 12, context));
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

TEST(FractionsCli, BadInputNamesTheOptionAndWritesNothing) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{}, "--type is required"},
      {{"--type", "mod"}, "--type takes add, sub, mul, div, pow, simp or reduc, not 'mod'"},
      {{"--type"}, "--type needs a value"},
      {{"--type", "add", "--max", "8"}, "--max takes a whole number from 9 to 500, not '8'"},
      {{"--type", "add", "--max", "501"}, "--max takes a whole number from 9 to 500"},
      {{"--type", "add", "--max", "1e2"}, "--max takes a whole number from 9 to 500, not '1e2'"},
      {{"--type", "add", "--max", "+50"}, "--max takes a whole number"},
      {{"--type", "add", "--max", ""}, "--max takes a whole number"},
      {{"--type", "add", "--count", "0"}, "--count takes a whole number from 1 to 40, not '0'"},
      {{"--type", "add", "--count", "41"}, "--count takes a whole number from 1 to 40"},
      {{"--type", "add", "--seed", "-1"}, "--seed takes a whole number from 0 to 4294967295"},
      {{"--type", "add", "--seed", "4294967296"},
       "--seed takes a whole number from 0 to 4294967295"},
      {{"--type", "add", "--seed", "99999999999999999999999"}, "--seed takes a whole number"},
      {{"--type", "add", "--colour"}, "unknown option '--colour'"},
      {{"--type", "add", "extra"}, "unexpected argument 'extra'"},
      {{"--type", "add", "--json=yes"}, "--json takes no value"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunWith(c.args);
    EXPECT_EQ(run.status, kExitUsage) << c.message;
    EXPECT_EQ(run.out, "") << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Usage: fractions-cli"), std::string::npos) << run.err;
  }
}

TEST(FractionsCli, HelpAndInlineValues) {
  const CliRun help = RunWith({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_NE(help.out.find("--seed S"), std::string::npos);
  const CliRun inline_values =
      RunWith({"--type=mul", "--max=12", "--count=3", "--seed=5", "--json"});
  ASSERT_EQ(inline_values.status, kExitOk) << inline_values.err;
  EXPECT_EQ(inline_values.out,
            RunWith({"--type", "mul", "--max", "12", "--count", "3", "--seed", "5", "--json"}).out);
}

}  // namespace
}  // namespace fractions
