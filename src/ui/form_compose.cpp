// "Ajouter à la suite": a sheet of several exercises built in the views, a
// teacher's test of, say, additions, simplifications and reductions, each
// under its heading "Exercice k". Each exercise is appended to what the
// views hold, so that hand edits stay; the first one gets its heading when
// the second joins it.
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

#include "form.h"
#include "richtext/keep_with_next.h"
#include "richtext/rtf_reader.h"

namespace fractions {

namespace {

// Reads `rtf` without inserting it, so that nothing changes unless every
// document of a change reads.
void CheckReads(std::string_view rtf) {
  QTextCursor nowhere;
  if (const auto error = InsertRtf(nowhere, rtf, PictureReading::kAllOrError)) {
    ThrowLoadError(*error);
  }
}

// Appends a document to a view, after its last line: a line typed there
// by hand stays a line of its own. The view scrolls to what came, at its
// top.
void AppendToView(TRxRichEdit& view, std::string_view rtf) {
  QTextCursor end(view.document());
  end.movePosition(QTextCursor::End);
  if (!end.block().text().isEmpty()) {
    end.insertBlock();
  }
  const int start = end.position();
  InsertRtf(end, rtf);
  QTextCursor shown(view.document());
  shown.setPosition(start);
  view.setTextCursor(shown);
  // The layout of the new lines is finished lazily; the scroll needs it now.
  QAbstractTextDocumentLayout* layout = view.document()->documentLayout();
  static_cast<void>(layout->documentSize());
  view.verticalScrollBar()->setValue(
      static_cast<int>(layout->blockBoundingRect(shown.block()).top()));
}

// Puts a heading in before the paragraph `place` stands in, and keeps the
// instruction there with its first question, as under the headings that
// follow.
void InsertHeading(QTextCursor place, std::string_view rtf) {
  place.clearSelection();
  place.movePosition(QTextCursor::StartOfBlock);
  InsertRtf(place, rtf);
  KeepWithNextUntilPicture(place);
}

QString Refusal(const QString& reason) {
  return QStringLiteral("« Ajouter à la suite » : ") + reason;
}

}  // namespace

QTextCursor TForm1::CursorAfter(TRxRichEdit& view, const std::string& rtf, size_t bytes) {
  // The first bytes of a document read alone end where they end in the
  // view, which read the whole document from its start.
  QTextDocument alone;
  QTextCursor end(&alone);
  if (InsertRtf(end, rtf.substr(0, bytes) + "}")) {
    throw LoadError("Erreur au chargement du flux");
  }
  QTextCursor place(view.document());
  place.setPosition(std::min(end.position(), view.TextLength()));
  return place;
}

bool TForm1::ViewsHoldSheet() const {
  const auto holds_picture = [](const TRxRichEdit& view) {
    return view.Text().contains(QChar::ObjectReplacementCharacter);
  };
  return sheet_.has_value() && holds_picture(*RxE1) && holds_picture(*RxE2);
}

void TForm1::CheckRoomFor(const Exercise& exercise) const {
  if (static_cast<int>(sheet_->sheet.size()) >= kMaxExercises) {
    throw SheetTooLarge(
        Refusal(QStringLiteral("une feuille a au plus %1 exercices").arg(kMaxExercises))
            .toStdString());
  }
  int questions = 0;
  for (const Exercise& present : sheet_->sheet) {
    questions += present.settings.count;
  }
  if (questions + exercise.settings.count > kMaxSheetQuestions) {
    throw SheetTooLarge(Refusal(QStringLiteral("une feuille a au plus %1 questions en tout ; "
                                               "celle-ci en a %2, et l'exercice en ajouterait %3")
                                    .arg(kMaxSheetQuestions)
                                    .arg(questions)
                                    .arg(exercise.settings.count))
                            .toStdString());
  }
}

void TForm1::AppendExercise(const Exercise& exercise) {
  SheetRecord& record = *sheet_;
  const int rank = static_cast<int>(record.sheet.size()) + 1;
  QuestionSet questions = DrawExercise(exercise, random_, question_table_);
  const DocumentPair appended =
      AppendedExerciseDocuments({questions, exercise.settings}, rank, line_images_);
  const std::string first_heading =
      rank == 2 ? HeadingDocument(1, record.sheet.front().settings) : std::string();
  // Never half an exercise: every piece reads before any goes in.
  for (const std::string* rtf : {&appended.subject, &appended.answer_key, &first_heading}) {
    if (!rtf->empty()) {
      CheckReads(*rtf);
    }
  }
  if (rank == 2) {
    InsertHeading(record.subject_heading, first_heading);
    InsertHeading(record.answer_key_heading, first_heading);
  }
  AppendToView(*RxE1, appended.subject);
  AppendToView(*RxE2, appended.answer_key);
  record.sheet.push_back(exercise);
  record.questions.push_back(std::move(questions));
}

}  // namespace fractions
