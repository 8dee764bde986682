#include "rtf_run_builder.h"

#include <utility>

#include "text_characters.h"

namespace fractions {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void RtfRunBuilder::SetFormat(const QTextCharFormat& format) {
  if (format != run_.format) {
    FlushRun();
    run_.format = format;
  }
}

void RtfRunBuilder::AppendUnit(char16_t unit) {
  if (pending_high_ != 0) {
    const char16_t high = std::exchange(pending_high_, 0);
    if (IsLowSurrogate(unit)) {
      run_.text += QChar(high);
      run_.text += QChar(unit);
      return;
    }
    run_.text += QChar(kReplacement);
  }
  if (IsHighSurrogate(unit)) {
    pending_high_ = unit;
    return;
  }
  AppendChecked(IsLowSurrogate(unit) ? kReplacement : unit);
}

void RtfRunBuilder::AppendChecked(char16_t unit) {
  if (!IsStructureOrControl(unit)) {
    run_.text += QChar(unit);
  }
}

void RtfRunBuilder::EndParagraph(const QTextCharFormat& mark, bool page_break,
                                 bool keep_with_next) {
  FlushRun();
  content_.items.emplace_back(RtfParagraphEnd{mark, page_break, keep_with_next});
}

void RtfRunBuilder::AddPicture(RtfPicture picture) {
  FlushRun();
  content_.items.emplace_back(std::move(picture));
}

RtfContent RtfRunBuilder::Finish() {
  FlushRun();
  return std::move(content_);
}

void RtfRunBuilder::FlushRun() {
  if (std::exchange(pending_high_, 0) != 0) {
    run_.text += QChar(kReplacement);
  }
  if (!run_.text.isEmpty()) {
    content_.items.emplace_back(RtfTextRun{run_.format, std::move(run_.text)});
    run_.text = QString();
  }
}

}  // namespace fractions
