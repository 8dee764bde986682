#include "worksheet_build.h"

#include <algorithm>
#include <stdexcept>

#include "document_name.h"
#include "line_layouts.h"
#include "richtext/confined_rtf.h"
#include "richtext/markup.h"
#include "richtext/rtf_prologue.h"
#include "rtf_picture.h"

namespace fractions {

namespace {

constexpr std::string_view kParagraph = "\\par ";

// A text the teacher typed, as RTF that cannot reach outside itself (see
// ConfineRtf): converted and checked on its own, before it joins the header.
std::string TypedTextRtf(const std::string& markup) {
  return ConfineRtf(MarkupToRtf(markup));
}

std::string SizeTag(int half_points) {
  return "<te=" + std::to_string(half_points) + ">";
}

// The size tag of a part of the header that follows one of size `before`:
// none when the size stays, so that the standard header, one size
// throughout, sets it once.
std::string SizeChange(int before, int half_points) {
  return before == half_points ? std::string() : SizeTag(half_points);
}

// The document name and its place ("", " - Sujet 2/5", " - <b>Corrigé</b>"),
// then the title, on the same line or the next; the instruction after a
// blank line. The rest of the document (the separators, the blank lines)
// keeps the instruction's size; where that differs from the title's (large
// print) it is set again after the instruction, so that a size the
// teacher typed in the instruction stays there.
std::string Header(const std::string& name, const std::string& place,
                   const WorksheetSettings& settings, const DocumentSizes& sizes) {
  const int header = sizes.header_half_points;
  const int title = sizes.title_half_points;
  const int text = sizes.text_half_points;
  const std::string before_title = sizes.title_on_own_line ? "<br>" : " - ";
  std::string rtf = MarkupToRtf(std::string(kRtfPrologue) + "<arial>" + SizeTag(header) + name +
                                place + before_title + SizeChange(header, title) + "<u>");
  rtf += TypedTextRtf(settings.title);
  rtf += MarkupToRtf("</u><br>" + SizeChange(title, text) + "<br><b>");
  rtf += TypedTextRtf(settings.instruction);
  // "<b>", not "</b>": bold stays on, so the separator lines are bold too.
  rtf += MarkupToRtf("<b>" + SizeChange(title, text) + "<br><br>");
  return rtf;
}

// A long separator of one character repeated (the window's 123 dashes) is
// a rule drawn across the page, not words: set larger, it keeps its length
// on the page rather than its number of characters, which at 14 points
// would run past the margin onto a second line under every question. A
// short one (40 characters at most: it fits at 14 points whatever the
// character), words and tagged text stay as typed.
std::string SeparatorText(const std::string& separator, const DocumentSizes& sizes) {
  constexpr size_t kShortRule = 40;
  const bool long_rule = separator.size() > kShortRule && separator.front() != '<' &&
                         separator.find_first_not_of(separator.front()) == std::string::npos;
  if (!long_rule || sizes.text_half_points <= kStandardSizes.text_half_points) {
    return separator;
  }
  const size_t kept = separator.size() * static_cast<size_t>(kStandardSizes.text_half_points) /
                      static_cast<size_t>(sizes.text_half_points);
  return std::string(kept, separator.front());
}

void CheckSpacing(int32_t spacing) {
  if (spacing < kSpacingRange.min || spacing > kSpacingRange.max) {
    throw std::out_of_range("spacing " + std::to_string(spacing) + " outside " +
                            std::to_string(kSpacingRange.min) + ".." +
                            std::to_string(kSpacingRange.max));
  }
}

}  // namespace

std::string WorksheetSettings::DefaultTitle() {
  return "Nom :" + std::string(23, ' ') + "Pr\xE9nom :" + std::string(29, ' ') + "Classe :";
}

std::string WorksheetSettings::DefaultInstruction() {
  return "Calculer (r\xE9ponse irr\xE9"
         "ductible)";
}

std::string WorksheetSettings::DefaultSeparator() {
  return std::string(123, '-');
}

void CheckWorksheetSettings(const WorksheetSettings& settings) {
  CheckDrawingSettings(settings.largest_term, settings.count);
  CheckSpacing(settings.spacing);
}

DrawnWorksheet DrawWorksheet(ExerciseType type, const WorksheetSettings& settings,
                             RandomSource& random, QuestionTable& table) {
  CheckWorksheetSettings(settings);
  DrawnWorksheet drawn;
  drawn.name = MakeDocumentName(type, random);
  DrawingContext context{random, table};
  drawn.questions =
      RunDrawingPhase(type, settings.largest_term, settings.count, context, settings.options);
  return drawn;
}

WorksheetDocuments ComposeWorksheet(DrawnWorksheet drawn, const WorksheetSettings& settings,
                                    LineImages& images, std::optional<SetMark> mark) {
  CheckWorksheetSettings(settings);
  const DocumentSizes& sizes = SizesFor(settings.options.large_print);
  images.SetScale(sizes.pictures);
  WorksheetDocuments documents;
  documents.name = std::move(drawn.name);
  documents.questions = std::move(drawn.questions);
  const std::string place =
      mark ? " " + std::to_string(mark->index) + "/" + std::to_string(mark->count) : "";
  documents.subject =
      Header(documents.name, mark ? " - Sujet" + place : std::string(), settings, sizes);
  documents.answer_key =
      Header(documents.name, " - <b>Corrig\xE9" + place + "</b>", settings, sizes);
  const int32_t blank_lines = settings.spacing * sizes.spacing_factor;

  const std::string separator =
      settings.separator_on
          ? TypedTextRtf(SeparatorText(settings.separator, sizes)) + MarkupToRtf("<br>")
          : std::string();
  const int count = static_cast<int>(QuestionCount(documents.questions));
  for (int number = 1; number <= count; ++number) {
    ComposeQuestionLine(images, documents.questions, number);
    documents.subject += separator;
    documents.subject += BitmapToRtfPict(images.ImaQuest);
    documents.subject += kParagraph;
    if (number < count) {
      for (int32_t blank = 0; blank < blank_lines; ++blank) {
        documents.subject += kParagraph;
      }
    }
    documents.answer_key += separator;
    if (images.worked.empty()) {
      documents.answer_key += BitmapToRtfPict(images.ImaRep);
      documents.answer_key += kParagraph;
    }
    for (LineImage& picture : images.worked) {
      documents.answer_key += BitmapToRtfPict(picture);
      documents.answer_key += kParagraph;
    }
  }
  documents.subject += "}";
  documents.answer_key += "}";
  return documents;
}

WorksheetDocuments BuildWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                  WorksheetTools& tools, std::optional<SetMark> mark) {
  return ComposeWorksheet(DrawWorksheet(type, settings, tools.random, tools.table), settings,
                          tools.images, mark);
}

WorksheetDocuments BuildSeededWorksheet(ExerciseType type, const WorksheetSettings& settings,
                                        uint32_t seed, std::optional<SetMark> mark) {
  LcgRandom random(seed);
  QuestionTable table;
  LineImages images;
  WorksheetTools tools{random, table, images};
  return BuildWorksheet(type, settings, tools, mark);
}

}  // namespace fractions
