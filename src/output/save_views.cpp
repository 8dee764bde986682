#include "save_views.h"

#include <QFile>
#include <vector>

#include "files/file_errors.h"
#include "files/file_set.h"
#include "richtext/plain_text_writer.h"
#include "richtext/rtf_writer.h"

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

// "Impossible de créer le fichier <name> (disque plein)" when the file could
// not be made or take its name, "Erreur à l'enregistrement du flux dans
// <name> (...)" when writing its content failed.
std::string FailureMessage(const QString& file_name, const WriteFailure& failure) {
  const std::string reason = " (" + FrenchErrorText(failure.error) + ")";
  switch (failure.step) {
    case WriteStep::kCreate:
      return "Impossible de créer le fichier " + file_name.toStdString() + reason;
    case WriteStep::kWrite:
      return "Erreur à l'enregistrement du flux dans " + file_name.toStdString() + reason;
  }
  return {};
}

}  // namespace

QString SubjectFileName(const QString& chosen) {
  return ExtensionStart(chosen) >= 0 ? chosen : chosen + ".rtf";
}

QString AnswerKeyFileName(const QString& subject_file) {
  const qsizetype dot = ExtensionStart(subject_file);
  return (dot >= 0 ? subject_file.left(dot) : subject_file) + "_Cor.rtf";
}

std::string SavedBytes(const QTextCursor& range, const QString& file_name) {
  return IsPlainTextName(file_name) ? WritePlainText(range) : WriteRtf(range);
}

void SaveWorksheet(const SavedRange& subject, const SavedRange& answer_key, const QString& chosen) {
  const QString subject_file = SubjectFileName(chosen);
  const QString names[] = {subject_file, AnswerKeyFileName(subject_file)};
  const std::string bytes[] = {SavedBytes(subject(), names[0]), SavedBytes(answer_key(), names[1])};
  const std::vector<FileContent> files = {{QFile::encodeName(names[0]).toStdString(), bytes[0]},
                                          {QFile::encodeName(names[1]).toStdString(), bytes[1]}};
  if (const auto failure = WriteFileSet(files)) {
    throw SaveError(FailureMessage(names[failure->file], failure->failure));
  }
}

}  // namespace fractions
