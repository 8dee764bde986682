#include "anchor_layout.h"

namespace fractions {

namespace {

// One axis: where the control starts and how long it is.
struct Span {
  int start;
  int length;
};

Span AnchoredSpan(Span design, int design_extent, int extent, bool near, bool far) {
  const int growth = extent - design_extent;
  if (near && far) {
    return {design.start, design.length + growth};
  }
  if (far) {
    return {design.start + growth, design.length};
  }
  return design;
}

}  // namespace

QRect AnchoredBox(const QRect& design_box, const QSize& design_client, const QSize& client,
                  unsigned anchors) {
  const Span x = AnchoredSpan({design_box.x(), design_box.width()}, design_client.width(),
                              client.width(), anchors & kAnchorLeft, anchors & kAnchorRight);
  const Span y = AnchoredSpan({design_box.y(), design_box.height()}, design_client.height(),
                              client.height(), anchors & kAnchorTop, anchors & kAnchorBottom);
  return QRect(x.start, y.start, x.length, y.length);
}

void AnchorLayout::Add(QWidget* control, const QRect& design_box, unsigned anchors) {
  entries_.push_back({control, design_box, anchors});
  control->setGeometry(design_box);
}

void AnchorLayout::Apply(const QSize& client) const {
  for (const Entry& entry : entries_) {
    entry.control->setGeometry(
        AnchoredBox(entry.design_box, design_client_, client, entry.anchors));
  }
}

}  // namespace fractions
