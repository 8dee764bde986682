#include "settings_encoding.h"

#include <algorithm>
#include <charconv>

namespace fractions {

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

bool EqualsIgnoringAsciiCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) {
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != word[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  // from_chars takes "-" but not "+"; a lone sign is no number.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
    text.remove_prefix(1);
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

int32_t IniIntegerOrZero(std::string_view text) {
  return ParseIniInteger(text).value_or(0);
}

std::string TrimTextValue(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlankOrControl(text.back())) {
    text.remove_suffix(1);
  }
  return std::string(text);
}

std::string QuoteForIni(std::string_view text) {
  // The blanks a read drops around a value.
  constexpr std::string_view kBlanks = " \t\r\n\v\f";
  const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                      text.back() == text.front();
  const bool blank_edge = !text.empty() && (kBlanks.find(text.front()) != std::string_view::npos ||
                                            kBlanks.find(text.back()) != std::string_view::npos);
  return quoted || blank_edge ? "\"" + std::string(text) + "\"" : std::string(text);
}

std::optional<bool> ParseYesNo(std::string_view text) {
  if (EqualsIgnoringAsciiCase(text, "true")) {
    return true;
  }
  if (EqualsIgnoringAsciiCase(text, "false")) {
    return false;
  }
  return std::nullopt;
}

std::string_view YesNoText(bool value) {
  return value ? "True" : "False";
}

FourNumbers ParseFourNumbers(std::string_view text, const FourNumbers& fallback) {
  FourNumbers numbers = fallback;
  constexpr std::string_view kSeparators = " ,";
  for (std::size_t index = 0; index < numbers.size(); ++index) {
    const std::size_t begin = text.find_first_not_of(kSeparators);
    if (begin == std::string_view::npos) {
      break;
    }
    text.remove_prefix(begin);
    const std::size_t end = std::min(text.find_first_of(kSeparators), text.size());
    numbers[index] = ParseIniInteger(text.substr(0, end)).value_or(fallback[index]);
    text.remove_prefix(end);
  }
  return numbers;
}

std::string FormatFourNumbers(const FourNumbers& numbers) {
  return std::to_string(numbers[0]) + "," + std::to_string(numbers[1]) + "," +
         std::to_string(numbers[2]) + "," + std::to_string(numbers[3]);
}

}  // namespace fractions
