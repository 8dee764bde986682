#pragma once

#include <QImage>
#include <QRect>
#include <utility>
#include <vector>

#include "drawing/drawing_phase.h"
#include "drawing/question_table.h"
#include "drawing/random.h"
#include "pictures/line_drawing.h"
#include "pictures/print_sizes.h"

namespace fractions::testing {

// The standard size and large print.
inline constexpr LineScale kBothScales[] = {kStandardSizes.pictures, kLargePrintSizes.pictures};

inline bool IsBlack(const QImage& image, int x, int y) {
  return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

// The number of black pixels inside `area` of the image.
inline int BlackPixels(const QImage& image, QRect area) {
  int count = 0;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      count += IsBlack(image, x, y) ? 1 : 0;
    }
  }
  return count;
}

// The first and last columns holding ink within `area`; {0, -1} when none
// does.
inline std::pair<int, int> InkColumns(const QImage& image, QRect area) {
  std::pair<int, int> ink{0, -1};
  for (int x = area.left(); x <= area.right(); ++x) {
    if (BlackPixels(image, QRect(x, area.top(), 1, area.height())) > 0) {
      ink = {ink.second < 0 ? x : ink.first, x};
    }
  }
  return ink;
}

// True when every pixel is pure black or pure white.
inline bool IsTwoColoured(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y) & 0xFFFFFF;
      if (p != 0 && p != 0xFFFFFF) {
        return false;
      }
    }
  }
  return true;
}

// The questions `type` draws from `seed`.
inline QuestionSet Drawn(ExerciseType type, int32_t largest, int32_t count,
                         const ExerciseOptions& options, uint32_t seed) {
  LcgRandom random(seed);
  QuestionTable table;
  DrawingContext context{random, table};
  return RunDrawingPhase(type, largest, count, context, options);
}

// The steps of one sort a drawing recorded, in drawing order.
template <typename Step>
std::vector<const Step*> StepsOf(const LineDrawing& drawing) {
  std::vector<const Step*> found;
  for (const LineStep& step : drawing.Steps()) {
    if (const auto* wanted = std::get_if<Step>(&step)) {
      found.push_back(wanted);
    }
  }
  return found;
}

// The steps of a drawing, those of the copies it holds moved to where the
// copies put them, in the drawing's pixels.
inline std::vector<LineStep> FlatSteps(const LineDrawing& drawing, QPoint offset = {}) {
  std::vector<LineStep> steps;
  for (LineStep step : drawing.Steps()) {
    if (const auto* copy = std::get_if<DrawnCopy>(&step)) {
      const QPoint to(copy->dest.left - copy->source_rect.left,
                      copy->dest.top - copy->source_rect.top);
      for (LineStep& copied : FlatSteps(*copy->source, offset + to)) {
        steps.push_back(std::move(copied));
      }
      continue;
    }
    if (auto* text = std::get_if<DrawnText>(&step)) {
      text->at += offset;
    } else if (auto* line = std::get_if<DrawnLine>(&step)) {
      line->from += offset;
      line->to += offset;
    } else if (auto* arc = std::get_if<DrawnArc>(&step)) {
      arc->ellipse.translate(offset);
    } else if (auto* path = std::get_if<DrawnPath>(&step)) {
      path->path.translate(offset);
    } else if (auto* hatch = std::get_if<DrawnHatch>(&step)) {
      hatch->region.translate(offset);
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace fractions::testing
