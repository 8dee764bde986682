#pragma once

#include <QTextDocument>

namespace fractions {

// Turns every font size a document gives in pixels (its default font, the
// formats of its text and of its paragraph marks) into the same size in
// points, a pixel being 1/96 inch as on the screen the document was made
// for. Laid out for a printer, a pixel size is a printer dot: 11 pixels
// would print 0.7 point high at 1200 dots per inch.
void UsePointSizes(QTextDocument& document);

}  // namespace fractions
