#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "drawing/drawing_phase.h"
#include "sheet_build.h"

// A class set: different worksheets of the same exercises and settings, one
// per pupil, so that neighbours cannot copy each other. Each is drawn once,
// from a seed of its own, and marked with its place in the set; on a sheet
// of several exercises, every exercise is drawn anew with its own settings.
namespace fractions {

// The most worksheets of a set.
inline constexpr int kMaxVariants = 100;
// Seeds tried in a row for one worksheet of a set before the settings are
// judged to give no more different worksheets. Some worksheets are rare:
// with simplification up to 10 and one question, an irreducible fraction
// comes about once in 1,300 seeds, so a thousand tries would miss some and
// the refusal would say a number lower than the true one. A set that
// stalls is one of a question or two; a stall costs well under a second.
inline constexpr int kMaxDrawsPerVariant = 50000;

// The seed a set tries after `seed`: s * 1664525 + 1013904223 modulo 2^32,
// a generator of its own, so that the seeds of a set do not follow the
// draws of a worksheet.
uint32_t NextVariantSeed(uint32_t seed);

// The settings give fewer different worksheets than the set needs. The
// message (UTF-8, French) says how many they gave.
class TooFewVariants : public std::runtime_error {
 public:
  TooFewVariants(int available, int wanted);
  int Available() const { return available_; }

 private:
  int available_;
};

// The worksheets to build: `count` sheets of `sheet`'s exercises, drawn
// from `first_seed` and the seeds after it, each different from the others
// and from the worksheets of `taken` (the questions of each of their
// exercises), which stand first in the set: the same questions in the same
// order make the same worksheet. They take the places after `taken`'s in a
// set of taken.size() + count.
struct ClassSetRequest {
  Sheet sheet;
  uint32_t first_seed = 0;
  int count = 0;
  std::vector<std::vector<QuestionSet>> taken;
};

// A worksheet of a set as drawn: the seed that draws it again on its own
// (its name and questions), and what it drew.
struct PlannedWorksheet {
  uint32_t seed;
  DrawnSheet drawn;
};

// Draws the worksheets of a set, trying each seed in turn and keeping those
// that give a new worksheet. Throws TooFewVariants when kMaxDrawsPerVariant
// seeds in a row give none, and std::out_of_range when the set would hold
// more than kMaxVariants worksheets or the sheet is not one (CheckSheet).
std::vector<PlannedWorksheet> PlanClassSet(const ClassSetRequest& request);

// A worksheet of a set as built.
struct SetWorksheet {
  uint32_t seed;
  SheetDocuments documents;
};

// Told of each worksheet as soon as it is built, with the number built so
// far; false stops the set before its next worksheet.
using ClassSetProgress = std::function<bool(const SetWorksheet& built, int done)>;

// Plans the set, then builds the documents of every worksheet it drew,
// marked "Sujet k/n" and "Corrigé k/n". Nothing when `progress` stops it.
// Throws as PlanClassSet does, before anything is built.
std::optional<std::vector<SetWorksheet>> BuildClassSet(const ClassSetRequest& request,
                                                       const ClassSetProgress& progress = {});

// An exercise whose settings give fewer different questions than twice the
// questions a worksheet asks of it: two worksheets of a set then share more
// than half of that exercise's questions on average (count² / available).
struct NarrowExercise {
  int exercise;   // its place on the sheet, from 0
  int available;  // the different questions its settings give
  int count;      // the questions a worksheet asks of it
  friend bool operator==(const NarrowExercise&, const NarrowExercise&) = default;
};

// The exercises of `sheet` whose settings give fewer different questions
// than twice their count, each with the number they give. Each exercise is
// drawn once more on its own, asking for kMaxProbedQuestions, with a
// generator seeded with `seed` and a table of its own: the draws of the set
// do not change. Throws as the drawing of the sheet does.
std::vector<NarrowExercise> NarrowExercises(const Sheet& sheet, uint32_t seed);

// What the teacher is told of a set of `worksheets` made of such settings
// (UTF-8, French), one line per narrow exercise: "Attention : ces réglages
// ne donnent que 62 questions différentes ; deux sujets de 40 questions en
// ont en moyenne 26 en commun." Empty when none is narrow or the set holds
// one worksheet.
std::string SharedQuestionsWarning(const Sheet& sheet, uint32_t seed, int worksheets);

// One RTF document holding the given worksheet documents (as a build makes
// them) one per page, each as it was on its own.
std::string JoinOnePerPage(const std::vector<const std::string*>& documents);

}  // namespace fractions
