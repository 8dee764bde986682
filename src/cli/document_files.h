#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "output/pdf_output.h"

namespace fractions {

// A file that could not be written; the message (French) names it, with the
// name's bytes as they are.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the subject to BASE.rtf and the answer key to BASE_Cor.rtf, and
// with `pdf` also BASE.pdf and BASE_Cor.pdf (A4 pages with its margins), as
// one set through the program's file writer
// (files/file_set.h): every file is written whole beside its target first,
// and only once all of them are on the disk, and every target checked, do
// they take their names. A failure (a full disk, a link planted by another
// user, a folder or a pipe at one of the names) leaves every old file as it
// was and throws FileWriteError naming the file and the reason in French
// ("disque plein", ...). `base` is a path's bytes, kept as they are: a name
// that is not UTF-8 is written as typed.
void WriteDocumentFiles(const std::string& base, const std::string& subject,
                        const std::string& answer_key, const std::optional<PdfSettings>& pdf);

}  // namespace fractions
