#pragma once

#include <QImage>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/exercise_type.h"
#include "richtext/rtf_read_error.h"
#include "worksheet/sheet_build.h"

// Helpers of the RTF reader and writer tests: documents built the way the
// program builds them, and a description of a QTextDocument's content that
// compares text, formats and pictures while ignoring how Qt splits runs.
namespace fractions::testing {

// One run of text of one format, as shown (unset family and size are the
// document's default font's), or one picture.
struct Span {
  bool picture = false;
  QString text;
  QString family;
  double points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int vertical = 0;    // QTextCharFormat::VerticalAlignment
  QString foreground;  // "#rrggbb", empty when unset
  QString background;
  QImage image;  // ARGB32, for pixel comparisons
  double width = 0;
  double height = 0;

  bool operator==(const Span& other) const;
};
void PrintTo(const Span& span, std::ostream* out);

using Block = std::vector<Span>;

// The blocks of the document, adjacent runs of one format merged.
std::vector<Block> Describe(const QTextDocument& document);

// All the document's spans in order, block structure aside.
std::vector<Span> Spans(const QTextDocument& document);

// The first text span holding `text`.
std::optional<Span> SpanWith(const QTextDocument& document, const QString& text);

// Reads `rtf` into an empty document.
std::optional<RtfReadError> ReadInto(QTextDocument& document, std::string_view rtf);

// kRtfPrologue + body + "}", as the worksheet build frames its documents.
std::string InPrologue(std::string_view body);

// The worksheet a teacher gets from an exercise button, fixed by the seed.
SheetDocuments BuildSampleWorksheet(ExerciseType type, int32_t largest_term, int32_t count,
                                    uint32_t seed);

int PictureCount(const QTextDocument& document);

// The document's pictures, in order.
std::vector<QImage> Pictures(const QTextDocument& document);

// Adds `image` as a resource of the cursor's document and inserts it, shown
// at `width` x `height` pixels; a side of 0 is left unset.
void AddPicture(QTextCursor& cursor, const QImage& image, double width, double height);

}  // namespace fractions::testing
