#pragma once

#include <QDir>
#include <QImage>
#include <QPointF>
#include <QPrinter>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QTextDocument>
#include <memory>

#include "written_files.h"

namespace fractions {

class PageRenderer;

// The print preview's page files. Each holds one page of a document as it
// would print on the reference device (the current printer), as an SVG
// picture of the whole sheet, margins included. The picture is drawn in
// layout units, the pixels of a 96-dpi screen the document is laid out on:
// the printer decides only where the pages break and where its margins
// lie, so the page looks the same whatever its resolution.

// The sheet of the reference device in layout units, and the top-left
// corner of the area printed inside its margins.
struct PreviewSheet {
  QSizeF paper;
  QPointF printed_area;
};

// The reference device when there is no printer at all: an A4 sheet.
std::unique_ptr<QPrinter> SheetWithoutPrinter();

// The reference device's sheet, once it keeps the print margins.
PreviewSheet PreviewSheetOf(const QPrinter& reference);

// Renders the page starting at `from` into `file_name`, written as a file
// of `files`. Returns the first position that did not fit, or `from` when
// the file could not be made.
int RenderEMFPage(const PageRenderer& renderer, const PreviewSheet& sheet, const QString& file_name,
                  int from, WrittenFiles& files);

// Renders at most the first two pages of the document into the preview's
// page files in `folder`, paginated as `reference` prints them (it is given
// the print margins first, as printing does). Returns the number of page
// files made; an empty document makes none.
int RichEditToEMF(const QTextDocument& document, const QDir& folder, QPrinter& reference,
                  WrittenFiles& files);

// A page file drawn into a picture of `size` for the preview pane. The
// page is shrunk smoothly: one-pixel strokes (fraction bars, digit stems)
// turn grey rather than drop out.
QImage PreviewPagePicture(const QString& file_name, QSize size);

}  // namespace fractions
