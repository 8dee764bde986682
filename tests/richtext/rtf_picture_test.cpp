// Pictures read by InsertRtf: DIBs of every depth, PNG and JPEG, shown sizes,
// and the damaged pictures a reader must survive.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTextDocument>
#include <QTextImageFormat>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "richtext/dib.h"
#include "richtext/rtf_picture_reader.h"
#include "richtext/rtf_reader.h"
#include "rtf_test_support.h"

namespace fractions {
namespace {

using testing::InPrologue;
using testing::PictureCount;
using testing::ReadInto;
using testing::Span;
using testing::Spans;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;

std::string Le32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) {
    bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  return bytes;
}

std::string Bgr0(QRgb colour) {
  return {static_cast<char>(qBlue(colour)), static_cast<char>(qGreen(colour)),
          static_cast<char>(qRed(colour)), '\0'};
}

// A BITMAPINFOHEADER; the colour table and rows follow it.
std::string DibHeader(int32_t width, int32_t height, uint16_t bits, uint32_t colours_used = 0,
                      uint32_t compression = 0) {
  std::string header =
      Le32(40) + Le32(static_cast<uint32_t>(width)) + Le32(static_cast<uint32_t>(height));
  header += std::string{1, '\0'} + static_cast<char>(bits) + '\0';
  header += Le32(compression) + Le32(0) + Le32(3780) + Le32(3780) + Le32(colours_used) + Le32(0);
  return header;
}

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 0x0F];
  }
  return hex;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int v : values) {
    bytes += static_cast<char>(v);
  }
  return bytes;
}

// 3 x 2, one bit: top row black-white-black, bottom row white-black-white.
const std::string kBlackWhite = Bgr0(kBlack) + Bgr0(kWhite);
const std::string kTopRow = Bytes({0x40, 0, 0, 0});
const std::string kBottomRow = Bytes({0xA0, 0, 0, 0});
const std::string kThreeByTwo = DibHeader(3, 2, 1) + kBlackWhite + kBottomRow + kTopRow;

// An image from rows of letters: '#' black, '.' white, 'r', 'g', 'b'.
QImage Pattern(std::vector<std::string> rows) {
  const std::map<char, QRgb> colours = {
      {'#', kBlack}, {'.', kWhite}, {'r', kRed}, {'g', kGreen}, {'b', kBlue}};
  QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
               QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, colours.at(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]));
    }
  }
  return image;
}

std::string Pict(const std::string& words, const std::string& data) {
  return InPrologue("{\\pict" + words + " " + data + "}");
}

std::string DibGroup(const std::string& hex) {
  return "{\\pict\\dibitmap0 " + hex + "}";
}

