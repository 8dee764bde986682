#pragma once

#include <QTextCursor>
#include <QTextDocument>
#include <string>

namespace fractions {

// The RTF of the cursor's selection (nothing selected: an empty document):
// {\rtf1\ansi\ansicpg1252\deff0\uc1, a font table of the families used, a
// colour table of the colours used (entry 0 automatic), the content, "}".
// Each change of character format writes \plain, then \f, \fs and whichever
// of \b \i \ul \strike \super \sub \cf \highlight apply; properties a format
// leaves unset are those of the document's default font. Characters are
// escaped (\\ \{ \}), bytes 128-255 of Windows-1252 written \'hh, other
// characters \uN?; TAB is \tab, U+2028 \line, a paragraph end \par (\page
// before a page break); paragraphs that keep with the next stand under
// \keepn, until a \pard before the first one that does not. In the
// Symbol font, characters are written as the font's bytes where it has them.
// Pictures this program drew (FindDrawnPicture finds them) are written as
// SharpRtfPictureGroups does, a sharp PNG for word processors beside the
// DIB; other pictures as RtfPictureGroup does; pictures whose image cannot
// be found are left out. Reading the result with InsertRtf gives back the
// same text, formats and shown picture sizes, the other pictures and the
// sharp copies of the drawn ones.
std::string WriteRtf(const QTextCursor& selection);

// The whole document.
std::string WriteRtf(const QTextDocument& document);

}  // namespace fractions
