#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/settings_encoding.h"

namespace fractions {
namespace {

TEST(ParseIniInteger, DecimalWithinThirtyTwoBitsOnly) {
  const std::vector<std::pair<std::string, std::optional<int32_t>>> cases = {
      {"0", 0},
      {"-12", -12},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"1.5", std::nullopt},
      {"12a", std::nullopt},
      {" 1", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseIniInteger(text), expected) << text;
  }
}

TEST(ParseFourNumbers, SplitsAtRunsOfSpacesAndCommasWithFallbacks) {
  const FourNumbers fallback = {10, 20, 30, 40};
  const std::vector<std::pair<std::string, FourNumbers>> cases = {
      {"1,2,3,4", {1, 2, 3, 4}},   {" 1 ,, 2  3,4,5", {1, 2, 3, 4}}, {"-1,-1", {-1, -1, 30, 40}},
      {"a,2,,x", {10, 2, 30, 40}}, {"", {10, 20, 30, 40}},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseFourNumbers(text, fallback), expected) << text;
  }
}

TEST(QuoteForIni, OnlyTextsBetweenTheSameQuotesGetAnotherPair) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"a\"", "\"\"a\"\""}, {"'a'", "\"'a'\""}, {"\"a'", "\"a'"},
      {"\"", "\""},           {"a", "a"},         {"", ""},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(QuoteForIni(text), expected) << text;
  }
}

}  // namespace
}  // namespace fractions
