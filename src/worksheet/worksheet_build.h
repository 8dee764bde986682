#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "drawing/drawing_context.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_options.h"
#include "drawing/exercise_type.h"
#include "pictures/line_images.h"
#include "pictures/print_sizes.h"

namespace fractions {

// The blank lines between two questions of the subject.
inline constexpr SettingRange kSpacingRange{0, 10, 1};
// The longest title, instruction and separator lines, in characters: a
// worksheet's header stays a header, and a typed text cannot make a set of
// worksheets take minutes and gigabytes.
inline constexpr size_t kMaxTitleLength = 160;
inline constexpr size_t kMaxInstructionLength = 255;
inline constexpr size_t kMaxSeparatorLength = 230;

// The window's texts (Windows-1252 markup) and numbers a worksheet is built
// from, with the window's defaults.
struct WorksheetSettings {
  std::string title = DefaultTitle();
  std::string instruction = DefaultInstruction();
  std::string separator = DefaultSeparator();
  bool separator_on = true;
  int32_t largest_term = kLargestTermRange.default_value;  // M
  int32_t count = kQuestionCountRange.default_value;       // N
  int32_t spacing = kSpacingRange.default_value;           // S
  // How the questions are drawn and written; each type reads those that
  // apply to it. Large print among them sets both documents in the sizes
  // of kLargePrintSizes instead of the standard ones.
  ExerciseOptions options;

  static std::string DefaultTitle();
  static std::string DefaultInstruction();
  static std::string DefaultSeparator();
};

// The place of a worksheet in a set of different worksheets: the k-th of
// n. Its header says so after the document name: " - Sujet k/n" and
// " - Corrigé k/n".
struct SetMark {
  int index;  // k, from 1
  int count;  // n
};

// The program-wide pieces a build uses: the generator, the question table
// and the three line images. The window owns them; tools make their own.
struct WorksheetTools {
  RandomSource& random;
  QuestionTable& table;
  LineImages& images;
};

// Throws std::out_of_range when a number of the settings lies outside the
// window's ranges.
void CheckWorksheetSettings(const WorksheetSettings& settings);

}  // namespace fractions
