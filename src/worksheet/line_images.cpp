#include "line_images.h"

#include "fraction_drawing.h"

namespace fractions {

void LineImages::SetSizes(const LineSizes& sizes) {
  ImaQuest.SetSize(sizes.quest_width, sizes.quest_height);
  ImaFract.SetSize(sizes.fract_width, kRowHeight);
  ImaRep.SetSize(sizes.rep_width, sizes.rep_height);
}

}  // namespace fractions
