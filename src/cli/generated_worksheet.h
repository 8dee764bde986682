#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "worksheet/sheet_build.h"

namespace fractions {

// One worksheet as the generator made it: what was asked (one exercise, or
// several on one sheet) and the documents with their questions.
struct GeneratedWorksheet {
  Sheet sheet;
  uint32_t seed = 0;
  SheetDocuments documents;
};

// Seeds a generator with `seed` and builds the sheet as the exercise
// buttons do: the document name takes the first two draws, the questions
// of each exercise the next ones in turn. Needs a QGuiApplication.
GeneratedWorksheet GenerateWorksheet(const Sheet& sheet, uint32_t seed);

// A class set of `count` different worksheets, the first drawn from `seed`
// and each next one from the next seed that gives a new worksheet (see
// BuildClassSet), marked "Sujet k/count" and "Corrigé k/count".
std::vector<GeneratedWorksheet> GenerateVariants(const Sheet& sheet, uint32_t seed, int count);

// One JSON object. A worksheet of one exercise: name, type, max, count,
// seed, the options it was drawn with when `with_options`, and the
// questions; a sheet of several: name, seed and "exercises", each with its
// type, max, count, instruction, options and questions. With a set, also
// "variants": name, seed and questions (or exercises) of each worksheet.
void WriteJson(std::ostream& out, const GeneratedWorksheet& worksheet, bool with_options,
               const std::vector<GeneratedWorksheet>& variants = {});

// One question's JSON object, on one line: its numbers, its result's mixed
// form, its key, its answer as printed where its kind writes one, its
// worked steps when asked.
void WriteQuestionObject(std::ostream& out, const QuestionListing& question);

// A readable listing: the name, then one numbered question per line with
// its answer; on a sheet of several exercises, each under "Exercice k".
void WriteText(std::ostream& out, const GeneratedWorksheet& worksheet);

}  // namespace fractions
