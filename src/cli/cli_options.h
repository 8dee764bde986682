#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/drawing_context.h"
#include "drawing/exercise_type.h"

namespace fractions {

// What the command line asks for. Values are checked against the same ranges
// as the window's spin boxes.
struct CliOptions {
  std::optional<ExerciseType> type;
  int32_t largest_term = kDefaultLargestTerm;
  int32_t count = kDefaultQuestionCount;
  std::optional<uint32_t> seed;  // none: seed from the time of day
  bool json = false;
  bool help = false;
};

// A command line that cannot be followed; the message names the option and
// what it accepts.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. Throws UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

// The word the command line uses for a type ("add", ..., "reduc"), and back.
std::string_view CommandName(ExerciseType type);
std::optional<ExerciseType> ExerciseTypeFromCommandName(std::string_view name);

}  // namespace fractions
