#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QTextDocument>
#include <QUrl>
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
// `dib` (EncodeOneBitDib's bytes). The most recent pictures are kept, and
// those a document shows (KeepPictureDrawing); the others are forgotten
// once there are more than kRememberedDrawings more recent ones. A picture
// whose drawing is forgotten prints as itself, a bitmap. While a document
// shows the picture, its drawing stays the one it has: remembering another
// for the same bytes changes nothing.
void RememberPictureDrawing(const std::string& dib, std::shared_ptr<const PictureDrawing> drawing);

// Where documents keep the drawings of the pictures they show.
inline constexpr int kKeptDrawingResource = QTextDocument::UserResource + 1;

// Keeps the drawing of `picture` (found as FindDrawnPicture finds it), the
// image resource `picture_name` of `document`, for as long as the document
// holds its resources: the drawing is not forgotten while the document
// shows the picture, however many pictures are drawn meanwhile. Nothing
// for a picture without a drawing. A copy of the document made by clone()
// keeps it too; the document's clear() lets it go.
void KeepPictureDrawing(QTextDocument& document, const QUrl& picture_name, const QImage& picture);

// Keeps in `to` the drawing `from` keeps for its picture `picture_name`,
// for a picture copied from one document to the other under its name.
void CopyKeptPictureDrawing(const QTextDocument& from, QTextDocument& to, const QUrl& picture_name);

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
// print (at most about three pictures a line: 18,000 in all). Each costs
// its drawing and a 32-byte key. The drawings of the pictures documents
// show come on top, for as long as they show them.
inline constexpr size_t kRememberedDrawings = 65536;

// Sharp copies remembered: each keeps the bytes of its picture.
inline constexpr size_t kRememberedSharpCopies = 16384;

}  // namespace fractions
