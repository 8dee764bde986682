// Sheets of several exercises: each exercise under its heading and its
// instruction, in both documents, the title once; and the limits of a
// sheet.
#include "worksheet/sheet_build.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string>
#include <vector>

#include "richtext/keep_with_next.h"
#include "richtext/rtf_reader.h"
#include "worksheet/document_parts.h"

namespace fractions {
namespace {

WorksheetSettings Settings(int count, std::string instruction, bool large_print = false) {
  WorksheetSettings settings;
  settings.title = "Contr\xF4le";
  settings.count = count;
  settings.instruction = std::move(instruction);
  settings.options.large_print = large_print;
  return settings;
}

// A paragraph as the reader reads it: its text (a picture as "#"), the
// format of its first character, and whether it keeps with the next.
struct Paragraph {
  QString text;
  QTextCharFormat format;
  bool keep = false;
};

std::vector<Paragraph> Paragraphs(const std::string& rtf) {
  QTextDocument document;
  QTextCursor cursor(&document);
  EXPECT_FALSE(InsertRtf(cursor, rtf).has_value());
  std::vector<Paragraph> paragraphs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QString text = block.text();
    text.replace(QChar::ObjectReplacementCharacter, '#');
    paragraphs.push_back(
        {text, block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat(),
         KeepsWithNext(block.blockFormat())});
  }
  return paragraphs;
}

// Every exercise: a blank line (but after the header's own), its heading in
// bold Arial at the heading size, its instruction, a blank line, then its
// questions, each after its separator line; the title once, at the top.
// Two exercises in large print, three in the standard sizes.
TEST(ComposedSheet, EachExerciseUnderItsHeadingInBothDocuments) {
  for (const bool large_print : {false, true}) {
    SCOPED_TRACE(large_print ? "large print" : "standard");
    Sheet sheet = {{ExerciseType::kAddition, Settings(2, "Additionner", large_print)},
                   {ExerciseType::kSimplification, Settings(1, "<i>Simplifier", large_print)},
                   {ExerciseType::kCommonDenominator, Settings(3,
                                                               "R\xE9"
                                                               "duire",
                                                               large_print)}};
    sheet.resize(large_print ? 2 : 3);
    const SheetDocuments documents = BuildSeededSheet(sheet, 5);
    ASSERT_EQ(documents.exercises.size(), sheet.size());
    for (const std::string* rtf : {&documents.subject, &documents.answer_key}) {
      const std::vector<Paragraph> paragraphs = Paragraphs(*rtf);
      QStringList texts;
      for (const Paragraph& paragraph : paragraphs) {
        texts << paragraph.text;
      }
      // The separator line: the window's dashes (fewer in large print, to keep its length).
      const auto is_separator = [&](qsizetype line) {
        const QString text = texts.value(line);
        return !text.isEmpty() && text.count('-') == text.size();
      };
      EXPECT_EQ(texts.filter("Contr\u00F4le").size(), 1);
      // The heading, the instruction and the blank line under it, and every
      // separator keep with the next; nothing else does.
      std::ptrdiff_t kept = 0;
      for (const Exercise& exercise : sheet) {
        kept += 3 + exercise.settings.count;
      }
      EXPECT_EQ(std::count_if(paragraphs.begin(), paragraphs.end(),
                              [](const Paragraph& paragraph) { return paragraph.keep; }),
                kept);
      qsizetype at = texts.indexOf("Exercice 1");
      ASSERT_GT(at, 0);
      EXPECT_EQ(texts[at - 1], "");
      const QStringList instructions = {"Additionner", "Simplifier", "R\u00E9duire"};
      for (size_t k = 0; k < sheet.size(); ++k) {
        ASSERT_EQ(texts.value(at), QString("Exercice %1").arg(k + 1))
            << texts.join('|').toStdString();
        const QTextCharFormat& heading = paragraphs[at].format;
        EXPECT_EQ(heading.fontWeight(), QFont::Bold);
        EXPECT_EQ(heading.fontPointSize(), large_print ? 14.0 : 10.0);
        EXPECT_EQ(heading.fontFamilies().toStringList().value(0), "Arial");
        EXPECT_EQ(texts.value(at + 1), instructions[static_cast<qsizetype>(k)]);
        // The italic left open in the second instruction ends with its exercise.
        EXPECT_EQ(paragraphs[at + 1].format.fontItalic(), k == 1);
        EXPECT_EQ(texts.value(at + 2), "");
        // No page ends between a heading and its first question: the
        // heading, the instruction, the blank line and the separator keep
        // with the next; the question's picture ends the run.
        for (qsizetype line = at; line < at + 4; ++line) {
          EXPECT_TRUE(paragraphs[line].keep) << texts.value(line).toStdString();
        }
        EXPECT_FALSE(paragraphs[at + 4].keep);
        at += 3;
        int questions = 0;
        while (is_separator(at) && texts.value(at + 1).startsWith('#')) {
          ++questions;
          at += 2;
          qsizetype next = at;  // past the blank lines between questions of the subject
          while (texts.value(next) == "" && next + 1 < texts.size()) {
            ++next;
          }
          at = is_separator(next) ? next : at;
        }
        EXPECT_EQ(questions, sheet[k].settings.count) << k;
        if (k + 1 < sheet.size()) {
          EXPECT_EQ(texts.value(at), "");
          ++at;
        }
      }
    }
  }
}

// Every paragraph of a document as the reader reads it: its text and the
// format of each of its characters, its paragraph mark last.
struct FormattedParagraph {
  QString text;
  std::vector<QTextCharFormat> formats;
  bool operator==(const FormattedParagraph&) const = default;
};

std::vector<FormattedParagraph> FormattedParagraphs(const QTextDocument& document) {
  std::vector<FormattedParagraph> paragraphs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    FormattedParagraph& paragraph = paragraphs.emplace_back(block.text());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      QTextCharFormat format = it.fragment().charFormat();
      format.clearProperty(QTextFormat::ImageName);  // each document names its pictures
      paragraph.formats.push_back(format);
    }
    paragraph.formats.push_back(block.charFormat());
  }
  return paragraphs;
}