TEST(RtfPictures, DecodesDibsOfEveryDepthAndSkipsBrokenOnes) {
  struct Case {
    const char* name;
    std::string rtf;
    std::optional<QImage> expected;  // nothing: no picture at all
  };
  const QImage three_by_two = Pattern({"#.#", ".#."});
  const std::string three_by_two_hex = Hex(kThreeByTwo);
  const std::vector<Case> cases = {
      {"one bit, bottom-up", Pict("\\dibitmap0", three_by_two_hex), three_by_two},
      {"upper-case hex",
       Pict("\\dibitmap0", QString::fromStdString(three_by_two_hex).toUpper().toStdString()),
       three_by_two},
      {"top-down rows",
       Pict("\\dibitmap0", Hex(DibHeader(3, -2, 1) + kBlackWhite + kTopRow + kBottomRow)),
       three_by_two},
      {"biClrUsed 2",
       Pict("\\dibitmap0", Hex(DibHeader(3, 2, 1, 2) + kBlackWhite + kBottomRow + kTopRow)),
       three_by_two},
      {"white first",
       Pict("\\dibitmap0",
            Hex(DibHeader(3, 2, 1) + Bgr0(kWhite) + Bgr0(kBlack) + kBottomRow + kTopRow)),
       Pattern({".#.", "#.#"})},
      {"one colour given",
       Pict("\\dibitmap0", Hex(DibHeader(3, 2, 1, 1) + Bgr0(kRed) + kBottomRow + kTopRow)),
       Pattern({"r#r", "#r#"})},
      {"four bits",
       Pict("\\dibitmap0", Hex(DibHeader(3, 1, 4, 3) + Bgr0(kRed) + Bgr0(kGreen) + Bgr0(kBlue) +
                               Bytes({0x21, 0x00, 0, 0}))),
       Pattern({"bgr"})},
      {"eight bits, unused index is black",
       Pict("\\dibitmap0",
            Hex(DibHeader(3, 1, 8, 2) + Bgr0(kRed) + Bgr0(kGreen) + Bytes({1, 0, 7, 0}))),
       Pattern({"gr#"})},
      {"24 bits",
       Pict("\\dibitmap0", Hex(DibHeader(2, 1, 24) + Bytes({255, 0, 0, 0, 0, 255, 0, 0}))),
       Pattern({"br"})},
      {"32 bits, alpha byte ignored",
       Pict("\\dibitmap0",
            Hex(DibHeader(1, 2, 32) + Bytes({0, 255, 0, 0x7F}) + Bytes({0, 0, 0, 0}))),
       Pattern({"#", "g"})},
      {"truncated rows: the bottom rows present",
       Pict("\\dibitmap0", Hex(DibHeader(3, 4, 1) + kBlackWhite + kBottomRow + kTopRow + "\x01")),
       three_by_two},
      {"odd digit count", Pict("\\dibitmap0", three_by_two_hex + "f"), three_by_two},
      {"blanks and junk in the hex",
       Pict("\\dibitmap0",
            three_by_two_hex.substr(0, 9) + " \r\n zz,;" + three_by_two_hex.substr(9)),
       three_by_two},
      {"binary data",
       InPrologue("{\\pict\\dibitmap0\\bin" + std::to_string(kThreeByTwo.size()) + " " +
                  kThreeByTwo + "}"),
       three_by_two},
      {"hex then binary",
       InPrologue("{\\pict\\dibitmap0 " + Hex(kThreeByTwo.substr(0, 10)) + "\\bin" +
                  std::to_string(kThreeByTwo.size() - 10) + " " + kThreeByTwo.substr(10) + "}"),
       three_by_two},
      {"a million pixels square",
       Pict("\\dibitmap0", Hex(DibHeader(1000000, 1000000, 1) + kBlackWhite + kTopRow)),
       std::nullopt},
      {"no complete row", Pict("\\dibitmap0", Hex(DibHeader(3, 2, 1) + kBlackWhite + "\x01")),
       std::nullopt},
      {"zero width", Pict("\\dibitmap0", Hex(DibHeader(0, 2, 1) + kBlackWhite + kTopRow)),
       std::nullopt},
      {"zero height", Pict("\\dibitmap0", Hex(DibHeader(3, 0, 1) + kBlackWhite + kTopRow)),
       std::nullopt},
      {"height -2^31", Pict("\\dibitmap0", Hex(DibHeader(3, INT32_MIN, 1) + kBlackWhite + kTopRow)),
       std::nullopt},
      {"16 bits", Pict("\\dibitmap0", Hex(DibHeader(1, 1, 16) + Bytes({0, 0, 0, 0}))),
       std::nullopt},
      {"run-length compressed",
       Pict("\\dibitmap0", Hex(DibHeader(3, 2, 8, 0, 1) + std::string(1024, '\0') + kTopRow)),
       std::nullopt},
      {"more colours than the depth",
       Pict("\\dibitmap0",
            Hex(DibHeader(3, 2, 1, 3) + kBlackWhite + Bgr0(kRed) + kTopRow + kTopRow)),
       std::nullopt},
      {"colour table past the end", Pict("\\dibitmap0", Hex(DibHeader(3, 2, 24, 100000) + kTopRow)),
       std::nullopt},
      {"header only", Pict("\\dibitmap0", Hex(DibHeader(3, 2, 1).substr(0, 39))), std::nullopt},
      {"header size past the data", Pict("\\dibitmap0", Hex(Le32(4000) + kThreeByTwo.substr(4))),
       std::nullopt},
      {"no data", Pict("\\dibitmap0", ""), std::nullopt},
      {"metafile", Pict("\\wmetafile8", "0100090000"), std::nullopt},
      {"no picture kind", Pict("", three_by_two_hex), std::nullopt},
      {"inside a skipped destination",
       InPrologue("{\\*\\x{\\pict\\dibitmap0 " + three_by_two_hex + "}}"), std::nullopt},
      {"inside the font table",
       "{\\rtf1{\\fonttbl{\\f0{\\pict\\dibitmap0 " + three_by_two_hex + "}Arial;}}x}",
       std::nullopt},
  };
  for (const Case& c : cases) {
    QTextDocument document;
    const auto error = ReadInto(document, c.rtf);
    ASSERT_FALSE(error.has_value()) << c.name << ": " << error->message;
    const std::vector<Span> spans = Spans(document);
    if (!c.expected) {
      EXPECT_EQ(PictureCount(document), 0) << c.name;
      continue;
    }
    ASSERT_EQ(spans.size(), 1u) << c.name;
    ASSERT_TRUE(spans[0].picture) << c.name;
    EXPECT_EQ(spans[0].image, *c.expected) << c.name;
    EXPECT_EQ(spans[0].width, c.expected->width()) << c.name;
    EXPECT_EQ(spans[0].height, c.expected->height()) << c.name;
  }
}

