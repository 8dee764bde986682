#include "keep_with_next.h"

#include <QTextBlock>

namespace fractions {

namespace {

bool HoldsPicture(const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    if (it.fragment().charFormat().isImageFormat()) {
      return true;
    }
  }
  return false;
}

}  // namespace

void KeepWithNextUntilPicture(const QTextCursor& from) {
  if (from.isNull()) {
    return;
  }
  QTextBlockFormat keep;
  SetKeepWithNext(keep, true);
  QTextCursor cursor(from);
  cursor.clearSelection();
  cursor.joinPreviousEditBlock();
  for (QTextBlock block = from.block(); block.isValid() && !HoldsPicture(block);
       block = block.next()) {
    cursor.setPosition(block.position());
    cursor.mergeBlockFormat(keep);
  }
  cursor.endEditBlock();
}

}  // namespace fractions
