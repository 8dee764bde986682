#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How the settings store turns values into INI texts and back.
namespace fractions {

// An optional sign and decimal digits within 32 bits; anything else
// (blanks, a fraction, a number that does not fit) is not an integer.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// The integer of `text`, 0 when it is not one: a damaged value becomes 0,
// which the spin box then limits to its range.
int32_t IniIntegerOrZero(std::string_view text);

// `text` without the blanks and control characters (bytes 0x00 to 0x20)
// around it; those inside stay.
std::string TrimTextValue(std::string_view text);

// The value to write for `text` so that reading it gives `text` back: a text
// that begins and ends with the same kind of quote (""x"" or "'x'"), or that
// begins or ends with a blank the read would drop ("  x  "), is put inside
// one more pair of double quotes, which the reader then drops.
std::string QuoteForIni(std::string_view text);

// "True" or "False" in any letter case; anything else is nothing.
std::optional<bool> ParseYesNo(std::string_view text);
std::string_view YesNoText(bool value);

using FourNumbers = std::array<int32_t, 4>;

// The numbers of a "%d,%d,%d,%d" value, split at spaces and commas (a run
// of them is one separator). A missing or non-numeric number is taken from
// `fallback` at the same place; numbers after the fourth are ignored.
FourNumbers ParseFourNumbers(std::string_view text, const FourNumbers& fallback);
std::string FormatFourNumbers(const FourNumbers& numbers);

}  // namespace fractions
