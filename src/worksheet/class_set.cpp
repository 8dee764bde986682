#include "class_set.h"

#include <stdexcept>
#include <unordered_set>

#include "drawing/drawing_context.h"
#include "drawing/kinds/kind_parts.h"
#include "drawing/question_table.h"
#include "drawing/random.h"
#include "richtext/rtf_prologue.h"

namespace fractions {

namespace {

std::string TooFewMessage(int available, int wanted) {
  return "Ces réglages ne donnent que " + std::to_string(available) +
         " sujets différents : impossible d'en faire " + std::to_string(wanted);
}

// "1 question", "62 questions".
std::string Questions(int n) {
  return std::to_string(n) + (n > 1 ? " questions" : " question");
}

// The average number of questions two worksheets share when each draws
// `count` of `available`, to the nearest whole number.
int SharedOnAverage(int count, int available) {
  return (2 * count * count + available) / (2 * available);
}

std::string NarrowLine(const NarrowExercise& narrow, bool several) {
  const std::string settings =
      several ? "les réglages de l'exercice " + std::to_string(narrow.exercise + 1)
              : std::string("ces réglages");
  const std::string different = narrow.available > 1 ? " différentes" : " différente";
  return "Attention : " + settings + " ne donnent que " + Questions(narrow.available) + different +
         " ; deux sujets de " + Questions(narrow.count) + (several ? " à cet exercice" : "") +
         " en ont en moyenne " + std::to_string(SharedOnAverage(narrow.count, narrow.available)) +
         " en commun.";
}

}  // namespace

uint32_t NextVariantSeed(uint32_t seed) {
  return seed * 1664525u + 1013904223u;
}

TooFewVariants::TooFewVariants(int available, int wanted)
    : std::runtime_error(TooFewMessage(available, wanted)), available_(available) {}

std::vector<PlannedWorksheet> PlanClassSet(const ClassSetRequest& request) {
  const int wanted = request.count + static_cast<int>(request.taken.size());
  if (wanted > kMaxVariants) {
    throw std::out_of_range("au plus " + std::to_string(kMaxVariants) + " sujets différents");
  }
  CheckSheet(request.sheet);
  std::unordered_set<std::string> seen;
  for (const std::vector<QuestionSet>& exercises : request.taken) {
    seen.insert(SheetNumbers(exercises));
  }
  LcgRandom random;
  QuestionTable table;
  std::vector<PlannedWorksheet> planned;
  uint32_t seed = request.first_seed;
  while (static_cast<int>(planned.size()) < request.count) {
    bool found = false;
    for (int draw = 0; draw < kMaxDrawsPerVariant && !found; ++draw) {
      random.SetSeed(seed);
      DrawnSheet drawn = DrawSheet(request.sheet, random, table);
      found = seen.insert(SheetNumbers(drawn.exercises)).second;
      if (found) {
        planned.push_back({seed, std::move(drawn)});
      }
      seed = NextVariantSeed(seed);
    }
    if (!found) {
      throw TooFewVariants(static_cast<int>(seen.size()), wanted);
    }
  }
  return planned;
}

std::optional<std::vector<SetWorksheet>> BuildClassSet(const ClassSetRequest& request,
                                                       const ClassSetProgress& progress) {
  std::vector<PlannedWorksheet> planned = PlanClassSet(request);
  const int first_place = static_cast<int>(request.taken.size()) + 1;
  const int set_size = static_cast<int>(request.taken.size()) + request.count;
  LineImages images;
  std::vector<SetWorksheet> set;
  set.reserve(planned.size());
  for (PlannedWorksheet& worksheet : planned) {
    const SetMark mark{first_place + static_cast<int>(set.size()), set_size};
    set.push_back(
        {worksheet.seed, ComposeSheet(std::move(worksheet.drawn), request.sheet, images, mark)});
    const bool more = set.size() < planned.size();
    if (progress && !progress(set.back(), static_cast<int>(set.size())) && more) {
      return std::nullopt;
    }
  }
  return set;
}

std::vector<NarrowExercise> NarrowExercises(const Sheet& sheet, uint32_t seed) {
  CheckSheet(sheet);
  LcgRandom random(seed);
  QuestionTable table(kMaxProbedQuestions);
  DrawingContext context{random, table};
  std::vector<NarrowExercise> narrow;
  for (size_t k = 0; k < sheet.size(); ++k) {
    const WorksheetSettings& settings = sheet[k].settings;
    // Asked for the most a probe draws rather than twice the count: the
    // same answer where a kind's questions are all alike, and where a kind
    // keeps a sort of question to a share of each sheet (whole results in a
    // fifth), a share as large as can be, so that the number comes nearest
    // to every question the worksheets of a set can hold between them.
    try {
      RunDrawingPhase(sheet[k].type, settings.largest_term, kMaxProbedQuestions, context,
                      settings.options);
    } catch (const TooFewQuestions& few) {
      if (few.Available() < settings.count) {  // not even one worksheet
        throw TooFewQuestions(few.Available(), settings.count);
      }
      if (few.Available() < 2 * settings.count) {
        narrow.push_back({static_cast<int>(k), few.Available(), settings.count});
      }
    }
  }
  return narrow;
}

std::string SharedQuestionsWarning(const Sheet& sheet, uint32_t seed, int worksheets) {
  std::string warning;
  if (worksheets < 2) {
    return warning;
  }
  for (const NarrowExercise& narrow : NarrowExercises(sheet, seed)) {
    warning += (warning.empty() ? "" : "\n") + NarrowLine(narrow, sheet.size() > 1);
  }
  return warning;
}

// Every document a build makes is the prologue, a body and the closing
// brace. The bodies follow one another, each on a page of its own and with
// the character formats reset, as at the start of its own document.
std::string JoinOnePerPage(const std::vector<const std::string*>& documents) {
  std::string joined(kRtfPrologue);
  for (size_t i = 0; i < documents.size(); ++i) {
    const std::string& document = *documents[i];
    if (!document.starts_with(kRtfPrologue) || !document.ends_with('}')) {
      throw std::invalid_argument("not a worksheet document");
    }
    if (i > 0) {
      joined += "\\page\\pard\\plain ";
    }
    joined.append(document, kRtfPrologue.size(), document.size() - kRtfPrologue.size() - 1);
  }
  return joined + "}";
}

}  // namespace fractions
