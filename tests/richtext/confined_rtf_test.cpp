#include "richtext/confined_rtf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/markup.h"

namespace fractions {
namespace {

TEST(ConfineRtf, KeepsTagsAndBalancedRtfAndMendsWhatReachesOutside) {
  struct Sample {
    std::string typed;  // markup, as the teacher types it
    std::string rtf;
  };
  const std::vector<Sample> samples = {
      {"<b>Titre</b> <ce=rouge>x", "\\b Titre\\b0  \\cf10 x"},
      {"{\\i italique} \\ul souligné\\ul0 \\'e9", "{\\i italique} \\ul souligné\\ul0 \\'e9"},
      {"fin } suite", "fin \\} suite"},
      {"ouvert { jamais", "ouvert \\{ jamais"},
      {"}{", "\\}\\{"},
      {"{a}}{b", "{a}\\}\\{b"},
      {"x\\bin999999999 y", "xy"},
      {"{\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr\"}{\\fldrslt ici}}",
       "{\\field{\\fldrslt ici}}"},
      {"{\\*\\fldinst HYPERLINK x", ""},
      {"\\fldinst HYPERLINK x", "HYPERLINK x"},
      {"a \\*\\cache b", "a {\\*\\cache b}"},
      {"a \\info b } c", "a {\\info b \\} c}"},
      {"fin\\", "fin\\\\"},
      // Deeper than readers accept: the braces past the hundredth show.
      {std::string(101, '{') + "x" + std::string(101, '}'),
       std::string(100, '{') + "\\{x\\}" + std::string(100, '}')},
  };
  for (const Sample& sample : samples) {
    EXPECT_EQ(ConfineRtf(MarkupToRtf(sample.typed)), sample.rtf) << sample.typed;
  }
}

}  // namespace
}  // namespace fractions
