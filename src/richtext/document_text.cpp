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

QSizeF ShownPictureSize(const QTextImageFormat& format, const QImage& picture) {
  const double width = format.width();
  const double height = format.height();
  if (width > 0 && height > 0) {
    return {width, height};
  }
  if (width > 0) {
    return {width, width * picture.height() / picture.width()};
  }
  if (height > 0) {
    return {height * picture.width() / picture.height(), height};
  }
  return QSizeF(picture.size());
}

}  // namespace fractions
