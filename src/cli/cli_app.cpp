#include "cli_app.h"

#include <exception>

#include "cli_options.h"
#include "drawing/random.h"
#include "drawn_worksheet.h"

namespace fractions {

namespace {

constexpr const char* kUsageLine =
    "Usage: fractions-cli --type TYPE [--max M] [--count N] [--seed S] [--json]\n";

constexpr const char* kHelp =
    "Draws the exercises of a fraction worksheet, as the exercise buttons of the\n"
    "window do, and prints them with their answers.\n"
    "\n"
    "  --type TYPE   add, sub, mul, div, pow (powers), simp (simplification)\n"
    "                or reduc (common denominator); required\n"
    "  --max M       largest term, 9 to 500 (default 100)\n"
    "  --count N     number of questions, 1 to 40 (default 25)\n"
    "  --seed S      seed of the random generator, 0 to 4294967295 (default: the\n"
    "                time of day in UTC in milliseconds); same seed, same worksheet\n"
    "  --json        print one JSON object instead of a listing\n"
    "  --help        print this help\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  try {
    options = ParseCliOptions(args);
  } catch (const UsageError& error) {
    err << "fractions-cli: " << error.what() << "\n"
        << kUsageLine << "Try 'fractions-cli --help' for more.\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kUsageLine << kHelp;
    return kExitOk;
  }
  try {
    const uint32_t seed = options.seed.value_or(TimeOfDaySeed());
    const DrawnWorksheet worksheet =
        DrawWorksheet(*options.type, options.largest_term, options.count, seed);
    if (options.json) {
      WriteJson(out, worksheet);
    } else {
      WriteText(out, worksheet);
    }
    out.flush();
    if (!out) {
      err << "fractions-cli: could not write the output\n";
      return kExitFailure;
    }
  } catch (const std::exception& error) {
    err << "fractions-cli: " << error.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace fractions
