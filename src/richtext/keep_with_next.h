#pragma once

#include <QTextBlockFormat>

// RTF's \keepn: a paragraph that stays on the page of the paragraph after
// it, as a heading stays with what it heads. Qt 6.4 has no such block
// property: it travels in the block format as a property of our own, from
// the reader to the paginator and to the writer.
namespace fractions {

inline constexpr int kKeepWithNextProperty = QTextFormat::UserProperty + 1;

inline bool KeepsWithNext(const QTextBlockFormat& format) {
  return format.boolProperty(kKeepWithNextProperty);
}

// A paragraph that does not keep with the next carries no property at all,
// so that its format stays the one it always was.
inline void SetKeepWithNext(QTextBlockFormat& format, bool keep) {
  if (keep) {
    format.setProperty(kKeepWithNextProperty, true);
  } else {
    format.clearProperty(kKeepWithNextProperty);
  }
}

}  // namespace fractions
