#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/ini_document.h"

namespace fractions {
namespace {

using namespace std::string_literals;

TEST(IniDocument, ReadsValuesAsTheProfileFunctionsDo) {
  struct Case {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"names in any ASCII case", "[tform1]\r\nKEY=v\r\n", "TForm1", "key", "v"},
      {"names and value trimmed", "  [ TForm1 ]  \r\n  Key  =  v w \t\r\n", "TForm1", "Key", "v w"},
      {"LF line ends", "[s]\nk=v\n[t]\n", "s", "k", "v"},
      {"no final line break", "[s]\r\nk=v", "s", "k", "v"},
      {"double quotes dropped, blanks inside kept", "[s]\r\nk= \"  v \" \r\n", "s", "k", "  v "},
      {"single quotes dropped", "[s]\r\nk='v'\r\n", "s", "k", "v"},
      {"quotes that do not match stay", "[s]\r\nk=\"v'\r\n", "s", "k", "\"v'"},
      {"a lone quote stays", "[s]\r\nk=\"\r\n", "s", "k", "\""},
      {"a pair of quotes is an empty value", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
      {"empty value is found", "[s]\r\nk=\r\n", "s", "k", ""},
      {"equals signs after the first belong to the value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
      {"missing key", "[s]\r\nj=1\r\n", "s", "k", std::nullopt},
      {"missing section", "[s]\r\nk=1\r\n", "t", "k", std::nullopt},
      {"a key of the next section", "[a]\r\n[b]\r\nk=1\r\n", "a", "k", std::nullopt},
      {"first line of a key wins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
      {"first section of a name wins", "[s]\r\nj=1\r\n[S]\r\nk=2\r\n", "s", "k", std::nullopt},
      {"keys before any section", "k=1\r\n[s]\r\n", "s", "k", std::nullopt},
      {"comment", "[s]\r\n;k=1\r\n", "s", ";k", std::nullopt},
      {"line without equals sign", "[s]\r\nk\r\n", "s", "k", std::nullopt},
      {"unclosed bracket is no header", "[s]\r\n[t\r\nk=1\r\n", "s", "k", "1"},
      {"accented letters do not fold", "[s]\r\n\xC9t\xE9=1\r\n", "s", "\xE9t\xE9", std::nullopt},
      {"ASCII letters next to them do", "[s]\r\n\xC9t\xE9=1\r\n", "s", "\xC9T\xE9", "1"},
      {"lone CR line ends", "[s]\rj=a\rk=b\r", "s", "k", "b"},
      {"a UTF-8 mark before the first section", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "v"},
      {"a marked file's UTF-8 becomes Windows-1252",
       "\xEF\xBB\xBF[s]\nk=\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "s", "k", "\xE9t\xE9 \x80"},
      {"a marked file that is not UTF-8 keeps its bytes", "\xEF\xBB\xBF[s]\nk=\xE9t\xE9\n", "s",
       "k", "\xE9t\xE9"},
      {"a NUL byte ends the value", "[s]\r\nk=ab\0cd\r\n"s, "s", "k", "ab"},
      {"values cut to 2047 bytes", "[s]\r\nk=" + std::string(3000, 'x'), "s", "k",
       std::string(2047, 'x')},
      {"quotes dropped before the cut", "[s]\r\nk=\"" + std::string(2048, 'y') + "\"", "s", "k",
       std::string(2047, 'y')},
  };
  for (const Case& c : cases) {
    const IniDocument document = IniDocument::Parse(c.file);
    EXPECT_EQ(document.Read(c.section, c.key), c.expected) << c.what;
    EXPECT_EQ(document.ReadSection(c.section).Read(c.key), c.expected) << c.what;
  }
}

TEST(IniDocument, WritesInPlaceOrAtTheEndOfTheSectionKeepingEveryOtherLine) {
  struct Case {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"replaces the line of the key, matched in any case",
       "; top\r\n[a]\r\nk=a\r\n  odd line \r\n[TForm1]\r\n K = old \r\nz=2\r\n\r\n[b]\r\ny=3\r\n",
       "tform1", "k", "new",
       "; top\r\n[a]\r\nk=a\r\n  odd line \r\n[TForm1]\r\nk=new\r\nz=2\r\n\r\n[b]\r\ny=3\r\n"},
      {"after the last non-blank line of the section",
       "[a]\r\nx=1\r\n; note\r\n\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
       "[a]\r\nx=1\r\n; note\r\nk=v\r\n\r\n\r\n[b]\r\ny=2\r\n"},
      {"right after the header of an empty section", "[a]\r\n\r\n[b]\r\n", "a", "k", "v",
       "[a]\r\nk=v\r\n\r\n[b]\r\n"},
      {"into the first of two sections of a name", "[a]\r\n[a]\r\n", "a", "k", "v",
       "[a]\r\nk=v\r\n[a]\r\n"},
      {"a new section at the end", "[a]\r\nx=1", "new", "k", "v", "[a]\r\nx=1\r\n[new]\r\nk=v\r\n"},
      {"the first line of an empty document", "", "s", " k ", "v", "[s]\r\nk=v\r\n"},
      {"CR LF everywhere, also in an LF file", "[a]\nx=1\ny=2\n", "a", "x", "3",
       "[a]\r\nx=3\r\ny=2\r\n"},
      {"no line break or NUL inside a value", "", "s", "k", "a\r\n[b]\0c"s,
       "[s]\r\nk=a  [b] c\r\n"},
  };
  for (const Case& c : cases) {
    IniDocument document = IniDocument::Parse(c.before);
    document.Write(c.section, c.key, c.value);
    EXPECT_EQ(document.Serialize(), c.after) << c.what;
  }
}

TEST(IniDocument, ErasesEverySectionOfTheNameAndNothingElse) {
  IniDocument document = IniDocument::Parse(
      "[a]\r\nx=1\r\n[TForm1.Combo1_Items]\r\nCount=1\r\nItem0=z\r\n\r\n[b]\r\ny=2\r\n"
      "[tform1.combo1_items]\r\nCount=5\r\n");
  document.EraseSection("TForm1.Combo1_Items");
  EXPECT_EQ(document.Serialize(), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
  document.EraseSection("missing");
  EXPECT_EQ(document.Serialize(), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");

  document.ReplaceSection("A", {{"Count", "1"}, {"Item0", "x"}});
  EXPECT_EQ(document.Serialize(), "[b]\r\ny=2\r\n[A]\r\nCount=1\r\nItem0=x\r\n");
}

TEST(IniDocument, RefusesNamesThatWouldNotReadBackAndChangesNothing) {
  const std::vector<std::pair<std::string, std::string>> bad_names = {
      {"", "k"},   {" ", "k"},  {"a]", "k"},   {"s", ""},     {"s", "k=1"},
      {"s", "[k"}, {"s", ";k"}, {"s", "a\nb"}, {"a\rb", "k"}, {"s", "a\0b"s},
  };
  for (const auto& [section, key] : bad_names) {
    IniDocument document = IniDocument::Parse("[s]\r\nk=1\r\n");
    EXPECT_THROW(document.Write(section, key, "v"), std::invalid_argument) << section << key;
    EXPECT_THROW(document.ReplaceSection(section, {{key, "v"}}), std::invalid_argument);
    EXPECT_EQ(document.Serialize(), "[s]\r\nk=1\r\n") << section << "/" << key;
  }
}

// Random bytes heavy in the characters that matter to the parser: whatever
// the input, parsing is stable, values stay bounded and writes read back.
TEST(IniDocument, GarbageParsesStablyAndStaysWritable) {
  const std::string alphabet = "[]=;\"' \t\r\n\0abAB\xE9"s;
  std::mt19937 random(20240601);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 200, ' ');
    for (char& byte : bytes) {
      byte = alphabet[random() % alphabet.size()];
    }
    IniDocument document = IniDocument::Parse(bytes);
    const std::string once = document.Serialize();
    ASSERT_EQ(IniDocument::Parse(once).Serialize(), once) << round;
    for (const char* key : {"a", "b", "ab"}) {
      if (const auto value = document.Read("a", key)) {
        EXPECT_EQ(value->find_first_of("\0\n"s), std::string::npos) << round;
      }
    }
    document.Write("ab", "Key", "value");
    document.Write("ab", "Other", "'q'");
    ASSERT_EQ(IniDocument::Parse(document.Serialize()).Read("AB", "key"), "value") << round;
    ASSERT_EQ(IniDocument::Parse(document.Serialize()).Read("AB", "other"), "q") << round;
  }
}

}  // namespace
}  // namespace fractions
