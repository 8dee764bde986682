#include "output/page_renderer.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>

#include "richtext/keep_with_next.h"

namespace fractions {
namespace {

constexpr int kPageWidth = 300;

// A page device at 96 dots per inch, so that layout units are pixels.
QImage Device(int height) {
  QImage image(kPageWidth, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Paragraphs of text, or of one black picture of `picture_height` pixels.
std::unique_ptr<QTextDocument> Document(int paragraphs, int picture_height = 0) {
  auto document = std::make_unique<QTextDocument>();
  QTextCursor cursor(document.get());
  QImage black(40, std::max(picture_height, 1), QImage::Format_RGB32);
  black.fill(Qt::black);
  document->addResource(QTextDocument::ImageResource, QUrl("black"), black);
  for (int i = 0; i < paragraphs; ++i) {
    if (i > 0) {
      cursor.insertBlock();
    }
    if (picture_height > 0) {
      QTextImageFormat picture;
      picture.setName("black");
      picture.setWidth(40);
      picture.setHeight(picture_height);
      cursor.insertImage(picture);
    } else {
      cursor.insertText(QString("Ligne %1").arg(i));
    }
  }
  return document;
}

// Renders every page; returns the page starts and checks that each page
// moves on.
std::vector<int> PageStarts(const PageRenderer& renderer, QImage& device) {
  std::vector<int> starts;
  for (int from = 0; from < renderer.TextLength();) {
    starts.push_back(from);
    QPainter painter(&device);
    const int next = renderer.RenderPage(painter, from);
    if (next <= from) {
      ADD_FAILURE() << "the page at " << from << " does not move on";
      break;
    }
    from = next;
  }
  return starts;
}

double LineHeight() {
  QImage device = Device(100);
  auto one = Document(1);
  one->documentLayout()->setPaintDevice(&device);
  one->setDocumentMargin(0);
  return one->documentLayout()->documentSize().height();
}

TEST(PageRenderer, EmptyDocumentHasNoPage) {
  QImage device = Device(100);
  QTextDocument empty;
  const PageRenderer renderer(empty, &device, QSizeF(kPageWidth, 100));
  EXPECT_EQ(renderer.TextLength(), 0);
  QPainter painter(&device);
  EXPECT_EQ(renderer.RenderPage(painter, 0), 0);
}

TEST(PageRenderer, PagesHoldWholeLinesAndFollowEachOther) {
  const double line = LineHeight();
  struct Case {
    const char* what;
    int paragraphs;
    double page_height;
    size_t pages;
  };
  const Case cases[] = {
      {"one page", 5, line * 10 + 3, 1},
      {"a page filled exactly", 10, line * 10, 1},
      {"one line more", 11, line * 10, 2},
      {"several pages", 100, line * 10 + line / 2, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = Document(c.paragraphs);
    QImage device = Device(static_cast<int>(c.page_height) + 1);
    const PageRenderer renderer(*document, &device, QSizeF(kPageWidth, c.page_height));
    const std::vector<int> starts = PageStarts(renderer, device);
    ASSERT_EQ(starts.size(), c.pages);
    for (const int start : starts) {
      EXPECT_EQ(document->findBlock(start).position(), start);  // a page starts a line
    }
  }
}

TEST(PageRenderer, PicturesAreNeverCut) {
  // Pictures 28 pixels high on pages of 100: three per page, and the band
  // below the third stays white.
  auto document = Document(7, 28);
  QImage device = Device(100);
  const PageRenderer renderer(*document, &device, QSizeF(kPageWidth, 100));
  const std::vector<int> starts = PageStarts(renderer, device);
  EXPECT_EQ(starts.size(), 3u);
  QImage page = Device(100);
  QPainter painter(&page);
  renderer.RenderPage(painter, 0);
  painter.end();
  int lowest_black = -1;
  for (int y = 0; y < page.height(); ++y) {
    if (qGray(page.pixel(5, y)) < 128) {
      lowest_black = y;
    }
  }
  EXPECT_GE(lowest_black, 3 * 28 - 6);   // the third picture is there...
  EXPECT_LT(lowest_black, 3 * 28 + 10);  // ...and nothing of the fourth
}

TEST(PageRenderer, ALineTallerThanThePageStillMovesOn) {
  auto document = Document(2, 150);
  QImage device = Device(100);
  const PageRenderer renderer(*document, &device, QSizeF(kPageWidth, 100));
  EXPECT_EQ(PageStarts(renderer, device).size(), 2u);
}

// Paragraphs that keep with the next (a heading, its instruction, a long
// separator that wraps) never end a page, nor does a page open inside one:
// it ends before them, unless they began it, and every page moves on.
TEST(PageRenderer, KeptParagraphsGoOverWithTheNext) {
  const double line = LineHeight();
  struct Case {
    const char* what;
    std::vector<int> kept;  // paragraph numbers
    std::vector<int> page_starts;
    int three_lines = -1;  // a paragraph that wraps
  };
  const Case cases[] = {
      {"none kept", {}, {0, 10, 20}},
      {"a heading and its instruction at a page's foot", {8, 9}, {0, 8, 18}},
      {"kept above the foot", {6, 7}, {0, 10, 20}},
      {"a heading at the foot of two pages", {9, 18}, {0, 9, 18}},
      {"a run that began the page", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 10, 20}},
      {"a paragraph of three lines at a page's foot", {7}, {0, 7, 15}, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = Document(22);
    if (c.three_lines >= 0) {
      QTextCursor(document->findBlockByNumber(c.three_lines))
          .insertText(QString("mot ").repeated(26));
    }
    QTextBlockFormat keep;
    SetKeepWithNext(keep, true);
    for (const int paragraph : c.kept) {
      QTextCursor(document->findBlockByNumber(paragraph)).mergeBlockFormat(keep);
    }
    QImage device = Device(static_cast<int>(line * 10) + 1);
    const PageRenderer renderer(*document, &device, QSizeF(kPageWidth, line * 10 + line / 2));
    std::vector<int> starts;
    for (const int start : PageStarts(renderer, device)) {
      EXPECT_EQ(document->findBlock(start).position(), start) << "a page opens inside a paragraph";
      starts.push_back(document->findBlock(start).blockNumber());
    }
    EXPECT_EQ(starts, c.page_starts);
  }
}

}  // namespace
}  // namespace fractions