TEST(RtfPictures, ShownSizeComesFromGoalAndScaleElseFromPixels) {
  struct Case {
    std::string words;
    double width;
    double height;
  };
  const std::vector<Case> cases = {
      {"", 3, 2},
      {"\\picw100\\pich100", 3, 2},
      {"\\picwgoal450\\pichgoal300", 30, 20},
      {"\\picwgoal456", 30.4, 2},
      {"\\picwgoal450\\pichgoal300\\picscalex50\\picscaley200", 15, 40},
      {"\\picscalex200", 6, 2},
      {"\\picwgoal-5\\picscaley0", 3, 2},
      {"\\picwgoal2147483647\\pichgoal99999999999", kMaxPictureSide, kMaxPictureSide},
      {"\\picwgoal1", 1, 2},
  };
  for (const Case& c : cases) {
    QTextDocument document;
    ASSERT_FALSE(ReadInto(document, Pict("\\dibitmap0" + c.words, Hex(kThreeByTwo))).has_value());
    const std::vector<Span> spans = Spans(document);
    ASSERT_EQ(spans.size(), 1u) << c.words;
    EXPECT_EQ(spans[0].width, c.width) << c.words;
    EXPECT_EQ(spans[0].height, c.height) << c.words;
    EXPECT_EQ(spans[0].image.size(), QSize(3, 2)) << c.words;
  }
}

TEST(RtfPictures, ShowsOneOfTwinShapeAndPlainPictures) {
  const std::string hex = Hex(kThreeByTwo);
  const std::string twins = "{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn a}{\\sv 1}}}\\dibitmap0 " +
                            hex + "}}{\\nonshppict{\\pict\\dibitmap0 " + hex + "}}";
  QTextDocument document;
  ASSERT_FALSE(ReadInto(document, InPrologue("a" + twins + "b" + twins + "c")).has_value());
  EXPECT_EQ(PictureCount(document), 2);
  EXPECT_EQ(document.toPlainText(), u"a\uFFFCb\uFFFCc"_qs);
}

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return data;
}

TEST(RtfPictures, DecodesPngAndJpeg) {
  QImage colour = Pattern({"rgb#", ".#rg"});
  colour.setPixel(0, 0, qRgba(10, 20, 30, 128));
  const QByteArray png = Encoded(colour, "PNG");
  const QByteArray jpeg = Encoded(Pattern({"rrgg", "bb##"}).scaled(16, 8), "JPEG");

  QTextDocument document;
  ASSERT_FALSE(ReadInto(document, Pict("\\pngblip\\picwgoal120", png.toHex().toStdString()) + "")
                   .has_value());
  std::vector<Span> spans = Spans(document);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0].image, colour);
  EXPECT_EQ(spans[0].width, 8);
  EXPECT_EQ(spans[0].height, 2);

  QTextDocument jpeg_document;
  ASSERT_FALSE(ReadInto(jpeg_document, Pict("\\jpegblip", jpeg.toHex().toStdString())).has_value());
  spans = Spans(jpeg_document);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0].image.size(), QSize(16, 8));

  // The kind word decides the decoder: data of another kind are not shown.
  for (const std::string& rtf : {Pict("\\pngblip", jpeg.toHex().toStdString()),
                                 Pict("\\jpegblip", png.toHex().toStdString()),
                                 Pict("\\pngblip", png.toHex().left(60).toStdString())}) {
    QTextDocument bad;
    ASSERT_FALSE(ReadInto(bad, rtf).has_value());
    EXPECT_EQ(PictureCount(bad), 0);
  }
}

