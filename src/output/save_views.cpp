#include "save_views.h"

#include <QFileInfo>
#include <QSaveFile>

#include "richtext/rich_edit_view.h"

namespace fractions {

namespace {

// The extension is what follows the last full stop of the file-name part
// (a full stop in a folder name does not count).
qsizetype ExtensionStart(const QString& file_name) {
  const qsizetype name_start = file_name.lastIndexOf('/') + 1;
  const qsizetype dot = file_name.lastIndexOf('.');
  return dot >= name_start ? dot : -1;
}

bool IsPlainTextName(const QString& file_name) {
  const qsizetype dot = ExtensionStart(file_name);
  return dot >= 0 && file_name.mid(dot + 1).compare("txt", Qt::CaseInsensitive) == 0;
}

[[noreturn]] void CannotCreate(const QString& file_name) {
  throw SaveError("Impossible de créer le fichier " + file_name.toStdString());
}

}  // namespace

QString SubjectFileName(const QString& chosen) {
  return ExtensionStart(chosen) >= 0 ? chosen : chosen + ".rtf";
}

QString AnswerKeyFileName(const QString& subject_file) {
  const qsizetype dot = ExtensionStart(subject_file);
  return (dot >= 0 ? subject_file.left(dot) : subject_file) + "_Cor.rtf";
}

void WriteViewToFile(TRxRichEdit& view, const QString& file_name) {
  view.SelectAllText();
  const std::string bytes =
      IsPlainTextName(file_name) ? view.StreamOutPlainText() : view.StreamOutRtf();
  QSaveFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) {
    CannotCreate(file_name);
  }
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    throw SaveError("Erreur à l'enregistrement du flux");
  }
  if (!file.commit()) {
    // The whole file was written but could not take the name's place.
    CannotCreate(file_name);
  }
}

void SaveWorksheet(TRxRichEdit& subject, TRxRichEdit& answer_key, const QString& chosen) {
  const QString subject_file = SubjectFileName(chosen);
  WriteViewToFile(subject, subject_file);
  WriteViewToFile(answer_key, AnswerKeyFileName(subject_file));
}

}  // namespace fractions
