#pragma once

#include <QString>
#include <optional>
#include <stdexcept>
#include <string>

namespace fractions {

// A file that could not be written; the message (UTF-8, French) names it.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the subject to BASE.rtf and the answer key to BASE_Cor.rtf, and
// with `pdf_margin_mm` also BASE.pdf and BASE_Cor.pdf (A4 pages with those
// margins), through the
// program's file writer (files/staged_file.h): every file is written whole
// beside its target first, and only once all of them are on the disk do
// they take their names. A failure (a full disk, a link planted by another
// user) leaves every old file as it was and throws FileWriteError naming the
// file and the reason in French ("disque plein", ...).
void WriteDocumentFiles(const QString& base, const std::string& subject,
                        const std::string& answer_key, std::optional<int> pdf_margin_mm);

}  // namespace fractions
