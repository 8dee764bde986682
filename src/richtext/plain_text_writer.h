#pragma once

#include <QTextCursor>
#include <string>

namespace fractions {

// The cursor's selection as Windows-1252 text, for ".txt" files: paragraphs
// and line breaks end in CR LF, TAB stays, pictures and control characters
// are left out, a character Windows-1252 lacks becomes '?'.
std::string WritePlainText(const QTextCursor& selection);

}  // namespace fractions
