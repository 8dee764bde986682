#include "document_pages.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "picture_drawings.h"

namespace fractions {

void AppendOnNewPage(QTextDocument& set, const QTextDocument& document) {
  QTextCursor cursor(&set);
  cursor.movePosition(QTextCursor::End);
  cursor.insertBlock(QTextBlockFormat(), document.begin().charFormat());
  const int start = cursor.position();
  cursor.insertFragment(QTextDocumentFragment(&document));
  // The fragment brings its first paragraph's format: the page break goes
  // on after it.
  QTextBlockFormat page;
  page.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  QTextCursor(set.findBlock(start)).mergeBlockFormat(page);
  // Pictures are resources of their document (each named once in the
  // program): they come along with the text, and so do their drawings.
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isImageFormat()) {
        const QUrl name(format.toImageFormat().name());
        set.addResource(QTextDocument::ImageResource, name,
                        document.resource(QTextDocument::ImageResource, name));
        CopyKeptPictureDrawing(document, set, name);
      }
    }
  }
}

bool MarkHeader(QTextDocument& document, const QString& prefix, const QString& mark) {
  if (prefix.isEmpty() || !document.begin().text().startsWith(prefix)) {
    return false;
  }
  QTextCursor cursor(&document);
  cursor.setPosition(static_cast<int>(prefix.size()));
  cursor.insertText(mark, cursor.charFormat());
  return true;
}

}  // namespace fractions