std::vector<FormattedParagraph> FormattedParagraphs(const std::string& rtf) {
  QTextDocument document;
  QTextCursor cursor(&document);
  EXPECT_FALSE(InsertRtf(cursor, rtf).has_value());
  return FormattedParagraphs(document);
}

// `typed` reads as `bare`, text and formats, but for the paragraphs that
// hold `own`, the typed text's own lines, of which one at least differs.
void ExpectOnlyOwnLinesDiffer(const std::string& typed_rtf, const std::string& bare_rtf,
                              const QString& own) {
  const std::vector<FormattedParagraph> typed = FormattedParagraphs(typed_rtf);
  const std::vector<FormattedParagraph> bare = FormattedParagraphs(bare_rtf);
  ASSERT_EQ(typed.size(), bare.size());
  bool own_differs = false;
  for (size_t i = 0; i < typed.size(); ++i) {
    ASSERT_EQ(typed[i].text, bare[i].text);
    if (typed[i].text.contains(own)) {
      own_differs = own_differs || typed[i] != bare[i];
    } else {
      ASSERT_TRUE(typed[i] == bare[i]) << "paragraph " << i << ": " << typed[i].text.toStdString();
    }
  }
  EXPECT_TRUE(own_differs);
}

// A tag (or a control word) typed and left open in the title, an
// instruction or a separator ends with its own line, in both sizes: on a
// sheet of two exercises, in an exercise appended to the views, and where
// the views put the heading "Exercice 1" in above a shown instruction.
TEST(ComposedSheet, ATagTypedInATextEndsWithItsOwnLine) {
  std::string WorksheetSettings::*const places[] = {
      &WorksheetSettings::title, &WorksheetSettings::instruction, &WorksheetSettings::separator};
  const std::string openings[] = {"<te=72>", "<ce=rouge>", "<cf=jaune>", "<i>",
                                  "<s>",     "<courier>",  "<sup>",      "\\plain "};
  for (const bool large_print : {false, true}) {
    for (std::string WorksheetSettings::*const place : places) {
      const auto sheet_with = [&](const std::string& opening) {
        WorksheetSettings settings = Settings(2, "Calculer", large_print);
        settings.title = "Titre";
        settings.separator = "-----";
        settings.*place = opening + settings.*place;
        return Sheet{{ExerciseType::kAddition, settings},
                     {ExerciseType::kSimplification, settings}};
      };
      const Sheet bare = sheet_with("");
      const QString word = QString::fromStdString(bare[0].settings.*place);
      for (const std::string& opening : openings) {
        SCOPED_TRACE(opening + word.toStdString() + (large_print ? " (large print)" : ""));
        const Sheet typed = sheet_with(opening);
        const SheetDocuments typed_documents = BuildSeededSheet(typed, 7);
        const SheetDocuments bare_documents = BuildSeededSheet(bare, 7);
        ExpectOnlyOwnLinesDiffer(typed_documents.subject, bare_documents.subject, word);
        ExpectOnlyOwnLinesDiffer(typed_documents.answer_key, bare_documents.answer_key, word);
        if (place == &WorksheetSettings::title) {
          continue;
        }
        LineImages images;
        ExpectOnlyOwnLinesDiffer(
            AppendedExerciseDocuments({typed_documents.exercises[1], typed[1].settings}, 2, images)
                .answer_key,
            AppendedExerciseDocuments({bare_documents.exercises[1], bare[1].settings}, 2, images)
                .answer_key,
            word);
        // A sheet of the first exercise alone, the heading put in above
        // its instruction: it reads as the sheet of two.
        const SheetDocuments alone = BuildSeededSheet({typed[0]}, 7);
        QTextDocument shown;
        QTextCursor cursor(&shown);
        ASSERT_FALSE(
            InsertRtf(cursor, alone.subject.substr(0, alone.first_instruction.subject) + "}"));
        const int instruction = cursor.position();
        shown.clear();
        ASSERT_FALSE(InsertRtf(cursor, alone.subject));
        cursor.setPosition(instruction);
        cursor.movePosition(QTextCursor::StartOfBlock);
        ASSERT_FALSE(InsertRtf(cursor, HeadingDocument(1, typed[0].settings)));
        const std::vector<FormattedParagraph> with_heading = FormattedParagraphs(shown);
        std::vector<FormattedParagraph> composed = FormattedParagraphs(typed_documents.subject);
        ASSERT_LE(with_heading.size(), composed.size());
        composed.resize(with_heading.size());
        EXPECT_TRUE(with_heading == composed);
      }
    }
  }
}

TEST(ComposedSheet, TooManyExercisesOrQuestionsAreRefused) {
  const auto sheet_of = [](std::vector<int> counts) {
    Sheet sheet;
    for (const int count : counts) {
      sheet.push_back({ExerciseType::kAddition, Settings(count, "Calculer")});
    }
    return sheet;
  };
  for (const std::vector<int>& counts :
       {std::vector<int>{}, std::vector<int>(7, 1), std::vector<int>{40, 21}}) {
    EXPECT_THROW(BuildSeededSheet(sheet_of(counts), 1), SheetTooLarge) << counts.size();
  }
  for (const std::vector<int>& counts : {std::vector<int>(6, 10), std::vector<int>{40, 20}}) {
    EXPECT_EQ(BuildSeededSheet(sheet_of(counts), 1).exercises.size(), counts.size());
  }
}

}  // namespace
}  // namespace fractions
