#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rtf_content.h"

namespace fractions {

enum class RtfPictureKind { kUnknown, kDib, kPng, kJpeg, kUnsupported };

// A \pict group as it is read: its kind, its size words and its data, hex
// digits or \bin bytes. The data grow with the input, never ahead of it.
class RtfPictureReader {
 public:
  void SetKind(RtfPictureKind kind) { kind_ = kind; }
  void SetGoalWidth(int32_t twips) { goal_width_ = twips; }
  void SetGoalHeight(int32_t twips) { goal_height_ = twips; }
  void SetScaleX(int32_t percent) { scale_x_ = percent; }
  void SetScaleY(int32_t percent) { scale_y_ = percent; }

  // Hex digits; blanks and any other byte are skipped, so are line breaks.
  void AppendHex(std::string_view text);
  void AppendBinary(std::string_view bytes);

  // The picture as it will show, or nothing when it cannot be decoded or,
  // compressed (PNG, JPEG), would exceed `pixel_budget` pixels; the budget
  // is lowered by what such a picture takes. A dangling hex digit is
  // dropped.
  std::optional<RtfPicture> Finish(int64_t& pixel_budget) const;

 private:
  RtfPictureKind kind_ = RtfPictureKind::kUnknown;
  int32_t goal_width_ = 0;
  int32_t goal_height_ = 0;
  int32_t scale_x_ = 100;
  int32_t scale_y_ = 100;
  std::string data_;
  int high_nibble_ = -1;
};

// Largest pixel count a single picture may decode to (a 4096 x 4096 photo).
inline constexpr int64_t kMaxPicturePixels = int64_t{4096} * 4096;

}  // namespace fractions
