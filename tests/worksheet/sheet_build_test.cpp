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
