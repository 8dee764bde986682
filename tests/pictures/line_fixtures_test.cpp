// One answer line per line layout, pinned pixel for pixel, in the standard
// size and in large print ("_large"): a number, an operator, a bar or a
// parenthesis moved by one pixel shows here. The fixtures are plain PBM
// files (tests/pictures/lines/), drawn from the pinned font files;
// FRACTIONS_WRITE_LINE_FIXTURES=1 writes them anew from the current
// drawing, to be looked at before they are committed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <functional>
#include <sstream>
#include <string>

#include "pictures/kinds/common_denominator_line.h"
#include "pictures/kinds/four_operations_line.h"
#include "pictures/kinds/powers_line.h"
#include "pictures/kinds/simplification_line.h"

namespace fractions {
namespace {

// Plain PBM: "P1", the size, then one row of '0' (white) and '1' (black)
// per line.
std::string ToPbm(const QImage& picture) {
  std::string pbm =
      "P1\n" + std::to_string(picture.width()) + " " + std::to_string(picture.height()) + "\n";
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      pbm += qGray(picture.pixel(x, y)) < 128 ? '1' : '0';
    }
    pbm += '\n';
  }
  return pbm;
}

struct Layout {
  const char* name;
  std::function<void(LineImages&)> compose;
};

const Layout kLayouts[] = {
    {"add",
     [](LineImages& i) {
       ComposeLine(i, 7, OperationKind{Operation::kAdd}, {7, 12, 135, 4, 103, 3});
     }},
    {"sub",
     [](LineImages& i) {
       ComposeLine(i, 7, OperationKind{Operation::kSubtract}, {5, 6, 1, 4, 7, 12});
     }},
    {"mul",
     [](LineImages& i) {
       ComposeLine(i, 40, OperationKind{Operation::kMultiply}, {12, 35, 7, 8, 3, 10});
     }},
    {"div",
     [](LineImages& i) {
       ComposeLine(i, 7, OperationKind{Operation::kDivide}, {3, 4, 9, 2, 1, 6});
     }},
    {"pow_whole",
     [](LineImages& i) {
       ComposeLine(i, 7, PowerKind{}, {3, 4, 9, 16, PowerForm::kWholeFraction, 2});
     }},
    {"pow_numerator",
     [](LineImages& i) {
       ComposeLine(i, 7, PowerKind{}, {3, 4, 9, 4, PowerForm::kNumeratorOnly, 2});
     }},
    {"pow_denominator",
     [](LineImages& i) {
       ComposeLine(i, 7, PowerKind{}, {3, 4, 3, 16, PowerForm::kDenominatorOnly, 2});
     }},
    {"simp",
     [](LineImages& i) {
       ComposeLine(i, 7, SimplificationKind{}, {12, 18, 2, 3});
     }},
    {"reduc",
     [](LineImages& i) {
       ComposeLine(i, 7, CommonDenominatorKind{}, {2, 4, 1, 6, 6, 12, 2, 12});
     }},
};

TEST(LineFixtures, EveryLayoutDrawsItsPinnedAnswerLine) {
  const QDir folder(FRACTIONS_LINE_FIXTURES);
  const bool rewrite = qEnvironmentVariableIntValue("FRACTIONS_WRITE_LINE_FIXTURES") == 1;
  for (const auto& [sizes, suffix] :
       {std::pair{kStandardSizes, ""}, std::pair{kLargePrintSizes, "_large"}}) {
    for (const Layout& layout : kLayouts) {
      const QString name = QString(layout.name) + suffix;
      SCOPED_TRACE(name.toStdString());
      LineImages images;
      images.SetScale(sizes.pictures);
      layout.compose(images);
      const std::string drawn = ToPbm(images.ImaRep.Picture());
      QFile file(folder.filePath(name + ".pbm"));
      if (rewrite) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromStdString(drawn));
        continue;
      }
      ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
      EXPECT_EQ(drawn, file.readAll().toStdString()) << "drawn now:\n" << drawn;
    }
  }
}

// The box holding every black pixel of a picture.
QRect InkBounds(const QImage& picture) {
  QRect bounds;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      bounds |= qGray(picture.pixel(x, y)) < 128 ? QRect(x, y, 1, 1) : QRect();
    }
  }
  return bounds;
}

// Large print is every layout half as large again: both pictures 1.5 times
// the standard ones, the ink in them 1.5 times as high (its widths follow
// the larger fonts' own hinted steps), and the question picture still the
// answer line's left part.
TEST(LineFixtures, LargePrintIsEveryLayoutHalfAsLargeAgain) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    LineImages standard;
    layout.compose(standard);
    LineImages large;
    large.SetScale(kLargePrintSizes.pictures);
    layout.compose(large);
    for (const auto& [small, big] : {std::pair{&standard.ImaQuest, &large.ImaQuest},
                                     std::pair{&standard.ImaRep, &large.ImaRep}}) {
      const QSize size = small->Picture().size();
      EXPECT_EQ(big->Picture().size(), QSize((size.width() * 3 + 1) / 2, size.height() * 3 / 2));
      const QRect ink = InkBounds(small->Picture());
      const QRect big_ink = InkBounds(big->Picture());
      EXPECT_NEAR(big_ink.top(), ink.top() * 1.5, 2.0);
      EXPECT_NEAR(big_ink.bottom() + 1, (ink.bottom() + 1) * 1.5, 2.0);
    }
    const QImage answer = large.ImaRep.Picture();
    EXPECT_EQ(large.ImaQuest.Picture(),
              answer.copy(QRect(QPoint(0, 0), large.ImaQuest.Picture().size())));
  }
}

}  // namespace
}  // namespace fractions
