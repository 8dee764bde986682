#pragma once

#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>

// Walks the selected part of a QTextDocument in document order, for the
// writers: runs of text with their formats, pictures, paragraph ends.
namespace fractions {

class SelectionVisitor {
 public:
  virtual ~SelectionVisitor() = default;
  // A run of one format, never holding a paragraph separator; it may hold
  // U+2028 (line break), TAB and characters the writers drop.
  virtual void Text(QStringView text, const QTextCharFormat& format) = 0;
  virtual void Picture(const QTextImageFormat& format) = 0;
  // Between two blocks of the selection; `page_break` when the second one
  // starts a new page.
  virtual void ParagraphEnd(bool page_break) = 0;
  // Before each block's content; `keep_with_next` when the block keeps with
  // the next one and that one is in the selection too (the last block's
  // keep has nothing to keep it with).
  virtual void ParagraphStart(bool keep_with_next) = 0;
};

// Visits the selection of `selection`; a cursor without a selection visits
// nothing. A selection ending at the start of a block includes the
// paragraph end before it, and that block as an empty one.
void VisitSelection(const QTextCursor& selection, SelectionVisitor& visitor);

}  // namespace fractions
