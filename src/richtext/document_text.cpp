#include "document_text.h"

#include <QTextBlock>

namespace fractions {

int DocumentTextLength(const QTextDocument& document) {
  return document.characterCount() - 1;  // the final paragraph end is no text
}

int DocumentLineCount(const QTextDocument& document) {
  int lines = document.blockCount();
  if (document.lastBlock().length() <= 1) {
    --lines;
  }
  return lines;
}

}  // namespace fractions
