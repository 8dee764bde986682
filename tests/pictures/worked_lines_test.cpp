// The pictures of worked keys: rows as high as the key's lines at both
// scales, never wider than 680 pixels, a chain that does not fit going on
// under its first "="; the question pictures stay as they were; and read
// back from their drawings, the pictures write the steps the command line
// lists, signs and parentheses included.
#include <gtest/gtest.h>

#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "drawing/exercise_catalogue.h"
#include "picture_probe.h"
#include "pictures/fraction_drawing.h"
#include "pictures/line_layouts.h"
#include "pictures/worked_lines.h"

namespace fractions {
namespace {

using testing::BlackPixels;
using testing::IsTwoColoured;

// The columns of the ink run starting at x.
int InkRun(const QImage& picture, int x) {
  int end = x;
  while (end < picture.width() && BlackPixels(picture, QRect(end, 0, 1, picture.height())) > 0) {
    ++end;
  }
  return end - x;
}

// The rows [top, bottom) a drawing puts ink on, as it would draw them past
// its picture's edges. A tall parenthesis's arc counts a row short at each
// end: the lower tip of an opening one has always ended in the row under
// the picture. `cut` tells whether a copy cut ink off its source.
struct InkRows {
  double top = std::numeric_limits<double>::max();
  double bottom = std::numeric_limits<double>::lowest();

