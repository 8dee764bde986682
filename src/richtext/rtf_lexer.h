#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Splits RTF bytes into tokens. Knows nothing of groups' meanings; its
// caller tells it how many bytes of \bin data follow a \bin word, and when
// to skip the junk after a word.
namespace fractions {

enum class RtfTokenKind {
  kEnd,
  kGroupOpen,      // {
  kGroupClose,     // }
  kControlWord,    // \word or \wordN
  kControlSymbol,  // \ and one character that is not a letter
  kEscapedByte,    // \'hh; `valid` is false when two hex digits do not follow
  kText,           // a run of bytes that are none of \ { }
};

struct RtfToken {
  RtfTokenKind kind = RtfTokenKind::kEnd;
  size_t offset = 0;      // of the token's first byte
  std::string_view text;  // the word's letters, the symbol, or the text run
  bool has_parameter = false;
  int32_t parameter = 0;   // clamped to 32 bits
  unsigned char byte = 0;  // of kEscapedByte
  bool valid = true;
};

// The longest control word RTF defines; longer ones are read whole and
// never match a known word.
inline constexpr size_t kMaxControlWordLength = 32;

class RtfLexer {
 public:
  explicit RtfLexer(std::string_view input) : input_(input) {}

  RtfToken Next();

  // The `count` bytes after a \bin word, or as many as remain.
  std::string_view TakeBinary(uint32_t count);

  // After a control word: when anything but a delimiter follows it directly
  // (the "pt" of "\fs12pt "), skips that junk up to and including the next
  // blank, or up to the next \ { } or line break. True when there was junk.
  bool SkipJunkAfterWord();

  size_t Offset() const { return pos_; }

 private:
  RtfToken ReadControl(size_t start);
  RtfToken ReadWord(size_t start);

  std::string_view input_;
  size_t pos_ = 0;
};

}  // namespace fractions
