#pragma once

#include <QObject>
#include <QTextObjectInterface>

namespace fractions {

// Draws a document's one-bit pictures (the exercise lines) for printing and
// PDF: the picture itself, not a colour copy of it, so that a PDF keeps it
// one-bit and lossless; and enlarged by a whole number of device pixels per
// picture pixel, so that every stroke prints equally thick. Scaling 96 dots
// per inch to 600 by the fractional 6.25 would print some one-pixel strokes
// 6 dots thick and others 7. The picture is placed at the top-left of its
// place in the layout, at most a few percent smaller than it.
//
// Other pictures are handled by the layout's own handler, which this one
// also asks for every picture's size.
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
