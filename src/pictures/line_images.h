#pragma once

#include <vector>

#include "line_image.h"
#include "print_sizes.h"

namespace fractions {

// The sizes of the three line images for one line layout, in pixels of the
// standard layout.
struct LineSizes {
  int quest_width, quest_height;
  int fract_width;
  int rep_width, rep_height;
};

// The three off-screen images every exercise line is drawn in.
struct LineImages {
  LineImage ImaQuest;  // the question picture: the answer line without its result
  LineImage ImaFract;  // scratch picture of one operand
  LineImage ImaRep;    // the answer line
  // The worked key's pictures of the last line composed, when its options
  // ask for a worked key: they take the answer line's place in the key.
  std::vector<LineImage> worked;

  // The scale the next lines are drawn at, for all three images; 1:1 until
  // set.
  void SetScale(LineScale scale);
  LineScale Scale() const { return ImaRep.Scale(); }

  // Sizes the three images for a line layout, at the images' scale;
  // pictures drawn from then on have these sizes.
  void SetSizes(const LineSizes& sizes);
  // Widens the question and the answer images by these many of their own
  // pixels, for what a line holds beyond its layout's standard sizes (a
  // minus sign, parentheses, a mixed form).
  void Widen(int question, int answer);
};

}  // namespace fractions
