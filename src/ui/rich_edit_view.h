#pragma once

#include <QTextEdit>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "richtext/rtf_read_error.h"

namespace fractions {

// The rich-text view that shows one worksheet document (the subject or the
// answer key). The document lives in the view: saving, printing and the
// preview read it back from here, hand edits included.
//
// The view moves RTF in and out through a stream mode: once in selection
// mode, text streamed in replaces the selection and text streamed out is
// the selection.
class TRxRichEdit : public QTextEdit {
  Q_OBJECT

 public:
  explicit TRxRichEdit(QWidget* parent = nullptr);

  // Selection stream mode; set by every load and never cleared.
  bool SelectionStreamMode() const { return selection_stream_mode_; }
  void SetSelectionStreamMode(bool on) { selection_stream_mode_ = on; }

  // Empties the view and marks it unmodified.
  void ClearView();
  void SelectAllText();

  // The whole text (paragraphs separated by "\n"), its length in the units
  // of document positions, and its number of lines (an empty view has none).
  QString Text() const;
  int TextLength() const;
  int LineCount() const;

  // Edit mode: writable, with the Tab key typing a tab; otherwise read-only,
  // with the Tab key moving the focus.
  void SetEditable(bool editable);

  // The RTF of what the stream mode covers: the selection in selection
  // mode, otherwise the whole document.
  std::string StreamOutRtf() const;
  // The plain text (Windows-1252, CR LF) of the same range.
  std::string StreamOutPlainText() const;
  // The range itself.
  QTextCursor StreamRange() const;

 signals:
  // Mouse and drag notifications for the window's handlers: the mouse ones
  // come after the view has handled the event; DragOver comes before, and a
  // handler that clears `accept` refuses the drop.
  void MouseDown();
  void MouseUp();
  void DragOver(bool& accept);
  void DragDrop();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool selection_stream_mode_ = false;
};

// Thrown when a document can be shown neither as RTF nor as text.
class LoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Thrown for a document that cannot be read: "Erreur au chargement du
// flux", followed by the reason when a picture could not be read.
[[noreturn]] void ThrowLoadError(const RtfReadError& error);

// Loads an RTF document into the view, replacing the selection (the whole
// content, since the view has been cleared), and puts the caret at the
// start. The views show the worksheets this program makes: every picture
// must read, or no exercise line would show in its place. A document that
// does not read leaves the view empty and throws LoadError (see
// ThrowLoadError).
void LoadRtfIntoView(TRxRichEdit& view, std::string_view rtf);

// A document read from RTF as a view would hold it, with the view's font
// for text that has none of its own: it prints as a view's document does.
// Throws LoadError when the RTF or one of its pictures cannot be read.
std::unique_ptr<QTextDocument> DocumentAsViewed(std::string_view rtf);

}  // namespace fractions
