#pragma once

#include <QPrinter>
#include <QString>
#include <QTextDocument>
#include <memory>
#include <stdexcept>

namespace fractions {

// Printing cannot start; the message is for the error box.
class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The system's default printer, set up to print on its whole printable
// area. Throws PrintError("Aucune imprimante par défaut sélectionnée") when
// the system has none.
std::unique_ptr<QPrinter> DefaultPrinter();

// Prints the whole document as one job titled `title`, page by page on the
// printable area, with nothing added: no margin, header or page number.
void PrintDocument(const QTextDocument& document, QPrinter& printer, const QString& title);

// A class set: `subject_copies` jobs "Sujet", then `answer_copies` jobs
// "Corrigé", one job per copy. Nothing at all when the subject has no line.
void PrintClassSet(const QTextDocument& subject, const QTextDocument& answer_key,
                   int subject_copies, int answer_copies, QPrinter& printer);

}  // namespace fractions
