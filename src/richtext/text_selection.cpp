#include "text_selection.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "keep_with_next.h"

namespace fractions {

namespace {

void VisitBlock(const QTextBlock& block, int start, int end, SelectionVisitor& visitor) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const int from = std::max(start, fragment.position());
    const int to = std::min(end, fragment.position() + fragment.length());
    if (from >= to) {
      continue;
    }
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
      // Adjacent pictures of one format share a fragment: one character each.
      for (int i = from; i < to; ++i) {
        visitor.Picture(format.toImageFormat());
      }
      continue;
    }
    const QString text = fragment.text();
    visitor.Text(QStringView(text).mid(from - fragment.position(), to - from), format);
  }
}

}  // namespace

void VisitSelection(const QTextCursor& selection, SelectionVisitor& visitor) {
  const QTextDocument* document = selection.document();
  const int start = selection.selectionStart();
  const int end = selection.selectionEnd();
  if (document == nullptr || start == end) {
    return;
  }
  const QTextBlock last = document->findBlock(end);
  for (QTextBlock block = document->findBlock(start); block.isValid(); block = block.next()) {
    if (block.position() > start) {
      visitor.ParagraphEnd(block.blockFormat().pageBreakPolicy() &
                           QTextFormat::PageBreak_AlwaysBefore);
    }
    visitor.ParagraphStart(block != last && KeepsWithNext(block.blockFormat()));
    VisitBlock(block, start, end, visitor);
    if (block == last) {
      break;
    }
  }
}

}  // namespace fractions
