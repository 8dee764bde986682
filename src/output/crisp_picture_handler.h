#pragma once

#include <QObject>
#include <QTextObjectInterface>

namespace fractions {

// Draws a document's pictures for printing, the preview and PDF, each at
// its true size: one picture pixel is 1/96 inch on every device.
//
// A picture this program drew (an exercise line) is drawn again from its
// drawing at the device's resolution: sharp text and one-pixel bars as thin
// as on screen, and on a PDF real text and vector lines.
//
// Another one-bit picture is drawn as itself, not as a colour copy, so that
// a PDF keeps it one-bit and lossless; and enlarged by a whole number of
// device pixels per picture pixel, so that every stroke prints equally
// thick. Scaling 96 dots per inch to 600 by the fractional 6.25 would print
// some one-pixel strokes 6 dots thick and others 7. Such a picture is
// placed at the top-left of its place in the layout, at most a few percent
// smaller than it. Other pictures are left to the layout's own handler.
class CrispPictureHandler : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  CrispPictureHandler(QTextObjectInterface* default_handler, QObject* parent);

  QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                  const QTextFormat& format) override;

 private:
  QTextObjectInterface* default_handler_;
};

// Installs the handler on the document's layout for its pictures.
void UseCrispPictures(QTextDocument& document);

}  // namespace fractions
