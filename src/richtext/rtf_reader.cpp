#include "rtf_reader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <atomic>

#include "keep_with_next.h"
#include "picture_drawings.h"
#include "rtf_parser.h"

namespace fractions {

namespace {

// Names are unique in the process, so content read twice into one document
// never replaces the pictures of the first reading.
QUrl NewPictureName() {
  static std::atomic<uint64_t> counter{0};
  return QUrl(QStringLiteral("rtf-picture:%1").arg(++counter));
}

void InsertPicture(QTextCursor& cursor, const RtfPicture& picture) {
  const QUrl name = NewPictureName();
  cursor.document()->addResource(QTextDocument::ImageResource, name, picture.image);
  // A picture this program drew prints from its drawing for as long as the
  // document shows it.
  KeepPictureDrawing(*cursor.document(), name, picture.image);
  QTextImageFormat format;
  format.setName(name.toString());
  format.setWidth(picture.width);
  format.setHeight(picture.height);
  cursor.insertImage(format);
}

void InsertContent(QTextCursor& cursor, const RtfContent& content) {
  for (const RtfItem& item : content.items) {
    if (const auto* run = std::get_if<RtfTextRun>(&item)) {
      cursor.insertText(run->text, run->format);
    } else if (const auto* picture = std::get_if<RtfPicture>(&item)) {
      InsertPicture(cursor, *picture);
    } else {
      const RtfParagraphEnd& end = std::get<RtfParagraphEnd>(item);
      if (cursor.atBlockStart() && cursor.block().length() <= 1) {
        cursor.setBlockCharFormat(end.mark);  // an empty paragraph: its mark sets its height
      }
      // The next paragraph starts with the same format, so that a last
      // empty paragraph is as tall as the others; whether it keeps with the
      // one after it is told by its own end, and the text of a paragraph
      // the content went into keeps the format it had.
      QTextBlockFormat next = cursor.blockFormat();
      next.setPageBreakPolicy(end.page_break ? QTextFormat::PageBreak_AlwaysBefore
                                             : QTextFormat::PageBreak_Auto);
      QTextBlockFormat ending = cursor.blockFormat();
      SetKeepWithNext(ending, end.keep_with_next);
      cursor.setBlockFormat(ending);
      cursor.insertBlock(next, end.mark);
    }
  }
}

}  // namespace

std::optional<RtfReadError> InsertRtf(QTextCursor& cursor, std::string_view rtf,
                                      PictureReading pictures) {
  auto parsed = ParseRtf(rtf, pictures);
  if (auto* error = std::get_if<RtfReadError>(&parsed)) {
    return std::move(*error);
  }
  if (cursor.isNull()) {
    return std::nullopt;  // no document to put the content in
  }
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  InsertContent(cursor, std::get<RtfContent>(parsed));
  cursor.endEditBlock();
  return std::nullopt;
}

}  // namespace fractions
