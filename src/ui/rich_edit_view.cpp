#include "rich_edit_view.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFont>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <new>

#include "richtext/document_text.h"
#include "richtext/plain_text_writer.h"
#include "richtext/qt_text.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace fractions {

namespace {

// Text with no font of its own (typed into an emptied view) shows in a
// fixed-width font, at the pixel height of the window's other texts.
QFont ViewFont() {
  QFont font("Liberation Mono");
  font.setPixelSize(11);
  return font;
}

}  // namespace

TRxRichEdit::TRxRichEdit(QWidget* parent) : QTextEdit(parent) {
  setFont(ViewFont());
  document()->setDefaultFont(ViewFont());
  setAcceptRichText(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  // Text only: no link activation, whatever a pasted document holds.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setReadOnly(true);
  setTabChangesFocus(true);
  setPlainText(QStringLiteral("     "));
  document()->setModified(false);
}

void TRxRichEdit::ClearView() {
  clear();
  document()->setModified(false);
}

void TRxRichEdit::SelectAllText() {
  selectAll();
}

QString TRxRichEdit::Text() const {
  return toPlainText();
}

int TRxRichEdit::TextLength() const {
  return DocumentTextLength(*document());
}

int TRxRichEdit::LineCount() const {
  return DocumentLineCount(*document());
}

void TRxRichEdit::SetEditable(bool editable) {
  setReadOnly(!editable);
  setTabChangesFocus(!editable);
  const auto selectable = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
  setTextInteractionFlags(editable ? Qt::TextEditorInteraction : selectable);
}

QTextCursor TRxRichEdit::StreamRange() const {
  if (selection_stream_mode_) {
    return textCursor();
  }
  QTextCursor whole(document());
  whole.select(QTextCursor::Document);
  return whole;
}

std::string TRxRichEdit::StreamOutRtf() const {
  return WriteRtf(StreamRange());
}

std::string TRxRichEdit::StreamOutPlainText() const {
  return WritePlainText(StreamRange());
}

void TRxRichEdit::mousePressEvent(QMouseEvent* event) {
  QTextEdit::mousePressEvent(event);
  emit MouseDown();
}

void TRxRichEdit::mouseReleaseEvent(QMouseEvent* event) {
  QTextEdit::mouseReleaseEvent(event);
  emit MouseUp();
}

void TRxRichEdit::dragEnterEvent(QDragEnterEvent* event) {
  bool accept = true;
  emit DragOver(accept);
  if (!accept) {
    event->ignore();
    return;
  }
  QTextEdit::dragEnterEvent(event);
}

void TRxRichEdit::dragMoveEvent(QDragMoveEvent* event) {
  bool accept = true;
  emit DragOver(accept);
  if (!accept) {
    event->ignore();
    return;
  }
  QTextEdit::dragMoveEvent(event);
}

void TRxRichEdit::dropEvent(QDropEvent* event) {
  QTextEdit::dropEvent(event);
  emit DragDrop();
}

void LoadRtfIntoView(TRxRichEdit& view, std::string_view rtf) {
  view.SetSelectionStreamMode(true);
  QTextCursor cursor = view.textCursor();
  if (const auto error = InsertRtf(cursor, rtf)) {
    // Not RTF after all: show the source as text, over the whole content.
    try {
      view.setPlainText(ToQString(rtf));
    } catch (const std::bad_alloc&) {
      throw LoadError("Erreur au chargement du flux");
    }
  }
  QTextCursor start(view.document());
  start.movePosition(QTextCursor::Start);
  view.setTextCursor(start);
  view.ensureCursorVisible();
}

}  // namespace fractions