  void Add(double from, double to) {
    top = std::min(top, from);
    bottom = std::max(bottom, to);
  }
};

InkRows InkDrawn(const LineDrawing& drawing, bool& cut) {
  InkRows rows;
  for (const LineStep& step : drawing.Steps()) {
    if (const auto* text = std::get_if<DrawnText>(&step)) {
      if (!text->ink.isEmpty()) {
        rows.Add(text->at.y() + text->ink.top(), text->at.y() + text->ink.bottom() + 1);
      }
    } else if (const auto* line = std::get_if<DrawnLine>(&step)) {
      // A thick line's extra rows lie above it; its end point is left out.
      const int low = std::min(line->from.y(), line->to.y());
      const int high = std::max(line->from.y(), line->to.y());
      if (line->from.x() == line->to.x() && low != high) {
        const int first = line->from.y() < line->to.y() ? low : low + 1;
        rows.Add(first, first + high - low);
      } else {
        rows.Add(low - (line->width - 1), high + 1);
      }
    } else if (const auto* arc = std::get_if<DrawnArc>(&step)) {
      QPainterPath path;
      path.arcMoveTo(arc->ellipse, arc->start16 / 16.0);
      path.arcTo(arc->ellipse, arc->start16 / 16.0, arc->span16 / 16.0);
      rows.Add(path.boundingRect().top() + 1, path.boundingRect().bottom() - 1);
    } else if (const auto* stroked = std::get_if<DrawnPath>(&step)) {
      const QRectF box = stroked->path.boundingRect();
      rows.Add(box.top() - stroked->width, box.bottom() + stroked->width);
    } else if (const auto* hatch = std::get_if<DrawnHatch>(&step)) {
      rows.Add(hatch->region.boundingRect().top(), hatch->region.boundingRect().bottom());
    } else if (const auto* copy = std::get_if<DrawnCopy>(&step)) {
      const InkRows copied = InkDrawn(*copy->source, cut);
      const int shown_top = std::max(copy->source_rect.top, 0);
      const int shown_bottom = std::min(copy->source_rect.bottom, copy->source->Size().height());
      cut = cut || copied.top < shown_top || copied.bottom > shown_bottom;
      const double shift = copy->dest.top - copy->source_rect.top;
      if (copied.top <= copied.bottom) {
        rows.Add(std::max<double>(copied.top + shift, copy->dest.top),
                 std::min<double>(copied.bottom + shift, copy->dest.bottom));
      }
    }
  }
  return rows;
}

struct Tally {
  int pictures = 0;
  int continuations = 0;
};

// Every worked picture of every line of a set: the row's height, nothing
// of its fractions cut at its top or bottom edge, at most 680 pixels wide;
// a continuation (blank up to the operand column) starts
// with the same "=" as its chain's first picture, in the same columns.
void CheckWorkedPictures(const QuestionSet& set, LineScale scale, Tally& tally) {
  LineImages images;
  images.SetScale(scale);
  LineImages plain;
  plain.SetScale(scale);
  QuestionSet unworked = set;
  std::visit([](auto& drawn) { drawn.options.worked = false; }, unworked);
  for (int number = 1; number <= static_cast<int>(QuestionCount(set)); ++number) {
    ComposeQuestionLine(images, set, number);
    ComposeQuestionLine(plain, unworked, number);
    ASSERT_TRUE(plain.worked.empty());
    EXPECT_EQ(images.ImaQuest.Picture(), plain.ImaQuest.Picture()) << "subject of " << number;
    ASSERT_FALSE(images.worked.empty());
    const QImage* chain_start = nullptr;
    for (LineImage& image : images.worked) {
      const QImage& picture = image.Picture();
      ++tally.pictures;
      // A figure or a graduated line first, as the key shows it, then rows.
      const bool drawn_first = &image == &images.worked.front() &&
                               (std::holds_alternative<KindQuestions<FigureKind>>(set) ||
                                std::holds_alternative<KindQuestions<NumberLineKind>>(set));
      EXPECT_EQ(picture.height() > scale(kRowHeight), drawn_first) << "line " << number;
      EXPECT_LE(picture.width(), kMaxWorkedWidth) << "line " << number;
      EXPECT_TRUE(IsTwoColoured(picture));
      bool cut = false;
      const InkRows rows = InkDrawn(*image.Drawing(), cut);
      ASSERT_TRUE(!cut && rows.top >= 0 && rows.bottom <= picture.height())
          << "line " << number << ": ink on rows " << rows.top << " to " << rows.bottom
          << " of a picture " << picture.height() << " high" << (cut ? ", cut in a copy" : "");
      const int ink = testing::InkColumns(picture, picture.rect()).first;
      // A lead, "7°)", "et", or a chain of its own from the operand column.
      if (ink < LineTextWidth(LineFont::kLine, scale, u"1000") + scale(4)) {
        chain_start = &picture;
        continue;
      }
      ++tally.continuations;
      ASSERT_NE(chain_start, nullptr);
      const int equals = InkRun(picture, ink);
      EXPECT_GE(equals, scale(4));
      EXPECT_EQ(picture.copy(ink, 0, equals, picture.height()),
                chain_start->copy(ink, 0, equals, picture.height()))
          << "line " << number << ": the continuation's = stands elsewhere";
    }
  }
}

TEST(WorkedLines, RowsStayWithinTheLineAndGoOnUnderTheirFirstEquals) {
  Tally tally;
  for (const LineScale scale : testing::kBothScales) {
    for (const ExerciseType type : kAllExerciseTypes) {
      for (const ExerciseOptions& options :
           {ExerciseOptions{.worked = true}, ExerciseOptions{.negatives = true,
                                             .mixed = true,
                                             .division_sign = DivisionSign::kObelus,
                                             .worked = true}}) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
          SCOPED_TRACE(std::string(Describe(type).command_word) + " seed " + std::to_string(seed) +
                       " scale " + std::to_string(scale.Numerator()));
          CheckWorkedPictures(testing::Drawn(type, 500, kMaxQuestions, options, seed), scale,
                              tally);
        }
      }
    }
  }
  EXPECT_GT(tally.continuations, 50);  // large terms in large print go on
  EXPECT_GT(tally.pictures, 2 * 7 * 2 * 3 * kMaxQuestions);
}

// One thing a picture shows, and the column it starts at.
struct Token {
  int x;
  QString text;
};

