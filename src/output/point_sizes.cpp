#include "point_sizes.h"

#include <QTextBlock>
#include <QTextCursor>

namespace fractions {

namespace {

constexpr double kPointsPerScreenPixel = 72.0 / 96.0;

bool HasPixelSize(const QTextCharFormat& format) {
  return format.hasProperty(QTextFormat::FontPixelSize);
}

QTextCharFormat InPoints(QTextCharFormat format) {
  const int pixels = format.intProperty(QTextFormat::FontPixelSize);
  format.clearProperty(QTextFormat::FontPixelSize);
  format.setFontPointSize(pixels * kPointsPerScreenPixel);
  return format;
}

}  // namespace

void UsePointSizes(QTextDocument& document) {
  QFont font = document.defaultFont();
  if (font.pixelSize() > 0) {
    font.setPointSizeF(font.pixelSize() * kPointsPerScreenPixel);
    document.setDefaultFont(font);
  }
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (HasPixelSize(block.charFormat())) {
      QTextCursor(block).setBlockCharFormat(InPoints(block.charFormat()));
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (HasPixelSize(fragment.charFormat())) {
        QTextCursor cursor(&document);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(InPoints(fragment.charFormat()));
      }
    }
  }
}

}  // namespace fractions
