#pragma once

#include <QString>
#include <stdexcept>
#include <string>

namespace fractions {

// A file that could not be written; the message (UTF-8, French) names it.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the subject to BASE.rtf and the answer key to BASE_Cor.rtf, and
// with `pdf` also BASE.pdf and BASE_Cor.pdf (A4 pages). Every file goes
// through a temporary file renamed over its target only once all of them
// are fully written, so a failure leaves no partial file and keeps what was
// there.
void WriteDocumentFiles(const QString& base, const std::string& subject,
                        const std::string& answer_key, bool pdf);

}  // namespace fractions