QString Ascii(QString text) {
  return text.replace(u'\u2212', u'-')
      .replace(u'\u00D7', u'*')
      .replace(u'\u00F7', u'/')
      .replace(u':', u'/')
      .replace(u',', u'.')
      .replace(QStringLiteral("de"), QStringLiteral("*"))
      .remove(u' ');
}

// A picture read back from the steps its drawing recorded, left to right,
// in the ASCII the command line lists the steps in: a bar with the texts
// over and under it "((num)/(den))", a tall arc "(" or ")" as it opens
// left or right, an exponent "^n", the true minus "-", "×" and "de" "*",
// either division sign "/", the decimal comma ".", without blanks. The lead left of the operand
// column
// ("7°)", "et") is left out.
QString Reading(const LineDrawing& drawing, LineScale s) {
  const int operand_column = LineTextWidth(LineFont::kLine, s, u"1000");
  std::vector<const DrawnText*> texts;
  std::vector<const DrawnLine*> bars;
  std::vector<Token> tokens;
  for (const LineStep& step : drawing.Steps()) {
    if (const auto* text = std::get_if<DrawnText>(&step)) {
      texts.push_back(text);
    } else if (const auto* line = std::get_if<DrawnLine>(&step)) {
      bars.push_back(line);
    } else if (const auto* arc = std::get_if<DrawnArc>(&step)) {
      const int middle = ((arc->start16 + arc->span16 / 2) % 5760 + 5760) % 5760;
      const bool opening = middle > 90 * 16 && middle < 270 * 16;
      tokens.push_back({static_cast<int>(arc->ellipse.left()), opening ? "(" : ")"});
    }
  }
  std::vector<bool> used(texts.size());
  for (const DrawnLine* bar : bars) {
    QString num;
    QString den;
    for (size_t i = 0; i < texts.size(); ++i) {  // in drawing order: left to right
      const DrawnText& text = *texts[i];
      const int middle = text.at.x() + text.width / 2;
      if (middle < bar->from.x() || middle >= bar->to.x()) {
        continue;
      }
      const QString written = text.font == LineFont::kExponent ? "^" + text.text : Ascii(text.text);
      if (text.at.y() == 0) {
        num += written;
        used[i] = true;
      } else if (text.at.y() == s(kDenominatorRow)) {
        den += written;
        used[i] = true;
      }
    }
    tokens.push_back({bar->from.x(), "((" + num + ")/(" + den + "))"});
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!used[i] && texts[i]->at.x() >= operand_column) {
      const DrawnText& text = *texts[i];
      tokens.push_back(
          {text.at.x(), text.font == LineFont::kExponent ? "^" + text.text : Ascii(text.text)});
    }
  }
  std::stable_sort(tokens.begin(), tokens.end(),
                   [](const Token& a, const Token& b) { return a.x < b.x; });
  QString reading;
  for (const Token& token : tokens) {
    reading += token.text;
  }
  return reading;
}

// A fraction raised to a power stands in tall parentheses in the
// pictures, "(3/4)²", and in its own in the ASCII, "((3)/(4))^2".
QString WithoutPowerArcs(QString reading) {
  static const QRegularExpression arcs(R"(\((\(\([^()]*\)/\([^()]*\)\))\)\^)");
  return reading.replace(arcs, "\\1^");
}

