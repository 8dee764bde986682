#pragma once

#include <cstddef>
#include <string>

namespace fractions {

// Why an RTF text could not be read, and where. Everything else a reader
// meets (unknown words, bad pictures, out-of-range numbers) is skipped or
// mended silently, as RTF readers do, except a bad picture in a document
// that must show every one of its pictures (see PictureReading).
struct RtfReadError {
  enum class Kind {
    kNotRtf,             // the text does not start with "{\rtf"
    kUnmatchedClose,     // a "}" after the outermost group has closed
    kTextAfterEnd,       // other non-blank bytes after the outermost group
    kUnclosedGroup,      // the input ends inside a group
    kTooDeep,            // groups nested deeper than kMaxRtfGroupDepth
    kUnreadablePicture,  // a picture that cannot be decoded, where all must show
  };

  Kind kind;
  size_t offset;        // byte offset in the input where the fault shows
  std::string message;  // UTF-8, names the fault and the offset
};

// What a reader does with a picture it cannot decode: leaves it out, as
// RTF readers do with what they do not know, or stops with an error.
enum class PictureReading { kSkipUnreadable, kAllOrError };

// The error in French, for a message shown to a teacher: what is wrong and
// at which byte ("groupes imbriqués sur plus de 1000 niveaux à l'octet 52").
std::string ReadErrorInFrench(const RtfReadError& error);

// Deepest group nesting a document may have, the document group included.
// Real documents stay far below it; the limit bounds the reader's stack.
inline constexpr size_t kMaxRtfGroupDepth = 1000;

}  // namespace fractions
