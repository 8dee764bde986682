// The figures and the graduated lines as drawn, read back from the steps
// their pictures recorded, against the JSON the command line writes for
// the same questions: the parts drawn, the parts hatched and where the
// points stand must be what the listing says, at both print sizes.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPolygonF>
#include <QRegularExpression>
#include <cmath>
#include <sstream>

#include "../pictures/picture_probe.h"
#include "cli/generated_worksheet.h"
#include "drawing/drawing_phase.h"
#include "drawing/question_table.h"
#include "drawing/random.h"
#include "pictures/line_layouts.h"
#include "pictures/worked_lines.h"

namespace fractions {
namespace {

QJsonObject JsonOf(const QuestionListing& listing) {
  std::ostringstream out;
  WriteQuestionObject(out, listing);
  return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
}

double Area(const QPainterPath& path) {
  double area = 0;
  for (const QPolygonF& polygon : path.toFillPolygons()) {
    for (qsizetype i = 0; i + 1 < polygon.size(); ++i) {
      area += polygon[i].x() * polygon[i + 1].y() - polygon[i + 1].x() * polygon[i].y();
    }
  }
  return std::abs(area) / 2;
}

// The segments of a path of moveTo-lineTo pairs.
std::vector<QLineF> Segments(const QPainterPath& path) {
  std::vector<QLineF> segments;
  for (int i = 0; i + 1 < path.elementCount(); ++i) {
    if (path.elementAt(i).isMoveTo() && path.elementAt(i + 1).isLineTo()) {
      segments.emplace_back(path.elementAt(i), path.elementAt(i + 1));
    }
  }
  return segments;
}

template <typename Step>
std::vector<const Step*> StepsOf(LineImage& image) {
  return testing::StepsOf<Step>(*image.Drawing());
}

// A figure's picture: as many outlines as figures, its dividing lines
// cutting each into `parts`, as many hatched regions as `shaded`, each
// the area of one part of a figure and inside one.
void ExpectFiguresAsListed(LineImage& image, const QJsonObject& json, bool hatched) {
  const int parts = json["parts"].toInt();
  const int columns = json["columns"].toInt();
  const QString shape = json["shape"].toString();
  std::vector<QRectF> outlines;
  double outline_area = 0;
  int dividers = 0;
  const std::vector<const DrawnPath*> paths = StepsOf<DrawnPath>(image);
  for (const DrawnPath* path : paths) {
    if (const double area = Area(path->path); area > 1) {
      outlines.push_back(path->path.boundingRect());
      outline_area = area;
      // A strip or a grid is a rectangle, a disc round.
      EXPECT_EQ(path->path.elementCount() == 5, shape != "disc");
    } else {
      dividers += static_cast<int>(Segments(path->path).size());
    }
  }
  ASSERT_EQ(static_cast<int>(outlines.size()), json["figures"].toInt());
  const int rows = json["rows"].toInt();
  const int per_figure = shape == "disc" ? columns : (rows - 1) + (columns - 1);
  EXPECT_EQ(dividers, per_figure * json["figures"].toInt());
  EXPECT_EQ(json["shaded"].toInt() * json["den"].toInt(), json["num"].toInt() * parts);

  const std::vector<const DrawnHatch*> hatches = StepsOf<DrawnHatch>(image);
  EXPECT_EQ(static_cast<int>(hatches.size()), hatched ? json["shaded"].toInt() : 0);
  for (const DrawnHatch* hatch : hatches) {
    EXPECT_NEAR(Area(hatch->region) * parts / outline_area, 1.0, 0.01) << "unequal parts";
    const QRectF box = hatch->region.boundingRect();
    EXPECT_TRUE(std::any_of(outlines.begin(), outlines.end(), [&](const QRectF& outline) {
      return outline.adjusted(-0.01, -0.01, 0.01, 0.01).contains(box);
    })) << "hatching outside the figures";
  }
}

// A line's picture: unit_parts × (negative_units + units) + 1 ticks
// equally spaced, at least 4 mm (16 pixels at 96 dpi) apart, right of the
// question's number and within the picture; the units' numbers under
// theirs ("−1" with a true minus); when `points`, each point's cross and
// letter on the tick of its abscissa, no two letters less than 1.5 mm
// apart (they would read as one word, "AB"). `length`: from the first tick
// to the last.
void ExpectLineAsListed(LineImage& image, const QJsonObject& json, bool points, double& length) {
  const int unit_parts = json["unit_parts"].toInt();
  const int negative_units = json["negative_units"].toInt();  // 0 on a half-line
  std::vector<double> ticks;
  std::vector<QPointF> crosses;
  for (const DrawnPath* path : StepsOf<DrawnPath>(image)) {
    const std::vector<QLineF> segments = Segments(path->path);
    if (segments.size() == 2 && segments[0].dx() != 0 && segments[0].dy() != 0) {
      crosses.push_back(segments[0].center());
    } else if (segments.size() > 2) {
      for (const QLineF& tick : segments) {
        EXPECT_EQ(tick.dx(), 0);
        ticks.push_back(tick.x1());
      }
    }
  }
  ASSERT_EQ(static_cast<int>(ticks.size()),
            unit_parts * (negative_units + json["units"].toInt()) + 1);
  EXPECT_GE(ticks[1] - ticks[0], 16) << "ticks closer than 4 mm";
  EXPECT_LT(ticks.back(), image.Width());
  length = ticks.back() - ticks.front();
  for (size_t t = 1; t < ticks.size(); ++t) {
    EXPECT_EQ(ticks[t] - ticks[t - 1], ticks[1] - ticks[0]) << "ticks unequally spaced";
  }
  std::map<QString, double> texts;  // the centre of each text
  std::vector<QRect> letters;       // with 1.5 mm round them
  for (const DrawnText* text : StepsOf<DrawnText>(image)) {
    texts[text->text] = text->at.x() + text->width / 2.0;
    if (text->text.endsWith(QStringLiteral("\u00B0)"))) {
      EXPECT_GT(ticks.front(), text->at.x() + text->width) << "over the question's number";
    } else if (text->text.size() == 1 && text->text[0].isLetter()) {
      letters.push_back(text->ink.translated(text->at).adjusted(-3, -3, 3, 3));
    }
  }
  for (size_t i = 0; i < letters.size(); ++i) {
    for (size_t j = i + 1; j < letters.size(); ++j) {
      EXPECT_FALSE(letters[i].intersects(letters[j])) << "two letters touch";
    }
  }
  for (int unit = -negative_units; unit <= json["units"].toInt(); ++unit) {
    const QString number =
        (unit < 0 ? QString(QChar(0x2212)) : QString()) + QString::number(std::abs(unit));
    EXPECT_NEAR(texts.at(number),
                ticks.at(static_cast<size_t>((unit + negative_units) * unit_parts)), 1.0);
  }
  const QJsonArray listed = json["points"].toArray();
  ASSERT_EQ(crosses.size(), points ? 3U : 0U);
  EXPECT_EQ(texts.count("A") + texts.count("B") + texts.count("C"), points ? 3U : 0U);
  for (qsizetype p = 0; points && p < listed.size(); ++p) {
    const QJsonObject point = listed[p].toObject();
    const int num = point["num"].toInt() * unit_parts;
    const int den = point["den"].toInt();
    ASSERT_EQ(num % den, 0) << "between two ticks";
    const double tick = ticks.at(static_cast<size_t>(num / den + negative_units * unit_parts));
    EXPECT_EQ(crosses[static_cast<size_t>(p)].x(), tick);
    EXPECT_NEAR(texts.at(point["name"].toString()), tick, 1.0);
  }
}

// The list under a line, the row copied there: its numbers without their
// signs, the widths of its dotted slots and of its widest text.
struct LineList {
  std::vector<QString> numbers;
  std::vector<int> gaps;
  int widest = 0;
};

LineList ListOf(LineImage& image) {
  LineList list;
  for (const DrawnCopy* copy : StepsOf<DrawnCopy>(image)) {
    for (const DrawnText* text : testing::StepsOf<DrawnText>(*copy->source)) {
      list.widest = std::max(list.widest, text->width);
      if (!text->text.isEmpty() && text->text.count('.') == text->text.size()) {
        list.gaps.push_back(text->width);
      } else if (text->text.contains(QRegularExpression("[0-9]"))) {
        list.numbers.push_back(QString(text->text).remove(QChar(0x2212)));
      }
    }
  }
  return list;
}

// Every level's figures and lines, at both print sizes, as the JSON lists
// them and as a pupil reads them on paper: within the page's 680 pixels,
// the longest lines at least 130 mm; a line to read leaves the same room
// after each letter, as wide as any text of its key's list, which writes
// the points' abscissas there; a line to place lists them in both.
TEST(FigureAndLinePictures, DrawWhatTheJsonListsAtEveryLevel) {
  std::vector<std::pair<int32_t, ExerciseOptions>> levels = {{9, {}}, {100, {.mixed = true}}};
  for (const LevelPreset& preset : LevelPresets()) {
    levels.emplace_back(preset.largest_term, preset.options);
  }
  double longest = 0;
  for (const LineScale scale : testing::kBothScales) {
    for (const ExerciseType type :
         {ExerciseType::kFigureReading, ExerciseType::kFigureShading,
          ExerciseType::kNumberLineReading, ExerciseType::kNumberLinePlacing}) {
      const bool reading =
          type == ExerciseType::kFigureReading || type == ExerciseType::kNumberLineReading;
      for (const auto& [largest, options] : levels) {
        for (uint32_t seed = 1; seed <= 2; ++seed) {
          SCOPED_TRACE(std::string(Describe(type).command_word) + " up to " +
                       std::to_string(largest) + " seed " + std::to_string(seed) + " scale " +
                       std::to_string(scale.Numerator()));
          const QuestionSet set = testing::Drawn(type, largest, 40, options, seed);
          const std::vector<QuestionListing> listings = ListQuestions(set);
          LineImages images;
          images.SetScale(scale);
          for (int number = 1; number <= 40; ++number) {
            ComposeQuestionLine(images, set, number);
            const QJsonObject json = JsonOf(listings.at(static_cast<size_t>(number - 1)));
            for (LineImage* image : {&images.ImaQuest, &images.ImaRep}) {
              EXPECT_LE(image->Width(), kMaxWorkedWidth);
              const bool shown = image == &images.ImaRep || reading;
              double length = 0;
              if (json.contains("shape")) {
                ExpectFiguresAsListed(*image, json, shown);
              } else {
                ExpectLineAsListed(*image, json, shown, length);
              }
              longest = std::max(longest, scale == LineScale() ? length : 0.0);
            }
            if (json.contains("shape")) {
              continue;
            }
            std::vector<QString> abscissas;
            for (const QJsonValue point : json["points"].toArray()) {
              abscissas.push_back(QString::number(std::abs(point["num"].toInt())));
              if (point["den"].toInt() != 1) {
                abscissas.push_back(QString::number(point["den"].toInt()));
              }
            }
            const LineList subject = ListOf(images.ImaQuest);
            const LineList key = ListOf(images.ImaRep);
            EXPECT_EQ(key.numbers, abscissas);
            EXPECT_TRUE(key.gaps.empty()) << "an empty slot in the key";
            EXPECT_EQ(subject.numbers, reading ? std::vector<QString>{} : abscissas);
            ASSERT_EQ(subject.gaps.size(), reading ? 3U : 0U) << "a slot after each letter";
            for (const int width : subject.gaps) {
              EXPECT_EQ(width, subject.gaps[0]) << "slots of unequal widths";
              EXPECT_LE(key.widest, width) << "a slot narrower than its key";
            }
          }
        }
      }
    }
  }
  EXPECT_GE(longest, 491) << "no line 130 mm long";
}

}  // namespace
}  // namespace fractions
