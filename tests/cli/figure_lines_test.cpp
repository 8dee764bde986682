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
  std::vector<const Step*> found;
  const std::shared_ptr<const LineDrawing> drawing = image.Drawing();
  for (const LineStep& step : drawing->Steps()) {
    if (const auto* wanted = std::get_if<Step>(&step)) {
      found.push_back(wanted);
    }
  }
  return found;
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

// The ticks of a line's picture, left to right: the segments of its path
// of more than two.
std::vector<double> TicksOf(LineImage& image) {
  std::vector<double> ticks;
  for (const DrawnPath* path : StepsOf<DrawnPath>(image)) {
    const std::vector<QLineF> segments = Segments(path->path);
    if (segments.size() > 2) {
      for (const QLineF& tick : segments) {
        EXPECT_EQ(tick.dx(), 0);
        ticks.push_back(tick.x1());
      }
    }
  }
  return ticks;
}

// A line's picture: unit_parts × (negative_units + units) + 1 ticks
// equally spaced, the units' numbers under theirs ("−1" with a true
// minus), and, when `points`, each point's cross and letter on the tick
// of its abscissa.
void ExpectLineAsListed(LineImage& image, const QJsonObject& json, bool points) {
  const int unit_parts = json["unit_parts"].toInt();
  const int negative_units = json["negative_units"].toInt();  // 0 on a half-line
  std::vector<QPointF> crosses;
  for (const DrawnPath* path : StepsOf<DrawnPath>(image)) {
    const std::vector<QLineF> segments = Segments(path->path);
    if (segments.size() == 2 && segments[0].dx() != 0 && segments[0].dy() != 0) {
      crosses.push_back(segments[0].center());
    }
  }
  const std::vector<double> ticks = TicksOf(image);
  ASSERT_EQ(static_cast<int>(ticks.size()),
            unit_parts * (negative_units + json["units"].toInt()) + 1);
  for (size_t t = 1; t < ticks.size(); ++t) {
    EXPECT_EQ(ticks[t] - ticks[t - 1], ticks[1] - ticks[0]) << "ticks unequally spaced";
  }
  std::map<QString, double> texts;  // the centre of each text
  for (const DrawnText* text : StepsOf<DrawnText>(image)) {
    texts[text->text] = text->at.x() + text->width / 2.0;
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

TEST(FigureAndLinePictures, DrawWhatTheJsonLists) {
  const ExerciseType types[] = {ExerciseType::kFigureReading, ExerciseType::kFigureShading,
                                ExerciseType::kNumberLineReading, ExerciseType::kNumberLinePlacing};
  int checked = 0;
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const ExerciseType type : types) {
      const bool reading =
          type == ExerciseType::kFigureReading || type == ExerciseType::kNumberLineReading;
      for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(std::string(Describe(type).command_word) + " seed " + std::to_string(seed) +
                     " scale " + std::to_string(scale.Numerator()));
        LcgRandom random(seed);
        QuestionTable table;
        DrawingContext context{random, table};
        const QuestionSet set =
            RunDrawingPhase(type, seed % 2 == 0 ? 9 : 100, 40, context, {.mixed = seed % 3 != 0});
        const std::vector<QuestionListing> listings = ListQuestions(set);
        LineImages images;
        images.SetScale(scale);
        for (int number = 1; number <= 40; ++number) {
          ComposeQuestionLine(images, set, number);
          const QJsonObject json = JsonOf(listings.at(static_cast<size_t>(number - 1)));
          for (LineImage* image : {&images.ImaQuest, &images.ImaRep}) {
            EXPECT_LE(image->Width(), kMaxWorkedWidth);
            const bool shown = image == &images.ImaRep || reading;
            if (json.contains("shape")) {
              ExpectFiguresAsListed(*image, json, shown);
            } else {
              ExpectLineAsListed(*image, json, shown);
            }
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_EQ(checked, 2 * 4 * 12 * 40 * 2);
}

// The texts of the list under a line: the row copied under it.
std::vector<const DrawnText*> ListTexts(LineImage& image) {
  std::vector<const DrawnText*> texts;
  for (const DrawnCopy* copy : StepsOf<DrawnCopy>(image)) {
    for (const LineStep& step : copy->source->Steps()) {
      if (const auto* text = std::get_if<DrawnText>(&step)) {
        texts.push_back(text);
      }
    }
  }
  return texts;
}

// Every class's lines as a pupil reads them on paper, standard and large
// print: ticks at least 4 mm (16 pixels at 96 dpi) apart, the longest
// lines at least 130 mm, the picture within the page's 180 mm and the line
// clear of the question's number, no two letters less than 1.5 mm apart
// (they read as one word, "AB"); a line to read leaves the same room
// after each letter, as wide as any number of its key, which fills it.
TEST(FigureAndLinePictures, LinesReadAtEveryLevelAndPrintSize) {
  int longest_standard = 0;
  for (const LineScale scale : {LineScale(), LineScale(3, 2)}) {
    for (const Level level :
         {Level::kFree, Level::kCM2, Level::k6e, Level::k5e, Level::k4e, Level::k3e}) {
      const LevelPreset* preset = FindLevelPreset(level);
      for (const ExerciseType type :
           {ExerciseType::kNumberLineReading, ExerciseType::kNumberLinePlacing}) {
        for (uint32_t seed = 1; seed <= 5; ++seed) {
          SCOPED_TRACE(std::string(Describe(type).command_word) + " level " +
                       std::to_string(static_cast<int>(level)) + " seed " + std::to_string(seed) +
                       " scale " + std::to_string(scale.Numerator()));
          LcgRandom random(seed);
          QuestionTable table;
          DrawingContext context{random, table};
          const QuestionSet set =
              RunDrawingPhase(type, preset ? preset->largest_term : 100, 40, context,
                              preset ? preset->options : ExerciseOptions{});
          const std::vector<QuestionListing> listings = ListQuestions(set);
          LineImages images;
          images.SetScale(scale);
          for (int number = 1; number <= 40; ++number) {
            ComposeQuestionLine(images, set, number);
            const QJsonObject json = JsonOf(listings.at(static_cast<size_t>(number - 1)));
            const bool reading = type == ExerciseType::kNumberLineReading;
            for (LineImage* image : {&images.ImaQuest, &images.ImaRep}) {
              EXPECT_LE(image->Width(), kMaxWorkedWidth);
              ExpectLineAsListed(*image, json, image == &images.ImaRep || reading);
              const std::vector<double> ticks = TicksOf(*image);
              EXPECT_GE(ticks.at(1) - ticks.at(0), 16) << "ticks closer than 4 mm";
              EXPECT_LT(ticks.back(), image->Width());
              longest_standard = std::max(
                  longest_standard,
                  scale == LineScale() ? static_cast<int>(ticks.back() - ticks.front()) : 0);
              std::vector<QRect> letters;
              for (const DrawnText* text : StepsOf<DrawnText>(*image)) {
                if (text->text.endsWith(QStringLiteral("\u00B0)"))) {
                  EXPECT_GT(ticks.front(), text->at.x() + text->width) << "over the number";
                } else if (text->text.size() == 1 && text->text[0].isLetter()) {
                  letters.push_back(text->ink.translated(text->at).adjusted(-3, -3, 3, 3));
                }
              }
              for (size_t i = 0; i < letters.size(); ++i)
                for (size_t j = i + 1; j < letters.size(); ++j)
                  EXPECT_FALSE(letters[i].intersects(letters[j])) << "two letters touch";
            }
            // Each list's numbers (without their signs) and its dotted
            // slots' widths.
            std::vector<QString> numbers[2], abscissas;
            std::vector<int> gaps[2];
            for (const int key : {0, 1}) {
              for (const DrawnText* text : ListTexts(key ? images.ImaRep : images.ImaQuest)) {
                if (!text->text.isEmpty() && text->text.count('.') == text->text.size()) {
                  gaps[key].push_back(text->width);
                } else if (text->text.contains(QRegularExpression("[0-9]"))) {
                  numbers[key].push_back(QString(text->text).remove(QChar(0x2212)));
                }
              }
            }
            for (const QJsonValue point : json["points"].toArray()) {
              abscissas.push_back(QString::number(std::abs(point["num"].toInt())));
              if (point["den"].toInt() != 1) {
                abscissas.push_back(QString::number(point["den"].toInt()));
              }
            }
            EXPECT_EQ(numbers[1], abscissas) << "the key's list";
            EXPECT_TRUE(gaps[1].empty()) << "an empty slot in the key";
            EXPECT_EQ(numbers[0], reading ? std::vector<QString>{} : abscissas);
            ASSERT_EQ(gaps[0].size(), reading ? 3U : 0U) << "a slot after each letter";
            for (const int width : gaps[0]) {
              EXPECT_EQ(width, gaps[0][0]) << "slots of unequal widths";
              for (const DrawnText* text : ListTexts(images.ImaRep))
                EXPECT_LE(text->width, width) << "a slot narrower than its key";
            }
          }
        }
      }
    }
  }
  EXPECT_GE(longest_standard, 491) << "no line 130 mm long";
}

}  // namespace
}  // namespace fractions
