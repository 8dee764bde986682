#include "worksheet/worksheet_build.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <regex>
#include <set>
#include <string>

#include "drawing/exercise_catalogue.h"
#include "richtext/rtf_prologue.h"
#include "richtext/rtf_reader.h"
#include "worksheet/class_set.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

SheetDocuments Build(ExerciseType type, const WorksheetSettings& settings, uint32_t seed) {
  return BuildSeededSheet({{type, settings}}, seed);
}

TEST(WorksheetBuild, HeadersOfBothDocuments) {
  WorksheetSettings settings;
  settings.title = "<i>T</i>";
  settings.instruction = "Calculer";
  const SheetDocuments documents = Build(ExerciseType::kAddition, settings, 5);
  ASSERT_TRUE(std::regex_match(documents.name, std::regex("AddFract[0-9]{2}_[0-9]{2}")));
  const std::string rest = "\\ul {\\i T\\i0 }\\ul0 \\par \\par \\b Calculer\\b \\par \\par ";
  EXPECT_TRUE(documents.subject.starts_with(std::string(kRtfPrologue) + "\\f0 \\fs18 " +
                                            documents.name + " - " + rest));
  EXPECT_TRUE(documents.answer_key.starts_with(std::string(kRtfPrologue) + "\\f0 \\fs18 " +
                                               documents.name + " - \\b Corrig\xE9\\b0  - " +
                                               rest));
}

TEST(WorksheetBuild, SeparatorsSpacingAndClosing) {
  struct Case {
    bool separator_on;
    int count;
    int spacing;
  };
  for (const Case c :
       {Case{true, 25, 1}, Case{false, 3, 0}, Case{true, 1, 10}, Case{true, 40, 10}}) {
    SCOPED_TRACE(std::to_string(c.count) + " questions, spacing " + std::to_string(c.spacing));
    WorksheetSettings settings;
    settings.separator_on = c.separator_on;
    settings.separator = "<u>~~~</u>";
    settings.count = c.count;
    settings.spacing = c.spacing;
    const SheetDocuments d = Build(ExerciseType::kSubtraction, settings, 11);
    const std::string separator = "{\\ul ~~~\\ul0 }\\par ";
    for (const std::string* document : {&d.subject, &d.answer_key}) {
      EXPECT_EQ(Count(*document, "{\\pict\\dibitmap0 "), size_t(c.count));
      EXPECT_EQ(Count(*document, separator), c.separator_on ? size_t(c.count) : 0u);
      EXPECT_TRUE(document->ends_with(" }\\par }"));
      EXPECT_EQ(Count(*document, "{"), Count(*document, "}"));
    }
    // Between two pictures: the paragraph mark, then the spacing (subject
    // only), then the next separator, kept with the picture under it.
    const std::string kept_separator = c.separator_on ? "\\keepn " + separator + "\\pard " : "";
    const std::string subject_gap = [&] {
      std::string gap;
      for (int i = 0; i <= c.spacing; ++i)
        gap += "\\par ";
      return " }" + gap + kept_separator + "{\\pict";
    }();
    const std::string answer_gap = " }\\par " + kept_separator + "{\\pict";
    EXPECT_EQ(Count(d.subject, subject_gap), size_t(c.count - 1));
    EXPECT_EQ(Count(d.answer_key, answer_gap), size_t(c.count - 1));
  }
}

