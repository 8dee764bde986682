#include "rtf_tables.h"

#include <algorithm>

#include "text_characters.h"

namespace fractions {

namespace {

constexpr int32_t kSymbolCharset = 2;

}  // namespace

void RtfFontTable::StartEntry(int32_t number) {
  EndEntry();
  number_ = number;
  charset_ = 0;
  name_.clear();
}

void RtfFontTable::SetCharset(int32_t charset) {
  charset_ = charset;
}

// Names keep what the writer can write back: no control characters.
void RtfFontTable::AppendToName(char16_t unit) {
  if (number_ && !IsStructureOrControl(unit)) {
    name_ += QChar(unit);
  }
}

void RtfFontTable::EndEntry() {
  if (!number_) {
    return;
  }
  RtfFont font;
  font.family = name_.trimmed();
  if (charset_ == kSymbolCharset) {
    font.byte_code = font.family.compare(u"Symbol", Qt::CaseInsensitive) == 0
                         ? ByteCode::kSymbolFont
                         : ByteCode::kPrivateUse;
  }
  fonts_[*number_] = std::move(font);
  number_.reset();
  name_.clear();
}

const RtfFont* RtfFontTable::Find(int32_t number) const {
  const auto it = fonts_.find(number);
  return it == fonts_.end() ? nullptr : &it->second;
}

void RtfColourTable::Clear() {
  colours_.clear();
  red_ = green_ = blue_ = 0;
  given_ = false;
}

void RtfColourTable::SetComponent(int& component, int32_t value) {
  component = std::clamp(value, 0, 255);
  given_ = true;
}

void RtfColourTable::EndEntry() {
  colours_.push_back(given_ ? std::optional<QRgb>(qRgb(red_, green_, blue_)) : std::nullopt);
  red_ = green_ = blue_ = 0;
  given_ = false;
}

std::optional<std::optional<QRgb>> RtfColourTable::Find(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= colours_.size()) {
    return std::nullopt;
  }
  return colours_[static_cast<size_t>(index)];
}

}  // namespace fractions
