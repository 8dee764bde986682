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

// The first column holding ink, the width if none.
int FirstInkColumn(const QImage& picture) {
  for (int x = 0; x < picture.width(); ++x) {
    if (BlackPixels(picture, QRect(x, 0, 1, picture.height())) > 0) {
      return x;
    }
  }
  return picture.width();
}

// The columns of the ink run starting at x.
int InkRun(const QImage& picture, int x) {
  int end = x;
  while (end < picture.width() && BlackPixels(picture, QRect(end, 0, 1, picture.height())) > 0) {
    ++end;
  }
  return end - x;
}

struct Tally {
  int pictures = 0;
  int continuations = 0;
};

// Every worked picture of every line of a set: the row's height, at most
// 680 pixels wide; a continuation (blank up to the operand column) starts
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
      const int ink = FirstInkColumn(picture);
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
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : kAllExerciseTypes) {
      for (const ExerciseOptions& options :
           {ExerciseOptions{.worked = true}, ExerciseOptions{.negatives = true,
                                             .mixed = true,
                                             .division_sign = DivisionSign::kObelus,
                                             .worked = true}}) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
          SCOPED_TRACE(std::string(Describe(type).command_word) + " seed " + std::to_string(seed) +
                       " scale " + std::to_string(scale.Numerator()));
          LcgRandom random(seed);
          QuestionTable table;
          DrawingContext context{random, table};
          CheckWorkedPictures(RunDrawingPhase(type, 500, kMaxQuestions, context, options), scale,
                              tally);
        }
      }
    }
  }
  EXPECT_GT(tally.continuations, 50);  // large terms in large print go on
  EXPECT_GT(tally.pictures, 2 * 7 * 2 * 3 * kMaxQuestions);
}

// The rows a drawing puts ink on, from `top` to `bottom` (exclusive), as
// it would draw them past its picture's edges.
struct InkRows {
  double top = std::numeric_limits<double>::max();
  double bottom = std::numeric_limits<double>::lowest();

  void Add(double from, double to) {
    top = std::min(top, from);
    bottom = std::max(bottom, to);
  }
  void Add(const InkRows& rows) {
    if (rows.top <= rows.bottom) {
      Add(rows.top, rows.bottom);
    }
  }
};

// The ink of a drawing: its numbers and signs (the glyphs' own pixels),
// bars and strokes with their thickness; apart, the middle lines of its
// tall parentheses' arcs. What a copy it holds cut off its source is told
// in `cut`.
struct Ink {
  InkRows text_and_lines;
  InkRows arcs;
};

Ink InkDrawn(const LineDrawing& drawing, std::string& cut) {
  Ink ink;
  InkRows& rows = ink.text_and_lines;
  for (const LineStep& step : drawing.Steps()) {
    if (const auto* text = std::get_if<DrawnText>(&step)) {
      if (!text->ink.isEmpty()) {
        rows.Add(text->at.y() + text->ink.top(), text->at.y() + text->ink.bottom() + 1);
      }
    } else if (const auto* line = std::get_if<DrawnLine>(&step)) {
      // The extra pixels of a thick line lie above it, and an end point is
      // left out: the rows of a vertical line drawn downwards start at its
      // first point, upwards after its last.
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
      ink.arcs.Add(path.boundingRect().top(), path.boundingRect().bottom());
    } else if (const auto* stroked = std::get_if<DrawnPath>(&step)) {
      const QRectF box = stroked->path.boundingRect();
      rows.Add(box.top() - stroked->width, box.bottom() + stroked->width);
    } else if (const auto* hatch = std::get_if<DrawnHatch>(&step)) {
      rows.Add(hatch->region.boundingRect().top(), hatch->region.boundingRect().bottom());
    } else if (const auto* copy = std::get_if<DrawnCopy>(&step)) {
      const Ink source = InkDrawn(*copy->source, cut);
      const InkRows& copied = source.text_and_lines;
      // The copy shows nothing beyond its rectangle nor its source's edges.
      const int shown_top = std::max(copy->source_rect.top, 0);
      const int shown_bottom = std::min(copy->source_rect.bottom, copy->source->Size().height());
      if (copied.top < shown_top || copied.bottom > shown_bottom) {
        cut += "a copy of rows " + std::to_string(shown_top) + " to " +
               std::to_string(shown_bottom) + " cuts ink from " + std::to_string(copied.top) +
               " to " + std::to_string(copied.bottom) + "; ";
      }
      const double shift = copy->dest.top - copy->source_rect.top;
      for (const auto& [from, to] :
           {std::pair{&copied, &ink.text_and_lines}, std::pair{&source.arcs, &ink.arcs}}) {
        if (from->top <= from->bottom) {
          to->Add(std::max<double>(from->top + shift, copy->dest.top),
                  std::min<double>(from->bottom + shift, copy->dest.bottom));
        }
      }
    }
  }
  return ink;
}

