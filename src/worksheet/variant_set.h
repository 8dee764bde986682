#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "drawing/drawing_phase.h"
#include "worksheet_build.h"

// A set of different worksheets of one kind and settings, one per pupil, so
// that neighbours cannot copy each other: the seeds that give them, and the
// worksheets, each marked with its place in the set.
namespace fractions {

// The most worksheets of a set.
inline constexpr int kMaxVariants = 100;
// Seeds tried for one worksheet of a set before the settings are judged to
// give no more different worksheets.
inline constexpr int kMaxDrawsPerVariant = 1000;

// The seed a set tries after `seed`: s * 1664525 + 1013904223 modulo 2^32,
// a generator of its own, so that the seeds of a set do not follow the
// draws of a worksheet.
uint32_t NextVariantSeed(uint32_t seed);

// The questions `seed` gives for these settings, as BuildSeededWorksheet
// draws them (after the document name's two draws), without their pictures.
QuestionSet QuestionsOfSeed(ExerciseType type, const WorksheetSettings& settings, uint32_t seed);

// The settings give fewer different worksheets than the set needs. The
// message (UTF-8, French) says how many they gave.
class TooFewVariants : public std::runtime_error {
 public:
  TooFewVariants(int available, int wanted);
  int Available() const { return available_; }

 private:
  int available_;
};

// The seeds of `count` worksheets that differ from each other and from
// every question set of `taken` (the same questions in the same order make
// the same worksheet), trying `first` and the seeds after it in turn.
// Throws TooFewVariants when kMaxDrawsPerVariant seeds in a row give no new
// worksheet, and std::out_of_range when the set would hold more than
// kMaxVariants worksheets.
std::vector<uint32_t> PlanVariantSeeds(ExerciseType type, const WorksheetSettings& settings,
                                       uint32_t first, int count,
                                       const std::vector<QuestionSet>& taken = {});

// The worksheets of `seeds`, marked as places first_place, first_place + 1,
// ... of a set of `set_size`.
std::vector<WorksheetDocuments> BuildVariants(ExerciseType type, const WorksheetSettings& settings,
                                              const std::vector<uint32_t>& seeds, int first_place,
                                              int set_size);

// One RTF document holding the given worksheet documents (as a build makes
// them) one per page, each as it was on its own.
std::string JoinOnePerPage(const std::vector<const std::string*>& documents);

}  // namespace fractions
