#pragma once

#include <QTextCursor>
#include <optional>
#include <string_view>

#include "rtf_read_error.h"

namespace fractions {

// Reads `rtf` (Windows-1252 bytes) and puts its content into the cursor's
// document in place of the cursor's selection, as one undo step; the cursor
// ends after the inserted content. The whole text is read before anything
// is inserted: on a read error the document is left untouched. A null
// cursor gets nothing, but read errors are still reported.
//
// Read errors, and nothing else:
//  - kNotRtf: the text does not start with "{\rtf" (offset 0);
//  - kUnmatchedClose: a "}" after the document group has closed (at it);
//  - kTextAfterEnd: any other byte after the document group but blanks,
//    line breaks, tabs and NULs (at it);
//  - kUnclosedGroup: the input ends inside a group, a \bin running past the
//    end included (at the end of the input);
//  - kTooDeep: groups nested deeper than kMaxRtfGroupDepth (at the "{");
//  - kUnreadablePicture, with PictureReading::kAllOrError only: a picture
//    that cannot be decoded (at its "{"). A document this program made
//    is read so, so that no exercise line can go missing unseen.
//
// Text becomes blocks (\par) of runs with their character formats: bold,
// italic, underline, strike-out, superscript and subscript, font family
// (from the font table), point size (\fs, in half-points; a size that is
// not a plain number, such as "\fs12pt ", is ignored with its junk),
// foreground (\cf; 0 is automatic) and background (\highlight, \cb; 0 is
// none). Bytes are Windows-1252, or the Symbol font's glyphs in a
// \fcharset2 font. Pictures (\dibitmap, \pngblip, \jpegblip) become image
// resources of the document with a unique name each, shown at their goal
// size (\picwgoal, \pichgoal, \picscalex, \picscaley) in pixels at 96 dpi,
// or else at their pixel size; pictures that cannot be decoded are left out
// (or stop the reading, as above).
// A paragraph ended under \keepn (reset by \pard and by the end of its
// group) keeps with the next: see KeepsWithNext.
std::optional<RtfReadError> InsertRtf(QTextCursor& cursor, std::string_view rtf,
                                      PictureReading pictures = PictureReading::kSkipUnreadable);

}  // namespace fractions
