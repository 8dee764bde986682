// A fraction of a number and decimal writing: over many seeds each
// question is one a teacher may set, its key exact (rationals computed
// here), its worked chain, read in ASCII by an exact evaluator, keeps the
// question's value and ends with the key as printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "drawing/kinds/decimal_writing.h"
#include "drawing/kinds/fraction_of_number.h"
#include "exact_value.h"
#include "level_sheet.h"

namespace fractions {
namespace {

using Q = testing::Exact;

Q Of(int64_t n, int64_t d) {
  return Q::Of(n, d);
}

Q Evaluate(const std::string& text) {
  return testing::ExactEvaluator::Evaluate(text);
}

// The chain keeps `value` from `first` to the key as printed, `answer`,
// no step writing the one before again.
void ExpectChain(const WorkedSteps& steps, const Q& value, std::string first, std::string answer) {
  ASSERT_EQ(steps.size(), 1u);
  std::vector<std::string> chain = AsciiSteps(steps)[0];
  std::replace(first.begin(), first.end(), ',', '.');
  std::replace(answer.begin(), answer.end(), ',', '.');
  EXPECT_EQ(chain.front(), first);
  for (size_t i = 0; i < chain.size(); ++i) {
    EXPECT_EQ(Evaluate(chain[i]), value) << chain[i];
    EXPECT_TRUE(i == 0 || chain[i] != chain[i - 1]) << chain[i];
  }
  std::erase_if(chain.back(), [](char c) { return c == '(' || c == ')'; });
  EXPECT_EQ(chain.back(), answer);
}

template <typename Kind>
std::vector<typename Kind::Question> Sheet(const Kind& kind, int32_t m, int count, uint32_t seed) {
  LcgRandom random(seed * 7919u);
  QuestionTable table;
  DrawingContext context{random, table};
  return kind.Draw(m, count, context, {});
}

TEST(FractionOfNumber, EachQuestionIsAWholeShareOfItsNumberOnceASheet) {
  const FractionOfNumberKind kind;
  for (const int32_t m : {9, 12, 20, 100, 500}) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      std::set<std::string> keys;
      for (const FractionOfNumberQuestion& q : Sheet(kind, m, kMaxQuestions, seed)) {
        const std::string text = kind.Text(q, {});
        SCOPED_TRACE(text + ", M " + std::to_string(m));
        // A proper irreducible fraction (no a/a, a/1) of a number its
        // denominator divides at least twice, the share within the terms.
        EXPECT_TRUE(q.a >= 1 && q.a < q.b && q.b <= m && std::gcd(q.a, q.b) == 1);
        EXPECT_TRUE(q.n % q.b == 0 && q.n / q.b >= 2 && q.n / q.b <= m && q.n <= 999);
        const std::string fraction = std::to_string(q.a) + "/" + std::to_string(q.b);
        EXPECT_EQ(text, fraction + " de " + std::to_string(q.n) + " = " + kind.Answer(q, {}));
        ExpectChain(
            kind.Steps(q, {}), Of(q.result, 1),
            "((" + std::to_string(q.a) + ")/(" + std::to_string(q.b) + "))*" + std::to_string(q.n),
            kind.Answer(q, {}));
        EXPECT_EQ(Of(int64_t{q.a} * q.n, q.b), Of(q.result, 1));
        EXPECT_TRUE(keys.insert(kind.RepeatKey(q)).second) << "asked twice";
      }
    }
  }
}

