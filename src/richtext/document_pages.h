#pragma once

#include <QTextDocument>

namespace fractions {

// Appends `document` (its text, formats and pictures) to `set`, starting
// on a new page: a set of worksheets, one per page.
void AppendOnNewPage(QTextDocument& set, const QTextDocument& document);

// Marks a worksheet's place in its set in its header: `mark` goes in right
// after `prefix`, which must open the document, in the format of the text
// before it. A header that no longer opens with `prefix` (edited by hand)
// is left as it is. Returns whether the mark went in.
bool MarkHeader(QTextDocument& document, const QString& prefix, const QString& mark);

}  // namespace fractions
