#include "line_images.h"

#include "fraction_drawing.h"

namespace fractions {

void LineImages::SetScale(LineScale scale) {
  ImaQuest.SetScale(scale);
  ImaFract.SetScale(scale);
  ImaRep.SetScale(scale);
}

void LineImages::SetSizes(const LineSizes& sizes) {
  const LineScale s = Scale();
  ImaQuest.SetSize(s(sizes.quest_width), s(sizes.quest_height));
  ImaFract.SetSize(s(sizes.fract_width), s(kRowHeight));
  ImaRep.SetSize(s(sizes.rep_width), s(sizes.rep_height));
}

void LineImages::Widen(int question, int answer) {
  ImaQuest.SetSize(ImaQuest.Width() + question, ImaQuest.Height());
  ImaRep.SetSize(ImaRep.Width() + answer, ImaRep.Height());
}

}  // namespace fractions
