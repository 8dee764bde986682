#pragma once

#include <QString>
#include <QTextCursor>
#include <functional>
#include <stdexcept>
#include <string>

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

// A document to save: called once, before either file is written, it
// selects the whole document where it is shown and gives the range to
// write.
using SavedRange = std::function<QTextCursor()>;

// The bytes a range is saved as: plain text for a ".txt" name (any letter
// case), RTF for any other.
std::string SavedBytes(const QTextCursor& range, const QString& file_name);

// Saves the subject under the chosen name and the answer key beside it as
// one set, through the program's file writer (files/file_set.h): both files
// are written whole beside their targets before either takes its name, so
// that a failure (a full disk, a folder standing at the answer key's name,
// a symbolic link another user planted) leaves both old files as they were,
// never a new subject beside an old answer key. Throws SaveError naming the
// file that failed: "Impossible de créer le fichier <name> (<reason>)" when
// it cannot be created or replaced, "Erreur à l'enregistrement du flux dans
// <name> (<reason>)" when writing it fails; the reason in French ("disque
// plein", ...).
void SaveWorksheet(const SavedRange& subject, const SavedRange& answer_key, const QString& chosen);

}  // namespace fractions
