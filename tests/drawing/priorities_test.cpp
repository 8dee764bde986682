// Chains of two operations on three fractions, as a teacher checks them:
// over many seeds and the options, every key exact and irreducible, every
// worked chain keeping the question's value and ending at the key, no
// whole-number operand and no zero, the denominators as asked, a third of
// each sheet starting with the operation computed second, no question twice;
// a few chains pinned; the number a refusal gives.
#include "drawing/kinds/priorities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "drawing/exact_value.h"
#include "level_sheet.h"

namespace fractions {
namespace {

using testing::Exact;
using testing::ExactEvaluator;

constexpr PriorityKind kKind{};

// The operation computed first and the whole, as the priorities say.
struct Values {
  Exact part, result;
};
Values ValuesOf(const PriorityQuestion& q) {
  const Exact x = Exact::Of(q.a, q.b), y = Exact::Of(q.c, q.d), z = Exact::Of(q.e, q.f);
  const auto sum = [&](Exact u, Exact v) { return q.subtract ? u - v : u + v; };
  switch (q.form) {
    case PriorityForm::kPlusTimes:
      return {y * z, sum(x, y * z)};
    case PriorityForm::kTimesPlus:
      return {x * y, sum(x * y, z)};
    case PriorityForm::kPlusDivided:
      return {y / z, sum(x, y / z)};
    case PriorityForm::kGroupTimes:
      return {sum(x, y), sum(x, y) * z};
    case PriorityForm::kDividedByGroup:
      return {sum(y, z), x / sum(y, z)};
  }
  throw std::invalid_argument("form");
}

bool IsOne(Exact v) {
  return v.d == 1 && (v.n == 1 || v.n == -1);
}

struct OptionCase {
  const char* what;
  int32_t largest_term;
  ExerciseOptions options;
};

TEST(Priorities, EverySheetHoldsSoundQuestionsAndWorkedKeys) {
  const OptionCase cases[] = {
      {"no option", 9, {}},
      {"negatives, obelus", 12, {.negatives = true, .division_sign = DivisionSign::kObelus}},
      {"multiples", 20, {.denominators = DenominatorRule::kMultiple}},
      {"one denominator, mixed", 9, {.denominators = DenominatorRule::kSame, .mixed = true}},
      {"4e", 20, FindLevelPreset(Level::k4e)->options},
      {"6e", 20, FindLevelPreset(Level::k6e)->options},
      {"5e, negatives",
       30,
       {.level = Level::k5e, .denominators = DenominatorRule::kMultiple, .negatives = true}},
  };
  const std::regex number("[0-9]+");
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ExerciseOptions& o = c.options;
    for (const int32_t count : {40, 3, 4}) {
      for (uint32_t seed = 1; seed <= 120; ++seed) {
        LcgRandom random(seed);
        QuestionTable table;
        DrawingContext context{random, table};
        const std::vector<PriorityQuestion> questions =
            kKind.Draw(c.largest_term, count, context, o);
        ASSERT_EQ(questions.size(), static_cast<size_t>(count));
        std::set<std::string> texts;
        int traps = 0;
        for (const PriorityQuestion& q : questions) {
          const std::string text = kKind.Text(q, o);
          SCOPED_TRACE(text);
          EXPECT_TRUE(texts.insert(text).second) << "twice on a sheet";
          // In 6e and 5e the product's right operand is whole, 2 to 9.
          const bool by_whole = o.level == Level::k6e || o.level == Level::k5e;
          const auto& [wn, wd] =
              q.form == PriorityForm::kTimesPlus ? std::pair(q.c, q.d) : std::pair(q.e, q.f);
          EXPECT_TRUE(!by_whole || (wn >= 2 && wn <= 9 && wd == 1)) << "not a whole factor";
          for (const auto& [n, d] : std::initializer_list<std::pair<int32_t, int32_t>>{
                   {q.a, q.b}, {q.c, q.d}, {q.e, q.f}}) {
            EXPECT_TRUE((by_whole && d == 1) || (n != 0 && d >= 2 && std::gcd(n, d) == 1))
                << "a whole number or zero";
            EXPECT_TRUE(o.negatives || n > 0);
          }
          const int32_t largest = std::max({q.b, q.d, q.f});
          if (o.denominators == DenominatorRule::kSame) {
            EXPECT_TRUE(q.b == q.d && q.d == q.f);
          } else if (o.denominators == DenominatorRule::kMultiple) {
            EXPECT_TRUE(largest % q.b == 0 && largest % q.d == 0 && largest % q.f == 0);
          }
          const Values v = ValuesOf(q);
          EXPECT_TRUE(v.part.n != 0 && v.result.n != 0);
          EXPECT_TRUE(o.negatives || (v.part.n > 0 && v.result.n > 0));
          EXPECT_EQ((Exact{q.num, q.den}), v.result) << "not the exact irreducible result";
          if (o.level != Level::kFree) {
            EXPECT_FALSE(q.form == PriorityForm::kPlusDivided && IsOne(v.part));
            EXPECT_FALSE(q.form == PriorityForm::kDividedByGroup && IsOne(v.result));
          }
          const StepChain chain = kKind.Steps(q, o).at(0);
          for (const StepExpression& e : chain) {
            const std::string ascii = AsciiExpression(e);
            EXPECT_EQ(ExactEvaluator::Evaluate(ascii), v.result) << ascii;
            for (std::sregex_iterator i(ascii.begin(), ascii.end(), number), end; i != end; ++i) {
              EXPECT_LE(std::stoi(i->str()), 999) << ascii;
            }
          }
          const bool mixed = o.mixed && q.num > q.den && q.den > 1;
          EXPECT_EQ(chain.back(), mixed
                                      ? Binary(FractionStep(q.num / q.den, 1), StepOperator::kPlus,
                                               FractionStep(q.num % q.den, q.den))
                                      : Single(FractionStep(q.num, q.den)));
          EXPECT_EQ(kKind.Answer(q, o), text.substr(text.find(" = ") + 3));
          traps += q.form == PriorityForm::kPlusTimes || q.form == PriorityForm::kPlusDivided ||
                           q.form == PriorityForm::kDividedByGroup
                       ? 1
                       : 0;
        }
        EXPECT_GE(3 * traps, count) << "seed " << seed;
      }
    }
  }
}

// What each class is set: its forms, signs and whole factors, all of them
// drawn, its largest term reached, and its share of each sheet starting
// with the operation computed second.
TEST(Priorities, EachClassDrawsItsOwnChainsAndAllOfThem) {
  struct Class {
    Level level;
    std::vector<int32_t> forms;
    bool minus, by_whole;
    int32_t largest;
    int trap_share;
  };
  const Class classes[] = {{Level::k6e, {1, 2, 4}, false, true, 12, 3},
                           {Level::k5e, {1, 2, 4}, true, true, 12, 3},
                           {Level::k4e, {1, 2, 3, 4}, true, false, 10, 3},
                           {Level::k3e, {1, 2, 3, 4, 5}, true, false, 12, 2}};
  for (const Class& c : classes) {
    SCOPED_TRACE(testing::LevelName(c.level));
    std::set<std::vector<int32_t>> row, reached;  // form, minus, whole factor (0: none)
    for (const int32_t form : c.forms)
      for (const int32_t minus : {0, c.minus ? 1 : 0})
        for (int32_t n = c.by_whole ? 2 : 0; n <= (c.by_whole ? 9 : 0); ++n)
          row.insert({form, minus, n});
    int32_t largest = 0;
    for (uint32_t seed = 1; seed <= 150; ++seed) {
      int traps = 0;
      for (const PriorityQuestion& q : testing::LevelSheet(kKind, c.level, 40, seed)) {
        const int32_t whole = q.d == 1 ? q.c : q.f == 1 ? q.e : 0;
        const std::vector<int32_t> seen = {static_cast<int32_t>(q.form), q.subtract ? 1 : 0, whole};
        EXPECT_TRUE(row.contains(seen)) << kKind.Text(q, {});
        reached.insert(seen);
        for (const int32_t term : {q.a, q.b, q.c, q.d, q.e, q.f}) {
          const int32_t size = term == whole ? 0 : std::abs(term);
          EXPECT_LE(size, c.largest) << kKind.Text(q, {});
          largest = std::max(largest, size);
        }
        traps += StartsWithSecondOperation(q.form) ? 1 : 0;
      }
      EXPECT_GE(traps * c.trap_share, 40) << "seed " << seed;
    }
    EXPECT_EQ(reached, row);
    EXPECT_EQ(largest, c.largest);
  }
}

struct Row {
  PriorityQuestion q;
  ExerciseOptions options;
  std::string text;
  std::vector<std::string> steps;
};

TEST(Priorities, WorkedKeysWriteEachOperationAsItsOwnKind) {
  const Row rows[] = {
      {{PriorityForm::kPlusTimes, false, 2, 3, 1, 4, 5, 2, 31, 24},
       {},
       "2/3 + 1/4 \xD7 5/2 = 31/24",
       {"((2)/(3)) + ((1)/(4)) * ((5)/(2))", "((2)/(3)) + ((1*5)/(4*2))", "((2)/(3)) + ((5)/(8))",
        "((2*8)/(3*8)) + ((5*3)/(8*3))", "((16)/(24)) + ((15)/(24))", "((16+15)/(24))",
        "((31)/(24))"}},
      {{PriorityForm::kGroupTimes, true, 1, 2, 3, 4, 2, 5, -1, 10},
       {},
       "(1/2 - 3/4) \xD7 2/5 = -1/10",
       {"(((1)/(2)) - ((3)/(4))) * ((2)/(5))", "(((1*2)/(2*2)) - ((3)/(4))) * ((2)/(5))",
        "(((2)/(4)) - ((3)/(4))) * ((2)/(5))", "((2-3)/(4)) * ((2)/(5))", "-((1)/(4)) * ((2)/(5))",
        "-((1*2)/(4*5))", "-((1*2)/(2*2*5))", "-((1)/(10))"}},
      {{PriorityForm::kDividedByGroup, false, 3, 4, -1, 2, 1, 3, -9, 2},
       {.negatives = true, .division_sign = DivisionSign::kObelus},
       "3/4 \xF7 (-1/2 + 1/3) = -9/2",
       {"((3)/(4)) / (-((1)/(2)) + ((1)/(3)))", "((3)/(4)) / (-((1*3)/(2*3)) + ((1*2)/(3*2)))",
        "((3)/(4)) / (-((3)/(6)) + ((2)/(6)))", "((3)/(4)) / ((-3+2)/(6))",
        "((3)/(4)) / (-((1)/(6)))", "((3)/(4)) * (-6)", "-((3*6)/(4))", "-((3*2*3)/(2*2))",
        "-((9)/(2))"}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(kKind.Text(row.q, row.options), row.text);
    EXPECT_EQ(AsciiSteps(kKind.Steps(row.q, row.options)),
              std::vector<std::vector<std::string>>{row.steps});
  }
}

// Plays whole attempts in turn: a form among the five, then the sign and
// the terms. Asked for a form among the three that start with the
// operation computed second, it plays the next attempt of such a form.
class Attempts final : public RandomSource {
 public:
  explicit Attempts(std::vector<std::vector<int32_t>> attempts) : attempts_(std::move(attempts)) {}
  int32_t Random(int32_t n) override {
    if (draw_ == 0) {
      do {
        current_ = (current_ + 1) % attempts_.size();
      } while (n == 3 && attempts_[current_][0] % 2 != 0);
    }
    const int32_t value = attempts_[current_][draw_];
    draw_ = (draw_ + 1) % attempts_[current_].size();
    return draw_ == 1 && n == 3 ? value / 2 : value;
  }

 private:
  std::vector<std::vector<int32_t>> attempts_;
  size_t current_ = static_cast<size_t>(-1);
  size_t draw_ = 0;
};

TEST(Priorities, SettingsGivingTooFewQuestionsSayHowManyASheetCanHold) {
  // Four questions a/b × c/d ± e/f or (a/b ± c/d) × e/f, one a/b ± c/d × e/f:
  // a sheet of three holds them, one of six would need two of the last.
  const std::vector<std::vector<int32_t>> attempts = {{1, 0, 0, 0, 0, 0, 1, 3},
                                                      {1, 0, 1, 0, 0, 1, 0, 3},
                                                      {0, 0, 0, 0, 0, 0, 1, 3},
                                                      {3, 0, 0, 0, 0, 0, 1, 3},
                                                      {3, 0, 1, 0, 0, 1, 0, 3}};
  QuestionTable table;
  Attempts three(attempts);
  DrawingContext context_three{three, table};
  EXPECT_EQ(kKind.Draw(9, 3, context_three).size(), 3u);
  Attempts six(attempts);
  DrawingContext context_six{six, table};
  try {
    kKind.Draw(9, 6, context_six);
    ADD_FAILURE() << "six questions drawn";
  } catch (const TooFewQuestions& refusal) {
    EXPECT_EQ(refusal.Available(), 3);
  }
}

}  // namespace
}  // namespace fractions
