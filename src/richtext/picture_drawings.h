#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <memory>
#include <optional>
#include <string>

// The drawings behind the one-bit pictures this program makes. A picture
// travels through RTF as a bitmap of 96 dots per inch; whoever draws it on
// paper can draw it again from its drawing at the paper's resolution. The
// drawing is found from the picture's own bytes, so it follows the picture
// through the views, hand edits and copies, and nothing is added to the RTF.
namespace fractions {

class PictureDrawing {
 public:
  virtual ~PictureDrawing() = default;
  // The picture's size in its own pixels (1/96 inch each).
  virtual QSize Size() const = 0;
  // Draws the picture with its top-left corner at the painter's origin, one
  // unit of the painter's coordinates being one picture pixel: white
  // background, black drawing, nothing outside the picture.
  virtual void Draw(QPainter& painter) const = 0;
};

// Remembers `drawing` as the drawing of the picture whose one-bit DIB is
// `dib` (EncodeOneBitDib's bytes). The most recent pictures are kept; the
// oldest are forgotten once there are more than kRememberedDrawings. A
// picture whose drawing is forgotten prints as itself, a bitmap.
void RememberPictureDrawing(const std::string& dib, std::shared_ptr<const PictureDrawing> drawing);

// The drawing of a black-and-white one-bit picture, found by its DIB
// bytes; nothing for any other picture.
std::shared_ptr<const PictureDrawing> FindPictureDrawing(const QImage& picture);

// A sharper copy of a picture, drawn black on white (one bit a pixel) from
// its drawing at a higher resolution, as saved files carry it for word
// processors. Read back from
// such a file, the copy leads to the picture and its drawing again, so
// that saving once more writes the same pictures, not copies of copies.
// The most recent kRememberedSharpCopies copies are remembered, apart
// from the drawings: saving a large set never makes the views forget
// theirs.
void RememberSharpCopy(const QImage& sharp, const QImage& picture);

// A one-bit picture with a remembered drawing of the same size.
struct DrawnPicture {
  QImage picture;
  std::shared_ptr<const PictureDrawing> drawing;
};

// The drawn picture `image` stands for: `image` itself, or the picture a
// sharp copy equal to `image` was made from; nothing for any other image.
std::optional<DrawnPicture> FindDrawnPicture(const QImage& image);

// Forgets every drawing and sharp copy remembered: their pictures print as
// the bitmaps they are.
void ForgetPictureDrawings();

// Over three times what both documents of the largest class set hold: a
// hundred different worksheets of 60 lines, with a worked key in large
// print (at most about three pictures a line: 18,000 in all), and the
// views' own. Each costs its drawing and a 32-byte key.
inline constexpr size_t kRememberedDrawings = 65536;

// Sharp copies remembered: each keeps the bytes of its picture.
inline constexpr size_t kRememberedSharpCopies = 16384;

}  // namespace fractions
