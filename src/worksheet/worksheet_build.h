#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "drawing/drawing_context.h"
#include "drawing/drawing_phase.h"
#include "drawing/exercise_options.h"
#include "drawing/exercise_type.h"
#include "line_images.h"
#include "print_sizes.h"

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

// What a worksheet drew: its document name, from the first two draws, and
// its questions, from the draws after them.
struct DrawnWorksheet {
  std::string name;
  QuestionSet questions;
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

// Throws std::out_of_range when a number of the settings lies outside the
// window's ranges.
void CheckWorksheetSettings(const WorksheetSettings& settings);

// Draws a worksheet of `type`: the document name, then the questions.
DrawnWorksheet DrawWorksheet(ExerciseType type, const WorksheetSettings& settings,
                             RandomSource& random, QuestionTable& table);

// Builds both documents of a drawn worksheet, drawing nothing more: the
// headers with its name (and its place in a set), then every line picture
// with its separator and spacing, in the sizes the settings ask for. Needs
// a QGuiApplication for the fonts; throws MissingFontError without the
// line fonts.
WorksheetDocuments ComposeWorksheet(DrawnWorksheet drawn, const WorksheetSettings& settings,
                                    LineImages& images, std::optional<SetMark> mark = {});

// What an exercise button does: draws a worksheet of `type` with the
// program's generator and table, then builds its documents.
WorksheetDocuments BuildWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                  WorksheetTools& tools, std::optional<SetMark> mark = {});

// The same with a generator seeded with `seed` and a question table and
// line images of its own, for whoever needs one worksheet on its own.
WorksheetDocuments BuildSeededWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                        uint32_t seed, std::optional<SetMark> mark = {});

}  // namespace fractions
