#include "crisp_picture_handler.h"

#include "richtext/document_text.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <cmath>

#include "richtext/picture_drawings.h"

namespace fractions {

namespace {

constexpr double kPictureDotsPerInch = 96;

QImage PictureOf(QTextDocument* document, const QTextFormat& format) {
  const QVariant resource =
      document->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
  return resource.value<QImage>();
}

void DrawWholeDevicePixels(QPainter& painter, const QRectF& rect, const QImage& picture) {
  // Device pixels per picture pixel, rounded down to a whole number. The
  // page may be drawn scaled: the place is counted in the device's pixels.
  const QRectF place = painter.worldTransform().mapRect(rect);
  const double scale = std::min(place.width() / picture.width(), place.height() / picture.height());
  const double whole = std::max(1.0, std::floor(scale + 1e-6));
  const QRectF target(QPointF(std::round(place.left()), std::round(place.top())),
                      QSizeF(picture.width() * whole, picture.height() * whole));
  painter.save();
  painter.resetTransform();
  // The preview's page files are SVG, later shrunk to a thumbnail: there
  // the picture is marked for smooth scaling, or its one-pixel strokes
  // (fraction bars, digit stems) would drop out of the thumbnail.
  const QPaintEngine* engine = painter.paintEngine();
  const bool shrunk_later = engine != nullptr && engine->type() == QPaintEngine::SVG;
  painter.setRenderHint(QPainter::SmoothPixmapTransform, shrunk_later);
  painter.drawImage(target, picture);
  painter.restore();
}

void Redraw(QPainter& painter, const QRectF& rect, const PictureDrawing& drawing) {
  const QSize size = drawing.Size();
  painter.save();
  painter.translate(rect.topLeft());
  painter.scale(rect.width() / size.width(), rect.height() / size.height());
  drawing.Draw(painter);
  painter.restore();
}

}  // namespace

CrispPictureHandler::CrispPictureHandler(QTextObjectInterface* default_handler, QObject* parent)
    : QObject(parent), default_handler_(default_handler) {}

QSizeF CrispPictureHandler::intrinsicSize(QTextDocument* document, int position,
                                          const QTextFormat& format) {
  const QImage picture = PictureOf(document, format);
  const QPaintDevice* device = document->documentLayout()->paintDevice();
  if (picture.isNull() || picture.width() == 0 || picture.height() == 0 || device == nullptr) {
    return default_handler_->intrinsicSize(document, position, format);
  }
  // Qt's own handler scales by the screen's resolution, which is 96 dots
  // per inch only on some screens.
  const QSizeF shown = ShownPictureSize(format.toImageFormat(), picture);
  return {shown.width() * device->logicalDpiX() / kPictureDotsPerInch,
          shown.height() * device->logicalDpiY() / kPictureDotsPerInch};
}

void CrispPictureHandler::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document,
                                     int position, const QTextFormat& format) {
  const QImage picture = PictureOf(document, format);
  if (picture.isNull() || picture.depth() != 1) {
    default_handler_->drawObject(painter, rect, document, position, format);
    return;
  }
  const std::shared_ptr<const PictureDrawing> drawing = FindPictureDrawing(picture);
  if (drawing != nullptr && drawing->Size() == picture.size()) {
    Redraw(*painter, rect, *drawing);
    return;
  }
  DrawWholeDevicePixels(*painter, rect, picture);
}

void UseCrispPictures(QTextDocument& document) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  QTextObjectInterface* default_handler = layout->handlerForObject(QTextFormat::ImageObject);
  if (default_handler == nullptr) {
    return;
  }
  layout->registerHandler(QTextFormat::ImageObject,
                          new CrispPictureHandler(default_handler, layout));
}

}  // namespace fractions
