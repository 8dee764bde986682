#pragma once

#include <QImage>
#include <QSizeF>
#include <QTextDocument>
#include <QTextImageFormat>

namespace fractions {

// The number of positions of a document's text: one per character, picture
// and paragraph end between blocks.
int DocumentTextLength(const QTextDocument& document);

// The number of lines of a document, one per paragraph; a last empty
// paragraph does not count, so an empty document has none.
int DocumentLineCount(const QTextDocument& document);

// The size a picture shows at, in 96-dpi pixels: the format's width and
// height, one of them alone keeping the picture's proportions, or else the
// picture's own size.
QSizeF ShownPictureSize(const QTextImageFormat& format, const QImage& picture);

}  // namespace fractions