// Every worked picture of every kind's key, in both sizes: nothing of the
// fractions it holds (a numerator, a bar, a denominator, an exponent, a
// sign) is cut at its top or bottom edge: each row is as tall as its
// tallest fraction needs. The tall parentheses' arcs may reach one pixel
// further: the lower tip of the opening one ends in the pixel row under
// the picture, as the rows have always drawn it.
TEST(WorkedLines, NothingOfAFractionIsCutAtARowsEdges) {
  int rows_checked = 0;
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : kAllExerciseTypes) {
      for (const ExerciseOptions& options :
           {ExerciseOptions{.mixed = true, .worked = true},
            ExerciseOptions{
                .negatives = true, .division_sign = DivisionSign::kObelus, .worked = true}}) {
        SCOPED_TRACE(std::string(Describe(type).command_word) + " scale " +
                     std::to_string(scale.Numerator()) + "/" + std::to_string(scale.Denominator()));
        LcgRandom random(3);
        QuestionTable table;
        DrawingContext context{random, table};
        const QuestionSet set = RunDrawingPhase(type, 500, kMaxQuestions, context, options);
        LineImages images;
        images.SetScale(scale);
        for (int number = 1; number <= static_cast<int>(QuestionCount(set)); ++number) {
          ComposeQuestionLine(images, set, number);
          for (LineImage& image : images.worked) {
            std::string cut;
            const Ink ink = InkDrawn(*image.Drawing(), cut);
            const int height = image.Picture().height();
            ASSERT_TRUE(cut.empty()) << "line " << number << ": " << cut;
            ASSERT_GE(ink.text_and_lines.top, 0) << "line " << number << ": ink above the picture";
            ASSERT_LE(ink.text_and_lines.bottom, height)
                << "line " << number << ": ink down to row " << ink.text_and_lines.bottom
                << " of a picture " << height << " high";
            ASSERT_GE(ink.arcs.top, -1) << "line " << number;
            ASSERT_LE(ink.arcs.bottom, height + 1)
                << "line " << number << ": a parenthesis down to row " << ink.arcs.bottom
                << " of a picture " << height << " high";
            ++rows_checked;
          }
        }
      }
    }
  }
  EXPECT_GT(rows_checked, 2 * 2 * kMaxQuestions * 10);
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
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : kAllExerciseTypes) {
      for (const ExerciseOptions& options :
           {ExerciseOptions{.mixed = true, .worked = true},
            ExerciseOptions{
                .negatives = true, .division_sign = DivisionSign::kObelus, .worked = true}}) {
        SCOPED_TRACE(std::string(Describe(type).command_word) + " scale " +
                     std::to_string(scale.Numerator()));
        LcgRandom random(7);
        QuestionTable table;
        DrawingContext context{random, table};
        ExpectPicturesReadAsSteps(RunDrawingPhase(type, 20, kMaxQuestions, context, options), scale,
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

// The kinds whose question is drawn apart from its answer: the subject's
// picture asks (the dots for a sign, the fractions as given and the slots
// to order them in, the gap), and never shows what the key's line answers,
// both read back from their drawings and checked against the question's
// own numbers.
TEST(OwnQuestionLines, TheSubjectAsksWhatTheKeyAnswers) {
  for (const ExerciseType type :
       {ExerciseType::kComparison, ExerciseType::kOrdering, ExerciseType::kEqualFractions}) {
    SCOPED_TRACE(Describe(type).command_word);
    LcgRandom random(3);
    QuestionTable table;
    DrawingContext context{random, table};
    const QuestionSet set = RunDrawingPhase(type, 12, kMaxQuestions, context,
                                            OptionsUsed({.negatives = true}, OptionUseOf(type)));
    LineImages images;
    for (int number = 1; number <= kMaxQuestions; ++number) {
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
              QStringList terms = {QString::number(q.a), QString::number(q.b), QString::number(q.c),
                                   QString::number(q.d)};
              answered =
                  QString("((%1)/(%2))=((%3)/(%4))").arg(terms[0], terms[1], terms[2], terms[3]);
              terms[q.missing] = "GAP";
              // As many dots as the gap's width.
              asked = QRegularExpression::escape(QString("((%1)/(%2))=((%3)/(%4))")
                                                     .arg(terms[0], terms[1], terms[2], terms[3]))
                          .replace("GAP", R"(\.{4,})");
            } else if constexpr (requires { q.num[3]; }) {
              // The list, then four slots joined by "<"; the key fills them.
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
      const QString subject = Reading(*images.ImaQuest.Drawing(), LineScale());
      EXPECT_TRUE(QRegularExpression("^" + asked + "$").match(subject).hasMatch())
          << "question " << number << ": " << subject.toStdString();
      EXPECT_EQ(Reading(*images.ImaRep.Drawing(), LineScale()), answered) << "question " << number;
    }
  }
}

// The dots of the recorded drawing's texts, in drawing order, each with
// the columns its ink spans.
std::vector<QRect> DotRuns(const LineDrawing& drawing) {
  std::vector<QRect> runs;
  for (const LineStep& step : drawing.Steps()) {
    const auto* text = std::get_if<DrawnText>(&step);
    if (text != nullptr && text->text.trimmed().startsWith(u'.')) {
      runs.push_back(text->ink.translated(text->at));
    }
  }
  return runs;
}

// Room to answer, at every level and at both sizes: the dots of a
// comparison at least 6 mm (23 pixels at 96 dpi, scaled in large print);
// an ordering's four slots each at least as wide as the fraction the key
// writes in it, that fraction standing within its slot's columns; and
// every picture, the worked key's too, within 680 pixels.
TEST(OwnQuestionLines, TheSubjectLeavesRoomToAnswerWithinTheLine) {
  std::vector<ExerciseOptions> levels = {{.negatives = true}};
  for (const LevelPreset& preset : LevelPresets()) {
    levels.push_back(preset.options);
  }
  int slot_count = 0;
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : {ExerciseType::kComparison, ExerciseType::kOrdering}) {
      for (ExerciseOptions options : levels) {
        options.worked = true;
        const LevelPreset* preset = FindLevelPreset(options.level);
        SCOPED_TRACE(std::string(Describe(type).command_word) + " level " +
                     std::string(preset != nullptr ? preset->name : "Libre") + " scale " +
                     std::to_string(scale.Numerator()));
        for (uint32_t seed = 1; seed <= 4; ++seed) {
          LcgRandom random(seed);
          QuestionTable table;
          DrawingContext context{random, table};
          const QuestionSet set =
              RunDrawingPhase(type, preset != nullptr ? preset->largest_term : 500, kMaxQuestions,
                              context, OptionsUsed(options, OptionUseOf(type)));
          QuestionSet plain = set;
          std::visit([](auto& drawn) { drawn.options.worked = false; }, plain);
          LineImages images, key;
          images.SetScale(scale);
          key.SetScale(scale);
          for (int number = 1; number <= kMaxQuestions; ++number) {
            ComposeQuestionLine(images, set, number);
            ComposeQuestionLine(key, plain, number);
            EXPECT_LE(images.ImaQuest.Width(), kMaxWorkedWidth) << "question " << number;
            EXPECT_LE(key.ImaRep.Width(), kMaxWorkedWidth) << "question " << number;
            for (const LineImage& worked : images.worked) {
              EXPECT_LE(worked.Width(), kMaxWorkedWidth) << "question " << number;
            }
            const std::vector<QRect> dots = DotRuns(*images.ImaQuest.Drawing());
            if (type == ExerciseType::kComparison) {
              ASSERT_EQ(dots.size(), 1u);
              EXPECT_GE(dots[0].width(), scale(23)) << "question " << number;
              continue;
            }
            // The key's fractions from left to right: their bars.
            std::vector<QRect> bars;
            for (const LineStep& step : key.ImaRep.Drawing()->Steps()) {
              if (const auto* line = std::get_if<DrawnLine>(&step)) {
                bars.emplace_back(line->from, line->to);
              }
            }
            ASSERT_EQ(dots.size(), 4u);
            ASSERT_EQ(bars.size(), 8u);  // the list, then the four in their slots
            for (size_t k = 0; k < 4; ++k) {
              const QRect& bar = bars[4 + k];
              EXPECT_GE(dots[k].width(), bar.width()) << "question " << number << " slot " << k;
              EXPECT_TRUE(bar.left() >= dots[k].left() - scale(2) &&
                          bar.right() <= dots[k].right() + scale(2))
                  << "question " << number << " slot " << k;
              EXPECT_GT(dots[k].left(), bars[3].right()) << "a slot over the list";
              ++slot_count;
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(slot_count, 2 * 6 * 4 * kMaxQuestions * 4);
}

}  // namespace
}  // namespace fractions
