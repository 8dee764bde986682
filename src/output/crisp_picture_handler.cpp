#include "crisp_picture_handler.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>
#include <cmath>

namespace fractions {

namespace {

QImage PictureOf(QTextDocument* document, const QTextFormat& format) {
  const QVariant resource =
      document->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
  return resource.value<QImage>();
}

}  // namespace

CrispPictureHandler::CrispPictureHandler(QTextObjectInterface* default_handler, QObject* parent)
    : QObject(parent), default_handler_(default_handler) {}

QSizeF CrispPictureHandler::intrinsicSize(QTextDocument* document, int position,
                                          const QTextFormat& format) {
  return default_handler_->intrinsicSize(document, position, format);
}

void CrispPictureHandler::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document,
                                     int position, const QTextFormat& format) {
  const QImage picture = PictureOf(document, format);
  if (picture.isNull() || picture.depth() != 1) {
    default_handler_->drawObject(painter, rect, document, position, format);
    return;
  }
  // Device pixels per picture pixel, rounded down to a whole number.
  const double scale = std::min(rect.width() / picture.width(), rect.height() / picture.height());
  const double whole = std::max(1.0, std::floor(scale + 1e-6));
  const QRectF target(QPointF(std::round(rect.left()), std::round(rect.top())),
                      QSizeF(picture.width() * whole, picture.height() * whole));
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter->drawImage(target, picture);
  painter->restore();
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
