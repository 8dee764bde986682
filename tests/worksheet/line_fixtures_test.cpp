// One answer line per line layout, pinned pixel for pixel: a number, an
// operator or a parenthesis moved by one pixel shows here. The fixtures are
// plain PBM files (tests/worksheet/lines/), drawn from the pinned font
// files; FRACTIONS_WRITE_LINE_FIXTURES=1 writes them anew from the current
// drawing, to be looked at before they are committed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <functional>
#include <sstream>
#include <string>

#include "worksheet/kinds/common_denominator_line.h"
#include "worksheet/kinds/four_operations_line.h"
#include "worksheet/kinds/powers_line.h"
#include "worksheet/kinds/simplification_line.h"

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
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    LineImages images;
    layout.compose(images);
    const std::string drawn = ToPbm(images.ImaRep.Picture());
    QFile file(folder.filePath(QString(layout.name) + ".pbm"));
    if (rewrite) {
      ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(QByteArray::fromStdString(drawn));
      continue;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_EQ(drawn, file.readAll().toStdString()) << "drawn now:\n" << drawn;
  }
}

}  // namespace
}  // namespace fractions
