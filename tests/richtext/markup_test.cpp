#include "richtext/markup.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "richtext/rtf_prologue.h"

namespace fractions {
namespace {

using namespace std::string_literals;

struct Sample {
  std::string markup;
  std::string rtf;
};

TEST(MarkupToRtf, Samples) {
  const std::vector<Sample> samples = {
      {"", ""},
      {"<B>Titre</B>", "\\b Titre\\b0 "},
      {"<arial><te=18>Feuille - <u>Nom :</u><br><br><b>Calculer<b><br><br>",
       "\\f0 \\fs18 Feuille - \\ul Nom :\\ul0 \\par \\par \\b Calculer\\b \\par \\par "},
      {"<i>a</i><s>b</s><times><courier><symbol><tab>",
       "\\i a\\i0 \\strike b\\strike0 \\f1 \\f2 \\f3 \\tab "},
      {"<ce=rouge>x<ce=auto>", "\\cf10 x\\cf0 "},
      {"<CF=Jaune>", "\\highlight12 "},
      {"<ce=automatique><cf=automatique><ce=blanc><cf=noir>",
       "\\cf0 \\highlight0 \\cf16 \\highlight1 "},
      {"<ce=bleu fonc\xE9>", "\\cf5 "},
      {"<cf=gris fonc\xE9>", "\\highlight8 "},
      {"<CE=BLEU FONC\xC9>", "<CE=BLEU FONC\xC9>"},  // É is not lowercased
      {"<ce=rose><ce=>", "<ce=rose><ce=>"},
      // A '<' that opens no tag is text, and so is what follows it.
      {"< b>", "< b>"},
      {"<bold>", "<bold>"},
      {"<>", "<>"},
      {"a<>b", "a<>b"},
      {"Comparer : 1/2 < 3/4 et 5/4 > 1 puis calculer",
       "Comparer : 1/2 < 3/4 et 5/4 > 1 puis calculer"},
      {"1 < 2<b>x</b> <", "1 < 2\\b x\\b0  <"},
      {"a<b<c>d", "a<b<c>d"},
      {"a<b<b>c", "a<b\\b c"},
      {"x < <TE=9>y", "x < \\fs9 y"},
      {"<ce=automatique!>", "<ce=automatique!>"},
      {"<te=12pt>", "\\fs12pt "},
      {"<te=>", "\\fs "},
      {"<te=1te=2>", "\\fs12 "},
      {"<TE=14>", "\\fs14 "},
      {"x<br", "x\\par "},
      {"5 > 3", "5 > 3"},
      // A tab or a line end parts the words as a space does ("\r\n" is one
      // line end); other control characters are dropped.
      {"a\r\nb\tc\x01\x1F", "a b c"},
      {"x\ty\n\nz\r", "x y  z "},
      {"\\b\tgras", "\\b gras"},
      {"{\\b gras}", "{\\b gras}"},
      {"\xE9\x80\xFF", "\xE9\x80\xFF"},
      {"<sup>2</sup>", "\\super 2\\nosupersub "},
      {"<sub>2</sub>", "\\sub 2\\nosupersub "},
      {"<u>", "\\ul "},
      {"ab\0<b>cd"s, "ab"},  // a NUL ends the input
      {"<b\0>x"s, "\\b "},   // also inside a tag
      {"a<\x01>b", "a<>b"},
      // Control characters typed inside a size tag are dropped too.
      {"<te=1\x01"
       "2>",
       "\\fs12 "},
      {"<te=\t\r\n>", "\\fs "},
  };
  for (const Sample& s : samples) {
    EXPECT_EQ(MarkupToRtf(s.markup), s.rtf) << "markup: " << s.markup;
  }
}

// A text full of '<' is read once, not to its end again at every '<'.
TEST(MarkupToRtf, TextFullOfLessThanSignsStaysText) {
  const std::string signs(200000, '<');
  EXPECT_EQ(MarkupToRtf(signs + ">"), signs + ">");
  EXPECT_EQ(MarkupToRtf("<te=" + signs), "\\fs" + signs + " ");
}

TEST(RtfPrologue, IsFixedAndPassesThroughTheConverter) {
  EXPECT_EQ(kRtfPrologue.size(), 643u);
  EXPECT_TRUE(
      kRtfPrologue.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deftab2880\\deff0\\deflang1036"));
  EXPECT_TRUE(kRtfPrologue.ends_with("}\\viewkind4\\uc1\\pard\\f0 "));
  EXPECT_EQ(MarkupToRtf(kRtfPrologue), kRtfPrologue);
}

// The colour tags index the prologue's colour table: each name must pick the
// entry with its colour.
TEST(RtfPrologue, ColourTagsPickTheirColourTableEntries) {
  struct Colour {
    const char* name;
    int red, green, blue;
  };
  const std::array<Colour, 16> colours = {{
      {"noir", 0, 0, 0},
      {"marron", 128, 0, 0},
      {"vert", 0, 128, 0},
      {"olive", 128, 128, 0},
      {"bleu fonc\xE9", 0, 0, 128},
      {"violet", 128, 0, 128},
      {"cyan", 0, 128, 128},
      {"gris fonc\xE9", 128, 128, 128},
      {"gris clair", 192, 192, 192},
      {"rouge", 255, 0, 0},
      {"vert clair", 0, 255, 0},
      {"jaune", 255, 255, 0},
      {"bleu", 0, 0, 255},
      {"fuchsia", 255, 0, 255},
      {"bleu ciel", 0, 255, 255},
      {"blanc", 255, 255, 255},
  }};
  const std::string_view prologue = kRtfPrologue;
  const size_t table_start = prologue.find("{\\colortbl ;") + 12;
  std::vector<std::string> entries;
  for (size_t pos = table_start; prologue[pos] != '}';) {
    const size_t end = prologue.find(';', pos);
    entries.emplace_back(prologue.substr(pos, end - pos));
    pos = end + 1;
  }
  ASSERT_EQ(entries.size(), 16u);
  for (const Colour& c : colours) {
    const std::string rtf = MarkupToRtf("<ce="s + c.name + ">");
    ASSERT_TRUE(rtf.starts_with("\\cf")) << c.name;
    const int index = std::stoi(rtf.substr(3));
    ASSERT_GE(index, 1);
    EXPECT_EQ(entries[static_cast<size_t>(index - 1)], "\\red" + std::to_string(c.red) + "\\green" +
                                                           std::to_string(c.green) + "\\blue" +
                                                           std::to_string(c.blue))
        << c.name;
    EXPECT_EQ(MarkupToRtf("<cf="s + c.name + ">"), "\\highlight" + std::to_string(index) + " ");
  }
}

}  // namespace
}  // namespace fractions