// The worked pictures of every question of a set, read back, against its
// steps in ASCII, "(irréductible)" after an irreducible fraction: the same
// numbers, signs, operators and parentheses in the same order.
void ExpectPicturesReadAsSteps(const QuestionSet& set, LineScale scale, int& negatives) {
  LineImages images;
  images.SetScale(scale);
  std::visit(
      [&](const auto& drawn) {
        for (size_t k = 0; k < drawn.questions.size(); ++k) {
          ComposeQuestionLine(images, set, static_cast<int>(k) + 1);
          QString expected;
          for (const StepChain& chain : drawn.kind.Steps(drawn.questions[k], drawn.options)) {
            for (size_t e = 0; e < chain.size(); ++e) {
              expected += QString(e > 0 ? "=" : "") +
                          QString::fromStdString(AsciiExpression(chain[e])).remove(u' ') +
                          (chain[e].irreducible ? "(irréductible)" : "");
            }
          }
          QString read;
          for (LineImage& picture : images.worked) {
            if (picture.Height() > scale(kRowHeight)) {
              continue;  // the figure or the line the chains below read
            }
            // A conclusion's steps list what follows its "donc".
            const QString row = Reading(*picture.Drawing(), scale);
            const qsizetype hence = row.lastIndexOf(QStringLiteral("donc"));
            read += hence < 0 ? row : row.mid(hence + 4);
          }
          SCOPED_TRACE("question " + std::to_string(k + 1));
          EXPECT_EQ(WithoutPowerArcs(read), expected);
          negatives += static_cast<int>(expected.count("(-"));
        }
      },
      set);
}

TEST(WorkedLines, ThePicturesReadAsTheSteps) {
  int negatives = 0;
  for (const LineScale scale : testing::kBothScales) {
    for (const ExerciseType type : kAllExerciseTypes) {
      for (const ExerciseOptions& options :
           {ExerciseOptions{.mixed = true, .worked = true},
            ExerciseOptions{
                .negatives = true, .division_sign = DivisionSign::kObelus, .worked = true}}) {
        SCOPED_TRACE(std::string(Describe(type).command_word) + " scale " +
                     std::to_string(scale.Numerator()));
        ExpectPicturesReadAsSteps(testing::Drawn(type, 20, kMaxQuestions, options, 7), scale,
                                  negatives);
      }
    }
  }
  EXPECT_GT(negatives, 100);

  // As a teacher writes it: a negative second operand in parentheses, its
  // minus before the bar, once.
  LineImages images;
  const OperationKind subtraction{Operation::kSubtract};
  const QuestionSet set = KindQuestions<OperationKind>{
      subtraction, {{5, 4, -2, 3, 23, 12}}, {.negatives = true, .worked = true}};
  ComposeQuestionLine(images, set, 1);
  ASSERT_FALSE(images.worked.empty());
  EXPECT_EQ(Reading(*images.worked.front().Drawing(), LineScale()),
            "((5)/(4))-(-((2)/(3)))=((5*3)/(4*3))-(-((2*4)/(3*4)))=((15)/(12))-(-((8)/(12)))="
            "((15-(-8))/(12))=((23)/(12))");
}

// A fraction as the pictures read back, "-((2)/(3))".
QString Read(int32_t num, int32_t den) {
  return QString(num < 0 ? "-" : "") + QString("((%1)/(%2))").arg(std::abs(num)).arg(den);
}

