#pragma once

#include <QImage>
#include <QString>
#include <QTextCharFormat>
#include <cstdint>
#include <variant>
#include <vector>

// What an RTF text holds once read, before it goes into a QTextDocument:
// runs of text of one character format, pictures and paragraph ends, in
// document order.
namespace fractions {

struct RtfTextRun {
  QTextCharFormat format;
  QString text;  // no paragraph separators; U+2028 for a line break
};

struct RtfPicture {
  QImage image;  // pixel-exact, as decoded
  double width;  // shown size, in pixels at 96 dpi
  double height;
};

// The end of a paragraph, with the character format of its mark: an empty
// paragraph is as tall as its mark's font. After a page break (\page) the
// next paragraph starts a new page. A paragraph read under \keepn keeps
// with the next one.
struct RtfParagraphEnd {
  QTextCharFormat mark;
  bool page_break = false;
  bool keep_with_next = false;
};

using RtfItem = std::variant<RtfTextRun, RtfPicture, RtfParagraphEnd>;

struct RtfContent {
  std::vector<RtfItem> items;
};

// The largest font size read or written, in half-points: Word's 1638 points.
// A larger \fs would only stall the layout.
inline constexpr int32_t kMaxFontHalfPoints = 3276;

}  // namespace fractions
