#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace fractions {

// Which edges of the window a control keeps its distance to.
enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
};
inline constexpr unsigned kAnchorTopLeft = kAnchorLeft | kAnchorTop;

// The box of a control in a client area of size `client`, given its box in
// the design client area and its anchors: anchored on both sides of an axis
// it stretches, on the far side only it moves, on the near side only (or on
// neither) it stays.
QRect AnchoredBox(const QRect& design_box, const QSize& design_client, const QSize& client,
                  unsigned anchors);

// Places controls by their anchors whenever their parent's size changes,
// from the boxes they have in the design layout.
class AnchorLayout {
 public:
  explicit AnchorLayout(QSize design_client) : design_client_(design_client) {}

  // Gives `control` its design box and keeps it anchored from then on.
  void Add(QWidget* control, const QRect& design_box, unsigned anchors = kAnchorTopLeft);
  // Places every control for a client area of size `client`.
  void Apply(const QSize& client) const;

 private:
  struct Entry {
    QWidget* control;
    QRect design_box;
    unsigned anchors;
  };
  QSize design_client_;
  std::vector<Entry> entries_;
};

}  // namespace fractions