// The kinds whose question is drawn apart from its answer, at every level
// and both sizes: the subject's picture asks (the dots for a sign, the
// fractions as given and the slots to order them in, the gap), and never
// shows what the key's line answers, both read back from their drawings
// against the question's own numbers. Room to answer: a comparison's dots
// at least 6 mm (23 pixels at 96 dpi, scaled), an ordering's slots each as
// wide as the fraction the key writes in it, which stands within it; both
// pictures within 680 pixels.
TEST(OwnQuestionLines, TheSubjectAsksWhatTheKeyAnswersAndLeavesRoomForIt) {
  std::vector<std::pair<ExerciseOptions, int32_t>> levels = {{{.negatives = true}, 500}};
  for (const LevelPreset& preset : LevelPresets()) {
    levels.emplace_back(preset.options, preset.largest_term);
  }
  for (const LineScale scale : testing::kBothScales) {
    for (const ExerciseType type :
         {ExerciseType::kComparison, ExerciseType::kOrdering, ExerciseType::kEqualFractions}) {
      for (const auto& [options, largest] : levels) {
        SCOPED_TRACE(std::string(Describe(type).command_word) + " up to " +
                     std::to_string(largest) + " scale " + std::to_string(scale.Numerator()));
        const QuestionSet set =
            testing::Drawn(type, largest, 20, OptionsUsed(options, OptionUseOf(type)), 3);
        LineImages images;
        images.SetScale(scale);
        for (int number = 1; number <= 20; ++number) {
          ComposeQuestionLine(images, set, number);
          QString asked, answered;
          std::visit(
              [&](const auto& drawn) {
                const auto& q = drawn.questions[static_cast<size_t>(number - 1)];
                if constexpr (requires { q.compare; }) {
                  asked = QRegularExpression::escape(Read(q.a, q.b)) + R"(\.{5,})" +
                          QRegularExpression::escape(Read(q.c, q.d));
                  answered = Read(q.a, q.b) +
                             (q.compare < 0   ? "<"
                              : q.compare > 0 ? ">"
                                              : "=") +
                             Read(q.c, q.d);
                } else if constexpr (requires { q.missing; }) {
                  QStringList terms = {QString::number(q.a), QString::number(q.b),
                                       QString::number(q.c), QString::number(q.d)};
                  const QString equality = "((%1)/(%2))=((%3)/(%4))";
                  answered = equality.arg(terms[0], terms[1], terms[2], terms[3]);
                  terms[q.missing] = "GAP";
                  asked = QRegularExpression::escape(
                              equality.arg(terms[0], terms[1], terms[2], terms[3]))
                              .replace("GAP", R"(\.{4,})");
                } else if constexpr (requires { q.num[3]; }) {
                  std::vector<size_t> rising = {0, 1, 2, 3};
                  std::sort(rising.begin(), rising.end(), [&](size_t i, size_t j) {
                    return int64_t{q.num[i]} * q.den[j] < int64_t{q.num[j]} * q.den[i];
                  });
                  QString list;
                  for (size_t i = 0; i < 4; ++i) {
                    list += (i > 0 ? ";" : "") + Read(q.num[i], q.den[i]);
                    answered += (i > 0 ? "<" : "") + Read(q.num[rising[i]], q.den[rising[i]]);
                  }
                  asked = QRegularExpression::escape(list) + R"(\.{5,}<\.{5,}<\.{5,}<\.{5,})";
                  answered = list + answered;
                }
              },
              set);
          const QString subject = Reading(*images.ImaQuest.Drawing(), scale);
          EXPECT_TRUE(QRegularExpression("^" + asked + "$").match(subject).hasMatch())
              << "question " << number << ": " << subject.toStdString();
          EXPECT_EQ(Reading(*images.ImaRep.Drawing(), scale), answered) << "question " << number;
          EXPECT_LE(std::max(images.ImaQuest.Width(), images.ImaRep.Width()), kMaxWorkedWidth);
          std::vector<QRect> dots;
          for (const DrawnText* text : testing::StepsOf<DrawnText>(*images.ImaQuest.Drawing())) {
            if (text->text.trimmed().startsWith(u'.')) {
              dots.push_back(text->ink.translated(text->at));
            }
          }
          if (type == ExerciseType::kComparison) {
            ASSERT_EQ(dots.size(), 1u);
            EXPECT_GE(dots[0].width(), scale(23)) << "question " << number;
          } else if (type == ExerciseType::kOrdering) {
            // The key's bars: the list's four, then one in each slot.
            const auto bars = testing::StepsOf<DrawnLine>(*images.ImaRep.Drawing());
            ASSERT_EQ(dots.size(), 4u);
            ASSERT_EQ(bars.size(), 8u);
            for (size_t k = 0; k < 4; ++k) {
              const QRect bar(bars[4 + k]->from, bars[4 + k]->to);
              EXPECT_TRUE(dots[k].width() >= bar.width() && dots[k].left() > bars[3]->to.x() &&
                          bar.left() >= dots[k].left() - scale(2) &&
                          bar.right() <= dots[k].right() + scale(2))
                  << "question " << number << " slot " << k;
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace fractions
