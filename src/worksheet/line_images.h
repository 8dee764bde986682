#pragma once

#include "line_image.h"

namespace fractions {

// The sizes of the three line images for one line layout.
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

  // Sizes the three images for a line layout; pictures drawn from then on
  // have these sizes.
  void SetSizes(const LineSizes& sizes);
};

}  // namespace fractions