TEST(DecimalWriting, EachNumberIsAskedOnceASheetHalfOfThemEachWay) {
  const DecimalWritingKind kind;
  // Largest terms 9 and 12 give 23 and 33 numbers: a sheet of 23 is all of them.
  for (const auto& [m, count] : {std::pair{9, 23}, {12, 30}, {20, 40}, {100, 40}, {500, 40}}) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      std::set<std::pair<int32_t, int32_t>> numbers;
      int to_decimal = 0;
      for (const DecimalWritingQuestion& q : Sheet(kind, m, count, seed)) {
        const std::string text = kind.Text(q, {});
        SCOPED_TRACE(text + ", M " + std::to_string(m));
        const std::string fraction = std::to_string(q.num) + "/" + std::to_string(q.den);
        const std::string asked = text.substr(0, text.find(" = "));
        const std::string decimal = q.to_decimal ? kind.Answer(q, {}) : asked;
        // The fraction irreducible, not whole, within the terms; its decimal
        // as a textbook writes it: "0,35", never ",35" nor "0,350".
        EXPECT_TRUE(q.den >= 2 && q.num <= m && q.den <= m && std::gcd(q.num, q.den) == 1);
        EXPECT_EQ(Evaluate(decimal), Of(q.num, q.den)) << decimal;
        EXPECT_TRUE(isdigit(decimal[0]) && decimal.back() != '0' &&
                    decimal.find(',') == decimal.find_first_not_of("0123456789") &&
                    (decimal[0] != '0' || decimal[1] == ','));
        EXPECT_EQ(text, q.to_decimal ? fraction + " = " + decimal : decimal + " = " + fraction);
        const std::string question =
            q.to_decimal ? "((" + std::to_string(q.num) + ")/(" + std::to_string(q.den) + "))"
                         : decimal;
        ExpectChain(kind.Steps(q, {}), Of(q.num, q.den), question, kind.Answer(q, {}));
        EXPECT_TRUE(numbers.insert({q.num, q.den}).second) << "a number asked twice";
        to_decimal += q.to_decimal ? 1 : 0;
      }
      EXPECT_LE(std::abs(2 * to_decimal - count), 1) << "half and half";
    }
  }
}

// What each class takes a fraction of: its denominators and numbers, every
// fraction and every part n ÷ b of them drawn, and in 4e and 3e a quarter
// of each sheet above 1 (below 2, never whole).
TEST(FractionOfNumber, EachClassTakesItsOwnSharesAndAllOfThem) {
  struct Class {
    Level level;
    std::set<int32_t> denominators;
    int32_t parts;
    bool above_one;
  };
  const Class classes[] = {{Level::kCM2, {2, 3, 4, 5, 10}, 10, false},
                           {Level::k6e, testing::Range(2, 10), 12, false},
                           {Level::k5e, testing::Range(2, 12), 20, false},
                           {Level::k4e, testing::Range(2, 12), 20, true},
                           {Level::k3e, testing::Range(2, 20), 25, true}};
  for (const Class& c : classes) {
    SCOPED_TRACE(FindLevelPreset(c.level)->name);
    std::set<std::pair<int32_t, int32_t>> row, reached;  // a/b, and {0, n ÷ b}
    for (const int32_t b : c.denominators)
      for (int32_t a = 1; a < (c.above_one ? 2 * b : b); ++a)
        if (a != b && std::gcd(a, b) == 1)
          row.insert({a, b});
    for (int32_t part = 2; part <= c.parts; ++part)
      row.insert({0, part});
    for (uint32_t seed = 1; seed <= 150; ++seed) {
      int above = 0;
      for (const FractionOfNumberQuestion& q :
           testing::LevelSheet(FractionOfNumberKind{}, c.level, 40, seed)) {
        EXPECT_TRUE(row.contains({q.a, q.b}) && q.n % q.b == 0 && row.contains({0, q.n / q.b}) &&
                    q.result * q.b == q.a * q.n)
            << FractionOfNumberKind{}.Text(q, {});
        reached.insert({{q.a, q.b}, {0, q.n / q.b}});
        above += q.a > q.b ? 1 : 0;
      }
      EXPECT_EQ(above, c.above_one ? 10 : 0);
    }
    EXPECT_EQ(reached, row);
  }
}

