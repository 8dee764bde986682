#pragma once

#include "rtf_content.h"

namespace fractions {

// Collects the characters of an RTF text into runs of one format, so that
// the document receives one insertion per run rather than per character.
// Characters a QTextDocument would take for structure (paragraph and frame
// separators, the object replacement character) and control characters
// other than TAB are dropped; unpaired UTF-16 surrogates become U+FFFD.
class RtfRunBuilder {
 public:
  // The format of the characters appended from now on.
  void SetFormat(const QTextCharFormat& format);
  void AppendUnit(char16_t unit);
  void EndParagraph(const QTextCharFormat& mark, bool page_break = false,
                    bool keep_with_next = false);
  void AddPicture(RtfPicture picture);
  RtfContent Finish();

 private:
  void FlushRun();
  void AppendChecked(char16_t unit);

  RtfContent content_;
  RtfTextRun run_;
  char16_t pending_high_ = 0;  // a high surrogate waiting for its low half
};

}  // namespace fractions
