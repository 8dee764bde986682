#pragma once

#include <QPainter>
#include <QSizeF>
#include <QTextDocument>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fractions {

// Draws a document page by page onto a device, the way printing, the print
// preview and PDF files all need it: from a given character position into
// a page of a given size, reporting the first position that did not fit.
// Nothing else paginates.
//
// The document is laid out once, on a copy, for the page width, with no
// margin: the page is the whole printable area. It is laid out as a screen
// of 96 dots per inch lays it out, whatever the device, and drawn scaled to
// the device's resolution: the fonts' metrics round differently at each
// resolution, and a layout made for the device would put the lines, and the
// page breaks, elsewhere on a 300-dpi printer than on a 1200-dpi one and
// than on screen. A line (and so a picture, which stands in a line) is
// never split: a page ends before the first line that would cross its
// bottom, and before a paragraph that starts a new page (a page break of
// the document, between the worksheets of a set). A page does not end with
// paragraphs that keep with the next (a heading, the instruction under it):
// it ends before them, unless they began the page. Positions count as the
// document's do: one per character, picture and paragraph end.
// The position of the first picture of `document` that cannot be drawn at
// all, its image missing or unreadable: printed, its line would be blank.
std::optional<int> UnprintablePicture(const QTextDocument& document);

// "une image de la page N ne peut pas être imprimée", for the message that
// stops a print job or a PDF with such a picture on page N.
std::string UnprintablePictureText(int page);

class PageRenderer {
 public:
  // `page_size` in device pixels of `device`, which must outlive the
  // renderer.
  PageRenderer(const QTextDocument& document, QPaintDevice* device, QSizeF page_size);
  ~PageRenderer();

  // The number of positions of the document's text.
  int TextLength() const;

  // Draws the page that starts with the line holding position `from`, its
  // top-left corner at the painter's origin, and returns the first position
  // not drawn, or TextLength() when the text ends on this page. A line
  // taller than the page is drawn alone, cut at the bottom, so every call
  // moves on.
  int RenderPage(QPainter& painter, int from) const;

  // The page (1 for the first) on which position `position` is drawn.
  int PageOf(int position) const;

  // As RenderPage, paginated for the device but drawn in layout units: for
  // a picture of the page that is shown at a size of its own (the
  // preview's), where the device's scale would enlarge everything again.
  int RenderLayoutPage(QPainter& painter, int from) const;

 private:
  struct Line {
    double top;
    double bottom;
    int position;
    bool starts_page;      // the first line of a paragraph after a page break
    bool keeps_with_next;  // a line of a paragraph that keeps with the next
  };
  // The line holding `position` (the last line for the end of the text).
  size_t LineIndexOf(int position) const;
  // The first line of the next page, for a page of the lines from `first`
  // on.
  size_t PageEnd(size_t first) const;
  // Draws the page starting at `from` scaled by `scale_x`, `scale_y`.
  int DrawPage(QPainter& painter, int from, double scale_x, double scale_y) const;

  std::unique_ptr<QTextDocument> layout_copy_;
  double scale_x_;  // device pixels per layout pixel
  double scale_y_;
  QSizeF page_size_;  // in layout pixels
  std::vector<Line> lines_;
};

}  // namespace fractions
