#pragma once

#include <string_view>
#include <variant>

#include "rtf_content.h"
#include "rtf_read_error.h"

namespace fractions {

// Reads a whole RTF text into its content, or the first read error. Runs in
// time linear in the input, with a group stack no deeper than
// kMaxRtfGroupDepth and no allocation larger than the input's own size
// (decoded pictures aside, which are bounded by kMaxDocumentPixels).
std::variant<RtfContent, RtfReadError> ParseRtf(std::string_view rtf);

// Pixels all the pictures of one document may decode to; pictures past it
// are skipped.
inline constexpr int64_t kMaxDocumentPixels = int64_t{1} << 26;

}  // namespace fractions
