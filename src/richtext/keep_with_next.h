#pragma once

#include <QTextBlockFormat>
#include <QTextCursor>

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

// Marks the paragraphs from the one holding `from` up to the first that
// holds a picture (left as it is) as keeping with the next, joined to the
// last undo step: an instruction already shown, once a heading goes in
// above it, stays with its first question as one written under its heading.
void KeepWithNextUntilPicture(const QTextCursor& from);

}  // namespace fractions
