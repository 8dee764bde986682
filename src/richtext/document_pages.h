#pragma once

#include <QTextDocument>

namespace fractions {

// Appends `document` (its text, formats and pictures) to `set`, starting
// on a new page: a set of worksheets, one per page.
void AppendOnNewPage(QTextDocument& set, const QTextDocument& document);

}  // namespace fractions
