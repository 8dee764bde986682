#include "document_parts.h"

#include "pictures/line_layouts.h"
#include "pictures/print_sizes.h"
#include "pictures/rtf_picture.h"
#include "richtext/confined_rtf.h"
#include "richtext/markup.h"
#include "richtext/rtf_prologue.h"

namespace fractions {

namespace {

constexpr std::string_view kParagraph = "\\par ";

// On a sheet of several exercises an exercise's heading, its instruction
// and the lines up to its first question keep with the next paragraph, so
// that no page ends between a heading and its first question. A question
// keeps together too: its separator and, in a worked key, every row of its
// calculation but the last keep with the next, so that no page ends under
// a separator or opens with the "= ..." of a calculation begun on the page
// before. The question's last picture goes under \pard, which ends the run.
constexpr std::string_view kKeepWithNext = "\\keepn ";
constexpr std::string_view kEndKeepWithNext = "\\pard ";

// Writes \keepn or \pard where the paragraphs to come change from kept
// to not kept or back, and nothing where they stay as they are.
class KeptParagraphs {
 public:
  KeptParagraphs(std::string& rtf, bool keeping) : rtf_(rtf), keeping_(keeping) {}

  void Keep(bool keep) {
    if (keep != keeping_) {
      rtf_ += keep ? kKeepWithNext : kEndKeepWithNext;
      keeping_ = keep;
    }
  }