// A few kilobytes of PNG can claim a picture of gigabytes: pictures past the
// per-picture limit are skipped, and so are pictures past the document's
// budget of kMaxDocumentPixels (four pictures at the per-picture limit).
// A DIB holds its pixels in its own bytes: it takes nothing from the
// budget, or a long set of answer keys would lose its last lines.
TEST(RtfPictures, BoundsWhatCompressedPicturesDecodeTo) {
  QImage big(4096, 4096, QImage::Format_Mono);
  big.setColorTable({kBlack, kWhite});
  big.fill(1);
  const std::string at_limit =
      "{\\pict\\pngblip " + Encoded(big, "PNG").toHex().toStdString() + "}";
  QImage too_big(4097, 4096, QImage::Format_Mono);
  too_big.setColorTable({kBlack, kWhite});
  too_big.fill(1);
  const std::string over_limit =
      "{\\pict\\pngblip " + Encoded(too_big, "PNG").toHex().toStdString() + "}";

  QTextDocument one;
  ASSERT_FALSE(ReadInto(one, InPrologue(over_limit + at_limit)).has_value());
  EXPECT_EQ(PictureCount(one), 1);

  QTextDocument five;
  std::string body;
  for (int i = 0; i < 5; ++i) {
    body += at_limit;
  }
  ASSERT_FALSE(ReadInto(five, InPrologue(body)).has_value());
  EXPECT_EQ(PictureCount(five), 4);

  const std::string dib = DibGroup(Hex(DibHeader(1, 1, 1) + kBlackWhite + Bytes({0, 0, 0, 0})));
  QTextDocument after_budget;
  ASSERT_FALSE(ReadInto(after_budget, InPrologue(body + dib + dib)).has_value());
  EXPECT_EQ(PictureCount(after_budget), 6);
}

// The documents this program makes are read with every picture or not at
// all: a picture that cannot be decoded is an error there, where another
// reader leaves it out.
TEST(RtfPictures, AnUnreadablePictureIsAnErrorWhereEveryPictureMustShow) {
  const std::string good = DibGroup(Hex(DibHeader(1, 1, 1) + kBlackWhite + Bytes({0, 0, 0, 0})));
  const std::string bad = DibGroup("00");
  const std::string rtf = InPrologue("avant" + good + bad + "apr\\'e8s");
  QTextDocument lenient;
  ASSERT_FALSE(ReadInto(lenient, rtf).has_value());
  EXPECT_EQ(PictureCount(lenient), 1);

  QTextDocument strict;
  QTextCursor cursor(&strict);
  const std::optional<RtfReadError> error = InsertRtf(cursor, rtf, PictureReading::kAllOrError);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->kind, RtfReadError::Kind::kUnreadablePicture);
  EXPECT_EQ(error->offset, rtf.find(bad));
  EXPECT_TRUE(strict.isEmpty());
  EXPECT_FALSE(InsertRtf(cursor, InPrologue(good + good), PictureReading::kAllOrError));
  EXPECT_EQ(PictureCount(strict), 2);
}

TEST(RtfPictures, EveryPictureGetsItsOwnResource) {
  const std::string white = Hex(DibHeader(1, 1, 1) + kBlackWhite + Bytes({0x80, 0, 0, 0}));
  const std::string black = Hex(DibHeader(1, 1, 1) + kBlackWhite + Bytes({0, 0, 0, 0}));
  QTextDocument document;
  ASSERT_FALSE(ReadInto(document, Pict("\\dibitmap0", white)).has_value());
  // A second reading into the same document keeps the first picture.
  QTextCursor end(&document);
  end.movePosition(QTextCursor::End);
  ASSERT_FALSE(InsertRtf(end, Pict("\\dibitmap0", black)).has_value());
  const std::vector<Span> spans = Spans(document);
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_EQ(spans[0].image.pixel(0, 0), kWhite);
  EXPECT_EQ(spans[1].image.pixel(0, 0), kBlack);
}

}  // namespace
}  // namespace fractions
