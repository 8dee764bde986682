#pragma once

#include <QDir>
#include <QImage>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <QTextDocument>

namespace fractions {

class PageRenderer;

// The print preview's page files. Each holds one page of a document, drawn
// as it would print on the reference device (the current printer), as an
// SVG picture.

// The page frame of a reference device: its printable width and height in
// whole millimetres, in hundredths of a millimetre.
struct PageFrame {
  int width_hundredths_mm;
  int height_hundredths_mm;
};

// Renders the page starting at `from` into `file_name`, for a page of
// `frame` on the reference device. Returns the first position that did not
// fit, or `from` when the file could not be made.
int RenderEMFPage(const PageRenderer& renderer, QPaintDevice& reference, const QString& file_name,
                  PageFrame frame, int from);

// Renders at most the first two pages of the document into the preview's
// page files in `folder`; an empty document makes no file.
void RichEditToEMF(const QTextDocument& document, const QDir& folder, QPaintDevice& reference,
                   PageFrame frame);

// A page file drawn into a picture of `size` for the preview pane. The
// page is shrunk smoothly: one-pixel strokes (fraction bars, digit stems)
// turn grey rather than drop out.
QImage PreviewPagePicture(const QString& file_name, QSize size);

// The page in the reference device's pixels, through the twips the page
// frame converts to.
QSizeF PageSizeInDevicePixels(PageFrame frame, const QPaintDevice& reference);

}  // namespace fractions