 private:
  std::string& rtf_;
  bool keeping_;
};

// A text the teacher typed, as RTF that cannot reach outside itself (see
// ConfineRtf): converted and checked on its own, before it joins the header.
// Whatever its tags and control words open (a size, a colour, bold, a font,
// hidden text, ...) ends with it: it stands in a group of its own, and the
// paragraph it ends on, as the lines after it, takes the formats the
// document set before it, in every reader. A text without a control word
// opens nothing and goes in as it is.
std::string TypedTextRtf(const std::string& markup) {
  std::string rtf = ConfineRtf(MarkupToRtf(markup));
  if (rtf.find('\\') == std::string::npos) {
    return rtf;
  }
  return "{" + rtf + "}";
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

// The prologue, the document name and its place ("", " - Sujet 2/5", " -
// <b>Corrigé</b>"), the title on the same line or the next, then a blank
// line; the document's group stays open.
std::string HeaderRtf(const std::string& name, const std::string& place,
                      const WorksheetSettings& settings, const DocumentSizes& sizes) {
  const int header = sizes.header_half_points;
  const int title = sizes.title_half_points;
  const std::string before_title = sizes.title_on_own_line ? "<br>" : " - ";
  std::string rtf = MarkupToRtf(std::string(kRtfPrologue) + "<arial>" + SizeTag(header) + name +
                                place + before_title + SizeChange(header, title) + "<u>");
  rtf += TypedTextRtf(settings.title);
  rtf += MarkupToRtf("</u><br>" + SizeChange(title, sizes.text_half_points) + "<br>");
  return rtf;
}

// The instruction in bold, then a blank line. The rest of the exercise (the
// separators, the blank lines) keeps the program's bold and the text size;
// where that differs from the title's (large print) it is set again after
// the instruction. What the teacher typed in the instruction stays there
// (see TypedTextRtf).
std::string InstructionRtf(const WorksheetSettings& settings, const DocumentSizes& sizes) {
  std::string rtf = MarkupToRtf("<b>");
  rtf += TypedTextRtf(settings.instruction);
  // "<b>", not "</b>": bold stays on, so the separator lines are bold too.
  rtf +=
      MarkupToRtf("<b>" + SizeChange(sizes.title_half_points, sizes.text_half_points) + "<br><br>");
  return rtf;
}

// "Exercice k", bold Arial at the heading size, kept with the next
// paragraph, a paragraph in a group of its own: it changes no format of
// what follows it, so that it can go in before an instruction already
// written.
std::string HeadingRtf(int rank, const DocumentSizes& sizes) {
  return "{\\plain " + std::string(kKeepWithNext) +
         MarkupToRtf("<arial>" + SizeTag(sizes.heading_half_points) + "<b>Exercice " +
                     std::to_string(rank) + "<br>") +
         "}";
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

// Between the last line of an exercise and the heading of the next: the
// formats set again from nothing, as a new document starts, then a blank
// line.
std::string BreakRtf(const DocumentSizes& sizes) {
  return "\\pard\\plain " + MarkupToRtf("<arial>" + SizeTag(sizes.text_half_points) + "<b><br>");
}

// Every question with its separator line and its picture (the question in
// the subject, the answer line or the worked pictures in the key), and the
// blank lines between two questions of the subject. `kept`: the paragraphs
// before the first question keep with the next.
void AppendQuestionLines(DocumentPair& documents, const ExerciseContent& exercise,
                         const DocumentSizes& sizes, bool kept, LineImages& images) {
  images.SetScale(sizes.pictures);
  const WorksheetSettings& settings = exercise.settings;
  const int32_t blank_lines = settings.spacing * sizes.spacing_factor;
  const std::string separator =
      settings.separator_on
          ? TypedTextRtf(SeparatorText(settings.separator, sizes)) + MarkupToRtf("<br>")
          : std::string();
  KeptParagraphs subject_kept(documents.subject, kept);
  KeptParagraphs answer_kept(documents.answer_key, kept);
  const int count = static_cast<int>(QuestionCount(exercise.questions));
  for (int number = 1; number <= count; ++number) {
    ComposeQuestionLine(images, exercise.questions, number);
    if (settings.separator_on) {
      subject_kept.Keep(true);
    }
    documents.subject += separator;
    subject_kept.Keep(false);
    documents.subject += BitmapToRtfPict(images.ImaQuest);
    documents.subject += kParagraph;
    if (number < count) {
      for (int32_t blank = 0; blank < blank_lines; ++blank) {
        documents.subject += kParagraph;
      }
    }
    if (settings.separator_on) {
      answer_kept.Keep(true);
    }
    documents.answer_key += separator;
    // A worked key's pictures take the answer line's place.
    if (images.worked.empty()) {
      answer_kept.Keep(false);
      documents.answer_key += BitmapToRtfPict(images.ImaRep);
      documents.answer_key += kParagraph;
    }
    for (size_t row = 0; row < images.worked.size(); ++row) {
      answer_kept.Keep(row + 1 < images.worked.size());
      documents.answer_key += BitmapToRtfPict(images.worked[row]);
      documents.answer_key += kParagraph;
    }
  }
}

// An exercise after the header or after the exercise before it.
void AppendExercise(DocumentPair& documents, const ExerciseContent& exercise, int rank,
                    bool with_heading, LineImages& images) {
  const DocumentSizes& sizes = SizesFor(exercise.settings.options.large_print);
  std::string opening = rank > 1 ? BreakRtf(sizes) : std::string();
  if (with_heading) {
    opening += HeadingRtf(rank, sizes);
    opening += kKeepWithNext;
  }
  opening += InstructionRtf(exercise.settings, sizes);
  documents.subject += opening;
  documents.answer_key += opening;
  AppendQuestionLines(documents, exercise, sizes, with_heading, images);
}

}  // namespace

DocumentPair ComposeDocuments(const std::string& name, std::optional<SetMark> mark,
                              std::span<const ExerciseContent> exercises, LineImages& images,
                              InstructionPlaces* first_instruction) {
  const WorksheetSettings& first = exercises.front().settings;
  const DocumentSizes& sizes = SizesFor(first.options.large_print);
  const std::string place =
      mark ? " " + std::to_string(mark->index) + "/" + std::to_string(mark->count) : "";
  DocumentPair documents{HeaderRtf(name, mark ? " - Sujet" + place : std::string(), first, sizes),
                         HeaderRtf(name, " - <b>Corrig\xE9" + place + "</b>", first, sizes)};
  if (first_instruction != nullptr) {
    *first_instruction = {documents.subject.size(), documents.answer_key.size()};
  }
  const bool with_headings = exercises.size() > 1;
  for (size_t k = 0; k < exercises.size(); ++k) {
    AppendExercise(documents, exercises[k], static_cast<int>(k) + 1, with_headings, images);
  }
  documents.subject += "}";
  documents.answer_key += "}";
  return documents;
}

DocumentPair AppendedExerciseDocuments(const ExerciseContent& exercise, int rank,
                                       LineImages& images) {
  DocumentPair documents{std::string(kRtfPrologue), std::string(kRtfPrologue)};
  AppendExercise(documents, exercise, rank, true, images);
  documents.subject += "}";
  documents.answer_key += "}";
  return documents;
}

std::string HeadingDocument(int rank, const WorksheetSettings& settings) {
  return std::string(kRtfPrologue) + HeadingRtf(rank, SizesFor(settings.options.large_print)) + "}";
}

}  // namespace fractions
