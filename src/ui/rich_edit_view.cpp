#include "rich_edit_view.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFont>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

#include "richtext/document_text.h"
#include "richtext/plain_text_writer.h"
#include "richtext/qt_text.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace fractions {

namespace {

// Text with no font of its own (typed into an emptied view, or the blank
// lines of a document that gives them no size) shows in a fixed-width font
// as tall as the window's other texts: 11 pixels on a 96-dpi screen. In
// points, so that it prints at that size too: a pixel size would be a
// device pixel, 0.7 point on a 1200-dpi printer.
QFont ViewFont() {
  QFont font("Liberation Mono");
  font.setPointSizeF(8.25);
  return font;
}

// A selection shows only in the view that has the focus: the whole text
// stays selected after saving, without two blue pages on screen. No brush
// at all, not a transparent colour, keeps pictures from being greyed.
void HideSelectionWithoutFocus(QTextEdit& view) {
  QPalette palette = view.palette();
  palette.setBrush(QPalette::Inactive, QPalette::Highlight, QBrush());
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Inactive, QPalette::Text));
  view.setPalette(palette);
}

}  // namespace

TRxRichEdit::TRxRichEdit(QWidget* parent) : QTextEdit(parent) {
  setFont(ViewFont());
  document()->setDefaultFont(ViewFont());
  HideSelectionWithoutFocus(*this);
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

void ThrowLoadError(const RtfReadError& error) {
  std::string message = "Erreur au chargement du flux";
  if (error.kind == RtfReadError::Kind::kUnreadablePicture) {
    message += " : " + ReadErrorInFrench(error);
  }
  throw LoadError(message);
}

void LoadRtfIntoView(TRxRichEdit& view, std::string_view rtf) {
  view.SetSelectionStreamMode(true);
  QTextCursor cursor = view.textCursor();
  if (const auto error = InsertRtf(cursor, rtf, PictureReading::kAllOrError)) {
    // A document that does not read is never shown as its source: a
    // teacher would print a page of RTF words. The view stays empty.
    view.ClearView();
    ThrowLoadError(*error);
  }
  QTextCursor start(view.document());
  start.movePosition(QTextCursor::Start);
  view.setTextCursor(start);
  view.ensureCursorVisible();
}

std::unique_ptr<QTextDocument> DocumentAsViewed(std::string_view rtf) {
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(ViewFont());
  QTextCursor cursor(document.get());
  if (const auto error = InsertRtf(cursor, rtf, PictureReading::kAllOrError)) {
    ThrowLoadError(*error);
  }
  return document;
}

}  // namespace fractions
