#pragma once

#include <QString>
#include <QTextCursor>
#include <functional>
#include <stdexcept>

namespace fractions {

// A file that could not be written; the message (French, for the error box)
// says which.
class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The subject's file: the chosen name, with ".rtf" added when it has no
// extension ("feuille" -> "feuille.rtf"; "feuille.doc" stays).
QString SubjectFileName(const QString& chosen);

// The answer key's file beside it: the subject's name without its
// extension, then "_Cor.rtf" ("feuille12.rtf" -> "feuille12_Cor.rtf").
QString AnswerKeyFileName(const QString& subject_file);

// A document to save: called once, just before its file is written, it
// selects the whole document where it is shown and gives the range to
// write.
using SavedRange = std::function<QTextCursor()>;

// Writes the range: plain text for a ".txt" name (any letter case), RTF for
// any other, through the program's file writer (files/staged_file.h): the
// file is replaced only once the new one is whole on the disk, so a failure
// (a full disk, say) leaves the old file as it was, and a symbolic link
// another user planted is not followed. Throws SaveError: "Impossible de
// créer le fichier <name> (<reason>)" when the file cannot be created or
// replaced, "Erreur à l'enregistrement du flux dans <name> (<reason>)" when
// writing it fails; the reason in French ("disque plein", ...).
void WriteRangeToFile(const QTextCursor& range, const QString& file_name);

// Saves the subject under the chosen name and the answer key beside it,
// each file whole or untouched on its own. When the subject cannot be
// written, the answer key is not written either; when the answer key fails,
// the subject stays saved.
void SaveWorksheet(const SavedRange& subject, const SavedRange& answer_key, const QString& chosen);

}  // namespace fractions
