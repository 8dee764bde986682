#pragma once

#include <QTextDocument>

namespace fractions {

// The number of positions of a document's text: one per character, picture
// and paragraph end between blocks.
int DocumentTextLength(const QTextDocument& document);

// The number of lines of a document, one per paragraph; a last empty
// paragraph does not count, so an empty document has none.
int DocumentLineCount(const QTextDocument& document);

}  // namespace fractions
