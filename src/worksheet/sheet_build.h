#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document_parts.h"
#include "worksheet_build.h"

// A sheet of several exercises: a teacher's test of, say, five additions,
// four simplifications and three reductions to a common denominator, each
// under its heading "Exercice k" with its own instruction, in the subject
// and in the answer key. A sheet of one exercise is the worksheet an
// exercise button has always made.
namespace fractions {

// One exercise of a sheet: its type, and the settings it is drawn and
// written with.
struct Exercise {
  ExerciseType type;
  WorksheetSettings settings;
};

// The exercises of a sheet, in their order. The first names the sheet (the
// prefix of its document name) and gives its header: the title and the
// sizes.
using Sheet = std::vector<Exercise>;

// The most exercises, and the most questions in all, on one sheet: a test
// stays a test of a page or two.
inline constexpr int kMaxExercises = 6;
inline constexpr int kMaxSheetQuestions = 60;

// A sheet that would hold more than a sheet may; the message (UTF-8,
// French) says what.
class SheetTooLarge : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Throws SheetTooLarge when `sheet` has no exercise, more than
// kMaxExercises or more than kMaxSheetQuestions questions in all, and
// std::out_of_range when a number of an exercise lies outside the window's
// ranges.
void CheckSheet(const Sheet& sheet);

// What a sheet drew: its document name, from the first two draws, then the
// questions of each exercise in turn.
struct DrawnSheet {
  std::string name;
  std::vector<QuestionSet> exercises;
};

// Draws a sheet from one generator: the document name (the first
// exercise's type gives its prefix), then each exercise's questions in
// turn, as its button would draw them. Each exercise's drawing phase
// empties the question table first: duplicates are refused within an
// exercise; two exercises may share a question only if drawn so by chance.
DrawnSheet DrawSheet(const Sheet& sheet, RandomSource& random, QuestionTable& table);

// The questions of one more exercise, drawn on from the generator.
QuestionSet DrawExercise(const Exercise& exercise, RandomSource& random, QuestionTable& table);

// What a sheet's build hands over: the document name, the two RTF
// documents (each one closed group) and the questions of each exercise.
struct SheetDocuments {
  std::string name;
  std::string subject;
  std::string answer_key;
  std::vector<QuestionSet> exercises;
  // Where exercise 1's instruction begins in each document, in bytes.
  InstructionPlaces first_instruction;
};

// Builds both documents of a drawn sheet, drawing nothing more: the
// headers with its name (and its place in a set), then each exercise's
// instruction and line pictures with their separators and spacing, as
// ComposeDocuments puts them. Needs a QGuiApplication for the fonts; throws
// MissingFontError without the line fonts.
// Throws as CheckSheet does, and std::invalid_argument when `drawn` does
// not hold one set of questions per exercise.
SheetDocuments ComposeSheet(DrawnSheet drawn, const Sheet& sheet, LineImages& images,
                            std::optional<SetMark> mark = {});

// Draws a sheet with the program's generator and table, then builds it.
SheetDocuments BuildSheet(const Sheet& sheet, WorksheetTools& tools,
                          std::optional<SetMark> mark = {});

// The same with a generator seeded with `seed` and tools of its own: the
// same seed always gives the same sheet.
SheetDocuments BuildSeededSheet(const Sheet& sheet, uint32_t seed,
                                std::optional<SetMark> mark = {});

// The defining numbers of every question of every exercise: two sheets give
// the same text exactly when they hold the same questions in the same
// exercises.
std::string SheetNumbers(const std::vector<QuestionSet>& exercises);

}  // namespace fractions