// Large print: the name line at 14 points, the title under it at 16, the
// instruction and what follows at 14, the pictures half as large again, and
// twice the blank lines between questions, from the same questions.
TEST(WorksheetBuild, LargePrintSizesAndSpacing) {
  WorksheetSettings settings;
  settings.title = "T";
  settings.instruction = "Calculer";
  settings.separator = "~~~";
  settings.count = 3;
  settings.spacing = 2;
  const SheetDocuments standard = Build(ExerciseType::kAddition, settings, 5);
  settings.options.large_print = true;
  const SheetDocuments d = Build(ExerciseType::kAddition, settings, 5);
  EXPECT_EQ(QuestionNumbers(d.exercises.front()), QuestionNumbers(standard.exercises.front()));

  const std::string rest =
      "\\par \\fs32 \\ul T\\ul0 \\par \\fs28 \\par \\b Calculer\\b \\fs28 \\par \\par ";
  const std::string start = std::string(kRtfPrologue) + "\\f0 \\fs28 " + d.name;
  EXPECT_TRUE(d.subject.starts_with(start + rest)) << d.subject.substr(kRtfPrologue.size(), 120);
  EXPECT_TRUE(d.answer_key.starts_with(start + " - \\b Corrig\xE9\\b0 " + rest));

  // Every picture's DIB header: its size (40), width (135 or 180), height (42).
  EXPECT_EQ(Count(d.subject, "{\\pict\\dibitmap0 28000000870000002A000000"), 3u);
  EXPECT_EQ(Count(d.answer_key, "{\\pict\\dibitmap0 28000000B40000002A000000"), 3u);

  const std::string separator = "\\keepn ~~~\\par \\pard ";
  std::string gap = " }";
  for (int i = 0; i <= 2 * settings.spacing; ++i) {
    gap += "\\par ";
  }
  EXPECT_EQ(Count(d.subject, gap + separator + "{\\pict"), 2u);
  EXPECT_EQ(Count(d.answer_key, " }\\par " + separator + "{\\pict"), 2u);

  // The window's rule of 123 dashes keeps its length on the page: at 14
  // points it would run onto a second line under every question.
  settings.separator = WorksheetSettings::DefaultSeparator();
  const std::string rule = Build(ExerciseType::kAddition, settings, 5).subject;
  EXPECT_EQ(Count(rule, std::string(79, '-') + "\\par \\pard {\\pict"), 3u);
  EXPECT_EQ(Count(rule, std::string(80, '-')), 0u);
}

// A class set draws each worksheet once and builds it from what it drew:
// every worksheet is the one its seed gives alone, marked with its place,
// and the set's worksheets differ from each other and from those taken; on
// a sheet of several exercises, every exercise is drawn anew.
TEST(ClassSet, EachWorksheetIsTheOneItsSeedGivesAlone) {
  WorksheetSettings settings;
  settings.largest_term = 9;
  settings.count = 1;
  std::vector<Sheet> sheets;
  for (const ExerciseType type : kAllExerciseTypes) {
    sheets.push_back({{type, settings}});
  }
  sheets.push_back(
      {{ExerciseType::kSimplification, settings}, {ExerciseType::kSimplification, settings}});
  for (const Sheet& sheet : sheets) {
    SCOPED_TRACE(std::string(Describe(sheet.front().type).command_word) + " x" +
                 std::to_string(sheet.size()));
    const SheetDocuments first = BuildSeededSheet(sheet, 77);
    std::optional<std::vector<SetWorksheet>> set = BuildClassSet({sheet, 77, 6, {first.exercises}});
    ASSERT_TRUE(set.has_value());
    ASSERT_EQ(set->size(), 6u);
    std::set<std::string> worksheets = {SheetNumbers(first.exercises)};
    for (size_t i = 0; i < set->size(); ++i) {
      const SetWorksheet& worksheet = (*set)[i];
      const SheetDocuments alone =
          BuildSeededSheet(sheet, worksheet.seed, SetMark{static_cast<int>(i) + 2, 7});
      EXPECT_EQ(worksheet.documents.name, alone.name);
      EXPECT_EQ(worksheet.documents.subject, alone.subject);
      EXPECT_EQ(worksheet.documents.answer_key, alone.answer_key);
      ASSERT_EQ(worksheet.documents.exercises.size(), sheet.size());
      EXPECT_TRUE(worksheets.insert(SheetNumbers(worksheet.documents.exercises)).second) << i;
    }
    // The first seed draws the worksheet already taken: it is passed over.
    EXPECT_NE(set->front().seed, 77u);
  }
}

