#include "rtf_lexer.h"

#include <algorithm>
#include <limits>

#include "hex.h"

namespace fractions {

namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

RtfToken RtfLexer::Next() {
  RtfToken token;
  token.offset = pos_;
  if (pos_ >= input_.size()) {
    return token;
  }
  const char c = input_[pos_];
  if (c == '{' || c == '}') {
    ++pos_;
    token.kind = c == '{' ? RtfTokenKind::kGroupOpen : RtfTokenKind::kGroupClose;
    return token;
  }
  if (c == '\\') {
    return ReadControl(pos_);
  }
  const size_t end = input_.find_first_of("\\{}", pos_);
  const size_t stop = end == std::string_view::npos ? input_.size() : end;
  token.kind = RtfTokenKind::kText;
  token.text = input_.substr(pos_, stop - pos_);
  pos_ = stop;
  return token;
}

RtfToken RtfLexer::ReadControl(size_t start) {
  pos_ = start + 1;  // past the backslash
  RtfToken token;
  token.offset = start;
  if (pos_ < input_.size() && IsLetter(input_[pos_])) {
    return ReadWord(start);
  }
  token.kind = RtfTokenKind::kControlSymbol;
  if (pos_ >= input_.size()) {
    return token;  // a lone backslash at the end: an empty symbol
  }
  token.text = input_.substr(pos_, 1);
  ++pos_;
  if (token.text[0] != '\'') {
    return token;
  }
  token.kind = RtfTokenKind::kEscapedByte;
  int value = 0;
  int digits = 0;
  while (digits < 2 && pos_ < input_.size() && HexDigitValue(input_[pos_]) >= 0) {
    value = value * 16 + HexDigitValue(input_[pos_++]);
    ++digits;
  }
  token.valid = digits == 2;
  token.byte = static_cast<unsigned char>(value);
  return token;
}

RtfToken RtfLexer::ReadWord(size_t start) {
  RtfToken token;
  token.kind = RtfTokenKind::kControlWord;
  token.offset = start;
  const size_t letters_at = pos_;
  while (pos_ < input_.size() && IsLetter(input_[pos_])) {
    ++pos_;
  }
  token.text = input_.substr(letters_at, pos_ - letters_at);

  const bool negative =
      pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1]);
  if (negative) {
    ++pos_;
  }
  if (pos_ < input_.size() && IsDigit(input_[pos_])) {
    // Every digit belongs to the word; the value saturates at the 32-bit
    // limits instead of overflowing.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    while (pos_ < input_.size() && IsDigit(input_[pos_])) {
      value = std::min(kLimit, value * 10 + (input_[pos_++] - '0'));
    }
    value = negative ? -value : std::min(value, kLimit - 1);
    token.has_parameter = true;
    token.parameter = static_cast<int32_t>(value);
  }
  if (pos_ < input_.size() && input_[pos_] == ' ') {
    ++pos_;  // the delimiting blank belongs to the word
  }
  return token;
}

std::string_view RtfLexer::TakeBinary(uint32_t count) {
  const size_t length = std::min<size_t>(count, input_.size() - pos_);
  const std::string_view data = input_.substr(pos_, length);
  pos_ += length;
  return data;
}

bool RtfLexer::SkipJunkAfterWord() {
  if (pos_ == 0 || pos_ >= input_.size() || input_[pos_ - 1] == ' ') {
    return false;
  }
  const size_t junk_end = input_.find_first_of("\\{} \r\n", pos_);
  if (junk_end == pos_) {
    return false;
  }
  pos_ = junk_end == std::string_view::npos ? input_.size() : junk_end;
  if (pos_ < input_.size() && input_[pos_] == ' ') {
    ++pos_;
  }
  return true;
}

}  // namespace fractions
