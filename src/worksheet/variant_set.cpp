#include "variant_set.h"

#include <stdexcept>
#include <unordered_set>

#include "document_name.h"
#include "richtext/rtf_prologue.h"

namespace fractions {

namespace {

// The numbers of a question set, in order: equal for the same worksheet.
std::string WorksheetKey(const QuestionSet& set) {
  std::string key;
  const auto add = [&key](std::initializer_list<int32_t> numbers) {
    for (const int32_t n : numbers) {
      key += std::to_string(n);
      key += ',';
    }
    key += ';';
  };
  std::visit(Overloaded{
                 [&](const std::vector<OperationQuestion>& questions) {
                   for (const auto& q : questions)
                     add({q.a, q.b, q.c, q.d});
                 },
                 [&](const std::vector<PowerQuestion>& questions) {
                   for (const auto& q : questions) {
                     add({q.a, q.b, static_cast<int32_t>(q.form), q.exponent});
                   }
                 },
                 [&](const std::vector<SimplificationQuestion>& questions) {
                   for (const auto& q : questions)
                     add({q.a, q.b});
                 },
                 [&](const std::vector<CommonDenominatorQuestion>& questions) {
                   for (const auto& q : questions)
                     add({q.a, q.b, q.c, q.d});
                 },
             },
             set);
  return key;
}

std::string TooFewMessage(int available, int wanted) {
  return "Ces réglages ne donnent que " + std::to_string(available) +
         " sujets différents : impossible d'en faire " + std::to_string(wanted);
}

}  // namespace

uint32_t NextVariantSeed(uint32_t seed) {
  return seed * 1664525u + 1013904223u;
}

QuestionSet QuestionsOfSeed(ExerciseType type, const WorksheetSettings& settings, uint32_t seed) {
  LcgRandom random(seed);
  QuestionTable table;
  MakeDocumentName(type, random);
  DrawingContext context{random, table};
  return RunDrawingPhase(type, settings.largest_term, settings.count, context);
}

TooFewVariants::TooFewVariants(int available, int wanted)
    : std::runtime_error(TooFewMessage(available, wanted)), available_(available) {}

std::vector<uint32_t> PlanVariantSeeds(ExerciseType type, const WorksheetSettings& settings,
                                       uint32_t first, int count,
                                       const std::vector<QuestionSet>& taken) {
  const int wanted = count + static_cast<int>(taken.size());
  if (wanted > kMaxVariants) {
    throw std::out_of_range("au plus " + std::to_string(kMaxVariants) + " sujets différents");
  }
  std::unordered_set<std::string> seen;
  for (const QuestionSet& set : taken) {
    seen.insert(WorksheetKey(set));
  }
  std::vector<uint32_t> seeds;
  uint32_t seed = first;
  while (static_cast<int>(seeds.size()) < count) {
    bool found = false;
    for (int draw = 0; draw < kMaxDrawsPerVariant && !found; ++draw) {
      found = seen.insert(WorksheetKey(QuestionsOfSeed(type, settings, seed))).second;
      if (found) {
        seeds.push_back(seed);
      }
      seed = NextVariantSeed(seed);
    }
    if (!found) {
      throw TooFewVariants(static_cast<int>(seen.size()), wanted);
    }
  }
  return seeds;
}

std::vector<WorksheetDocuments> BuildVariants(ExerciseType type, const WorksheetSettings& settings,
                                              const std::vector<uint32_t>& seeds, int first_place,
                                              int set_size) {
  LcgRandom random;
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  std::vector<WorksheetDocuments> variants;
  variants.reserve(seeds.size());
  for (size_t i = 0; i < seeds.size(); ++i) {
    random.SetSeed(seeds[i]);
    variants.push_back(BuildWorksheet(type, settings, tools,
                                      SetMark{first_place + static_cast<int>(i), set_size}));
  }
  return variants;
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