// The window's "Annuler": a set told to stop builds no further worksheet and
// gives none; told so after its last worksheet, it is whole and given.
TEST(ClassSet, StopsBeforeTheNextWorksheetWhenTold) {
  WorksheetSettings settings;
  settings.count = 2;
  for (const auto& [stop_after, whole] : {std::pair{2, false}, std::pair{4, true}}) {
    int told = 0;
    const auto set = BuildClassSet({{{ExerciseType::kAddition, settings}}, 5, 4, {}},
                                   [&](const SetWorksheet&, int done) {
                                     told = done;
                                     return done < stop_after;
                                   });
    EXPECT_EQ(told, stop_after);
    EXPECT_EQ(set.has_value(), whole);
  }
}

// A title, instruction or separator that would reach outside its place
// (closing the document early, opening a group that never ends, announcing
// binary data) leaves every question on the page and shows what was typed.
TEST(WorksheetBuild, TypedTextsCannotBreakTheDocument) {
  struct Case {
    std::string title, instruction, separator;
    QString shown;
  };
  const Case cases[] = {
      {"fin } suite", "Calculer", "---", "fin } suite"},
      {"Titre", "ouvert { jamais", "---", "ouvert { jamais"},
      {"Titre", "Calculer", "\\bin999999999 ---", "---"},
      {"Titre", std::string(1000, '{') + "profond" + std::string(1000, '}'), "---", "profond"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title + " / " + c.instruction + " / " + c.separator);
    WorksheetSettings settings;
    settings.title = c.title;
    settings.instruction = c.instruction;
    settings.separator = c.separator;
    settings.count = 5;
    const SheetDocuments d = Build(ExerciseType::kAddition, settings, 17);
    for (const std::string* rtf : {&d.subject, &d.answer_key}) {
      QTextDocument document;
      QTextCursor cursor(&document);
      ASSERT_FALSE(InsertRtf(cursor, *rtf).has_value());
      int pictures = 0;
      for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
          pictures += it.fragment().charFormat().isImageFormat() ? 1 : 0;
        }
      }
      EXPECT_EQ(pictures, 5);
      EXPECT_TRUE(document.toPlainText().contains(c.shown)) << document.toPlainText().toStdString();
    }
  }
}

// A set's worksheets one per page, each starting as it would on its own:
// a new page, and none of the bold the worksheet before it ends in.
TEST(WorksheetBuild, ASetStartsEachWorksheetOnAFreshPage) {
  WorksheetSettings settings;
  settings.count = 2;
  const std::string first = Build(ExerciseType::kAddition, settings, 1).subject;
  const std::string second = Build(ExerciseType::kAddition, settings, 2).subject;
  QTextDocument set;
  QTextCursor cursor(&set);
  ASSERT_FALSE(InsertRtf(cursor, JoinOnePerPage({&first, &second})).has_value());
  std::vector<QTextBlock> starts;
  for (QTextBlock block = set.begin(); block.isValid(); block = block.next()) {
    if (block == set.begin() ||
        (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
      starts.push_back(block);
    }
  }
  ASSERT_EQ(starts.size(), 2u);
  const QTextCharFormat page1 = starts[0].begin().fragment().charFormat();
  const QTextCharFormat page2 = starts[1].begin().fragment().charFormat();
  EXPECT_EQ(page2.fontWeight(), page1.fontWeight());
  EXPECT_EQ(page2.fontPointSize(), page1.fontPointSize());
  EXPECT_EQ(starts[1].text().left(8), starts[0].text().left(8));  // both "AddFract"
}

TEST(WorksheetBuild, SameSeedSameDocumentsAndBadNumbersRefused) {
  const WorksheetSettings settings;
  EXPECT_EQ(Build(ExerciseType::kPowers, settings, 9).answer_key,
            Build(ExerciseType::kPowers, settings, 9).answer_key);
  for (const auto& [m, n, s] : {std::tuple{8, 10, 1}, std::tuple{100, 41, 1},
                                std::tuple{100, 10, 11}, std::tuple{100, 10, -1}}) {
    WorksheetSettings bad;
    bad.largest_term = m;
    bad.count = n;
    bad.spacing = s;
    EXPECT_THROW(Build(ExerciseType::kAddition, bad, 1), std::out_of_range);
  }
}

}  // namespace
}  // namespace fractions
