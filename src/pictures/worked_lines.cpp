#include "worked_lines.h"

#include <string>
#include <vector>

#include "fraction_drawing.h"
#include "step_drawing.h"

namespace fractions {

namespace {

// The row the top of a lead stands at, as the question number's does.
constexpr int kLeadRow = 6;
// Blank columns after the last expression of a picture.
constexpr int kRightMargin = 2;

// An expression and the column it starts at.
struct Placed {
  const StepExpression* expression;
  int x;
};

// One picture of a chain: its expressions, each but the first of the
// chain after an "=".
struct WorkedRow {
  std::vector<Placed> placed;
  int end = 0;  // the column after its last expression
};

// Lays the chain out from `first_x` (where its question starts): each next
// expression after " = " on the same row while the row stays within
// kMaxWorkedWidth, else on a new row whose "=" stands under the first.
std::vector<WorkedRow> LayOutChain(LineScale s, int first_x, const StepChain& chain,
                                   DivisionSign sign) {
  std::vector<WorkedRow> rows(1);
  if (chain.empty()) {
    return rows;
  }
  const int equals = LineWordWidth(s, kStepEquals) + s(2);
  rows.back().placed.push_back({&chain.front(), first_x});
  rows.back().end = first_x + ExpressionWidth(s, chain.front(), sign);
  const int equals_x = rows.back().end;
  for (size_t i = 1; i < chain.size(); ++i) {
    const int width = equals + ExpressionWidth(s, chain[i], sign);
    if (rows.back().end + width > kMaxWorkedWidth - s(kRightMargin)) {
      rows.push_back({{}, equals_x});
    }
    rows.back().placed.push_back({&chain[i], rows.back().end + equals});
    rows.back().end += width;
  }
  return rows;
}

}  // namespace

void AddWorkedChain(LineImages& images, int lead_x, std::string_view lead, const StepChain& chain,
                    DivisionSign sign) {
  const LineScale s = images.Scale();
  // The operand column of the key's lines, "1000" in the line font.
  const int first_x = LineWordWidth(s, u"1000");
  bool first_row = true;
  for (const WorkedRow& row : LayOutChain(s, first_x, chain, sign)) {
    LineImage& picture = images.worked.emplace_back();
    picture.SetScale(s);
    picture.SetSize(row.end + s(kRightMargin), s(kRowHeight));
    if (first_row && !lead.empty()) {
      picture.TextOut(lead_x, s(kLeadRow), lead);
    }
    for (const Placed& placed : row.placed) {
      if (placed.expression != &chain.front()) {
        DrawLineWord(picture, placed.x - LineWordWidth(s, kStepEquals) - s(2), kStepEquals);
      }
      DrawExpression(picture, placed.x, *placed.expression, sign);
    }
    first_row = false;
  }
}

void AddNumberedChain(LineImages& images, int number, const StepChain& chain, DivisionSign sign) {
  AddWorkedChain(images, 0, std::to_string(number) + "\xB0)", chain, sign);  // "°)"
}

}  // namespace fractions
