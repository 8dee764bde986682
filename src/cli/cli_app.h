#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace fractions {

// Exit statuses of fractions-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs fractions-cli with the arguments after the program name, printing the
// worksheet to `out` and errors to `err`. Returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fractions
