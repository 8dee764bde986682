#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "drawing/drawing_phase.h"
#include "pictures/line_images.h"
#include "worksheet_build.h"

// A worksheet's two documents put together from their pieces, in RTF
// (Windows-1252 bytes): the header, then each exercise with its
// instruction and its lines. A worksheet of one exercise and a sheet of
// several come from the same pieces, so that the one stays what it always
// was.
namespace fractions {

// The two documents of a worksheet, or the same piece of each.
struct DocumentPair {
  std::string subject;
  std::string answer_key;
};

// One exercise as the documents take it: what it drew and how it is
// written.
struct ExerciseContent {
  const QuestionSet& questions;
  const WorksheetSettings& settings;
};

// Where the first exercise's instruction begins in each document, in
// bytes: the place of its heading "Exercice 1" once a second exercise joins
// it.
struct InstructionPlaces {
  size_t subject = 0;
  size_t answer_key = 0;
};

// Both documents, each one closed group: the document name, its place in a
// set ("Sujet k/n", "Corrigé k/n") and the title, in the sizes of the first
// exercise's settings; then each exercise in turn, from the second on after
// a blank line, with its heading "Exercice k" when there are two or more,
// its instruction and its questions numbered from 1. Needs a
// QGuiApplication for the fonts.
DocumentPair ComposeDocuments(const std::string& name, std::optional<SetMark> mark,
                              std::span<const ExerciseContent> exercises, LineImages& images,
                              InstructionPlaces* first_instruction = nullptr);

// Exercise `rank` (2 or more) of a sheet, as it follows the last line of the
// one before it: a whole RTF document for each view, to be read in at the
// end of what the view holds. It sets every format it uses, so that it
// reads the same there as inside the sheet's documents.
DocumentPair AppendedExerciseDocuments(const ExerciseContent& exercise, int rank,
                                       LineImages& images);

// The heading "Exercice `rank`" as a whole RTF document of one paragraph,
// to be read in before an instruction already shown; it changes no format
// of what follows it.
std::string HeadingDocument(int rank, const WorksheetSettings& settings);

}  // namespace fractions
