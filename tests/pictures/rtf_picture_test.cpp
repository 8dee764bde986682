#include "pictures/rtf_picture.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "pictures/kinds/common_denominator_line.h"

namespace fractions {
namespace {

QImage Filled(int width, int height, Qt::GlobalColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

std::string HexOf(const std::string& group) {
  constexpr std::string_view kOpen = "{\\pict\\dibitmap0 ";
  EXPECT_TRUE(group.starts_with(kOpen));
  EXPECT_TRUE(group.ends_with(" }"));
  return group.substr(kOpen.size(), group.size() - kOpen.size() - 2);
}

TEST(BitmapToRtfPict, SizesOfTheGroup) {
  struct Case {
    int width, height;
    size_t row_bytes;
  };
  for (const Case c : {Case{1, 1, 4}, Case{32, 5, 4}, Case{33, 5, 8}, Case{90, 28, 12},
                       Case{120, 28, 16}, Case{77, 70, 12}}) {
    const std::string hex = HexOf(BitmapToRtfPict(Filled(c.width, c.height, Qt::white)));
    EXPECT_EQ(hex.size(), 2 * (48 + c.row_bytes * static_cast<size_t>(c.height)))
        << c.width << " x " << c.height;
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  }
  EXPECT_EQ(BitmapToRtfPict(Filled(90, 28, Qt::white)).size(), 787u);
}

TEST(BitmapToRtfPict, HeaderColourTableAndRowsOfPlainPictures) {
  // 1 x 1 white: width 1, height 1, 1 plane, 1 bit, no compression, 4 bytes
  // of pixels, black then white colour entries, one row 0x80 padded to 32 bits.
  const std::string white = HexOf(BitmapToRtfPict(Filled(1, 1, Qt::white)));
  EXPECT_EQ(white.substr(0, 48), "280000000100000001000000010001000000000004000000");
  EXPECT_EQ(white.substr(80, 16), "00000000FFFFFF00");
  EXPECT_EQ(white.substr(96), "80000000");
  // 33 wide: one full row of white is FFFFFFFF80 then zero padding.
  const std::string wide_white = HexOf(BitmapToRtfPict(Filled(33, 2, Qt::white)));
  EXPECT_EQ(wide_white.substr(96), "FFFFFFFF80000000FFFFFFFF80000000");
  const std::string black = HexOf(BitmapToRtfPict(Filled(33, 2, Qt::black)));
  EXPECT_EQ(black.substr(96), std::string(32, '0'));
}

TEST(BitmapToRtfPict, GreysFallToTheNearerOfBlackAndWhite) {
  QImage image(2, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(127, 127, 127));
  image.setPixel(1, 0, qRgb(128, 128, 128));
  EXPECT_EQ(HexOf(BitmapToRtfPict(image)).substr(96), "40000000");
}

// Decodes a picture group with Qt's own BMP reader: the group's DIB behind a
// 14-byte file header.
QImage DecodeWithQt(const std::string& group) {
  const QByteArray dib = QByteArray::fromHex(QByteArray::fromStdString(HexOf(group)));
  QByteArray file("BM");
  const auto append32 = [&file](uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      file.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
  };
  append32(static_cast<uint32_t>(14 + dib.size()));
  append32(0);
  append32(14 + 48);
  file.append(dib);
  return QImage::fromData(file, "BMP");
}

TEST(BitmapToRtfPict, DecodesToTheDrawnPicture) {
  LineImages images;
  ComposeLine(images, 38, CommonDenominatorKind{}, {97, 12, 5, 18, 291, 36, 10, 36});
  for (const QImage* drawn : {&images.ImaRep.Picture(), &images.ImaQuest.Picture()}) {
    const std::string group = BitmapToRtfPict(*drawn);
    EXPECT_EQ(BitmapToRtfPict(*drawn), group);  // converting twice changes nothing
    const QImage decoded = DecodeWithQt(group);
    ASSERT_EQ(decoded.size(), drawn->size());
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32),
              drawn->convertToFormat(QImage::Format_RGB32));
  }
}

}  // namespace
}  // namespace fractions
