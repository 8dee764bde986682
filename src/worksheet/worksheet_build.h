#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "drawing/drawing_context.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_type.h"
#include "line_layouts.h"

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

// What a worksheet run hands over: the new document name and the two RTF
// documents (Windows-1252 bytes), each one closed group; and the questions
// they were drawn from, for tools that list them.
struct WorksheetDocuments {
  std::string name;
  std::string subject;
  std::string answer_key;
  QuestionSet questions;
};

// The program-wide pieces a build uses: the generator, the question table
// and the three line images. The window owns them; tools make their own.
struct WorksheetTools {
  RandomSource& random;
  QuestionTable& table;
  LineImages& images;
};

// Builds both documents of a worksheet of `type`: sizes the images, draws
// the document name (the first two draws), the headers, then the questions,
// then every line picture with its separator and spacing. Needs a
// QGuiApplication for the fonts. Throws std::out_of_range when a number lies
// outside the window's ranges, MissingFontError without the line fonts.
WorksheetDocuments BuildWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                  WorksheetTools& tools, std::optional<SetMark> mark = {});

// The same with a generator seeded with `seed` and a question table and
// line images of its own, for whoever needs one worksheet on its own.
WorksheetDocuments BuildSeededWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                        uint32_t seed, std::optional<SetMark> mark = {});

}  // namespace fractions
