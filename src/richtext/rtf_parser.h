#pragma once

#include <string_view>
#include <variant>

#include "rtf_content.h"
#include "rtf_read_error.h"

namespace fractions {

// Reads a whole RTF text into its content, or the first read error. Runs in
// time linear in the input, with a group stack no deeper than
// kMaxRtfGroupDepth and no allocation larger than twice the input's own
// size (compressed pictures aside, which are bounded by
// kMaxDocumentPixels). A picture that cannot be decoded is left out, or,
// when `pictures` is kAllOrError, is a read error of kind
// kUnreadablePicture.
std::variant<RtfContent, RtfReadError> ParseRtf(
    std::string_view rtf, PictureReading pictures = PictureReading::kSkipUnreadable);

// Pixels all the compressed pictures of one document may decode to;
// pictures past it are skipped.
inline constexpr int64_t kMaxDocumentPixels = int64_t{1} << 26;

}  // namespace fractions