// What each class writes as decimals: its denominators, every one of them
// drawn, values below 10, half of each sheet negative in 4e and 3e.
TEST(DecimalWriting, EachClassWritesItsOwnDecimalsAndAllOfThem) {
  const auto dividing = [](int32_t power) {
    std::vector<int32_t> all;
    for (int32_t den = 2; den <= power; ++den)
      if (power % den == 0)
        all.push_back(den);
    return all;
  };
  const std::pair<Level, std::vector<int32_t>> classes[] = {
      {Level::kCM2, {2, 4, 5, 10, 100}},
      {Level::k6e, {2, 4, 5, 8, 10, 20, 25, 50, 100}},
      {Level::k5e, dividing(1000)},
      {Level::k4e, dividing(1000)},
      {Level::k3e, dividing(10000)}};
  for (const auto& [level, denominators] : classes) {
    SCOPED_TRACE(FindLevelPreset(level)->name);
    const bool negatives = level >= Level::k4e;
    std::set<int32_t> row, reached;  // the denominators, negative ones as -den
    for (const int32_t den : denominators) {
      row.insert(den);
      if (negatives)
        row.insert(-den);
    }
    for (uint32_t seed = 1; seed <= 150; ++seed) {
      int negative = 0;
      for (const DecimalWritingQuestion& q :
           testing::LevelSheet(DecimalWritingKind{}, level, 40, seed)) {
        const std::string text = DecimalWritingKind{}.Text(q, {});
        EXPECT_TRUE(row.contains(q.num < 0 ? -q.den : q.den) && std::abs(q.num) < 10 * q.den &&
                    std::gcd(q.num, q.den) == 1)
            << text;
        // Written by hand: three digits over the bar at most, four in the writing.
        EXPECT_TRUE(std::abs(q.num) <= 999 && std::abs(q.digits) <= 9999) << text;
        const std::string decimal =
            q.to_decimal ? DecimalWritingKind{}.Answer(q, {}) : text.substr(0, text.find(" = "));
        EXPECT_EQ(Evaluate(decimal), Of(q.num, q.den)) << text;
        reached.insert(q.num < 0 ? -q.den : q.den);
        negative += q.num < 0 ? 1 : 0;
      }
      EXPECT_EQ(negative, negatives ? 20 : 0);
    }
    EXPECT_EQ(reached, row);
  }
}

TEST(NewKindsText, KeysAndChainsAreWrittenAsTheBoardHasThem) {
  const auto row = [](const auto& kind, const auto& q) {
    std::vector<std::string> written = AsciiSteps(kind.Steps(q, {})).at(0);
    written.insert(written.begin(), {kind.Text(q, {}), kind.Answer(q, {})});
    return written;
  };
  const FractionOfNumberKind part;
  const DecimalWritingKind dec;
  using Row = std::vector<std::string>;
  const std::vector<std::pair<Row, Row>> rows = {
      {row(part, FractionOfNumberQuestion{3, 4, 28, 21}),
       {"3/4 de 28 = 21", "21", "((3)/(4))*28", "(28 / 4) * 3", "7 * 3", "21"}},
      {row(part, FractionOfNumberQuestion{1, 5, 35, 7}),
       {"1/5 de 35 = 7", "7", "((1)/(5))*35", "35 / 5", "7"}},
      {row(dec, DecimalWritingQuestion{true, 3, 4, 75, 2}),
       {"3/4 = 0,75", "0,75", "((3)/(4))", "((3*25)/(4*25))", "((75)/(100))", "0.75"}},
      {row(dec, DecimalWritingQuestion{false, 7, 20, 35, 2}),
       {"0,35 = 7/20", "7/20", "0.35", "((35)/(100))", "((7*5)/(20*5))", "((7)/(20))"}},
      {row(dec, DecimalWritingQuestion{true, 1, 20, 5, 2}),
       {"1/20 = 0,05", "0,05", "((1)/(20))", "((1*5)/(20*5))", "((5)/(100))", "0.05"}},
      {row(dec, DecimalWritingQuestion{true, -3, 4, -75, 2}),
       {"-3/4 = -0,75", "-0,75", "-((3)/(4))", "-((3*25)/(4*25))", "-((75)/(100))", "-0.75"}},
      {row(dec, DecimalWritingQuestion{false, -1, 16, -625, 4}),
       {"-0,0625 = -1/16", "-1/16", "-0.0625", "-((625)/(10000))", "-((1*625)/(16*625))",
        "-((1)/(16))"}},
  };
  for (const auto& [got, want] : rows)
    EXPECT_EQ(got, want);
}

// Fewer different questions than asked: refused with the true number,
// counted here from the rules a teacher reads.
TEST(NewKindsTooFew, TheRefusalSaysHowManyTheSettingsGive) {
  int numbers = 0;
  for (int32_t den = 2; den <= 9; ++den)
    for (int32_t num = 1; num <= 9; ++num)
      numbers += std::gcd(num, den) == 1 && 1000 % den == 0 ? 1 : 0;
  try {
    Sheet(DecimalWritingKind{}, 9, kMaxQuestions, 5);
    ADD_FAILURE() << "40 decimal writings drawn with terms up to 9";
  } catch (const TooFewQuestions& error) {
    EXPECT_EQ(error.Available(), numbers);
  }
}

}  // namespace
}  // namespace fractions
