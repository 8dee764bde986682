#include "picture_drawings.h"

#include <QCryptographicHash>
#include <QVariant>
#include <algorithm>
#include <list>
#include <mutex>
#include <unordered_map>

#include "dib.h"

namespace fractions {

namespace {

// Values by key bytes, with the keys from the most to the least recently
// used; the least recently used go beyond `capacity` values.
template <typename Value>
class RecentMemory {
 public:
  explicit RecentMemory(size_t capacity) : capacity_(capacity) {}

  void Remember(std::string key, Value value) {
    const std::lock_guard lock(mutex_);
    auto [entry, added] = values_.try_emplace(std::move(key));
    entry->second.value = std::move(value);
    if (added) {
      recent_.push_front(&entry->first);
      entry->second.place = recent_.begin();
    } else {
      recent_.splice(recent_.begin(), recent_, entry->second.place);
    }
    while (values_.size() > capacity_) {
      values_.erase(*recent_.back());
      recent_.pop_back();
    }
  }

  std::optional<Value> Find(const std::string& key) {
    const std::lock_guard lock(mutex_);
    const auto entry = values_.find(key);
    if (entry == values_.end()) {
      return std::nullopt;
    }
    recent_.splice(recent_.begin(), recent_, entry->second.place);
    return entry->second.value;
  }

  void Clear() {
    const std::lock_guard lock(mutex_);
    values_.clear();
    recent_.clear();
  }

  size_t Capacity() const { return capacity_; }

 private:
  struct Entry {
    Value value;
    std::list<const std::string*>::iterator place;
  };
  const size_t capacity_;
  std::mutex mutex_;
  std::unordered_map<std::string, Entry> values_;
  std::list<const std::string*> recent_;
};

using DrawingPointer = std::shared_ptr<const PictureDrawing>;

// Drawings by the digests of their pictures' DIB bytes (see DibKey). The
// most recent are held here; any other is found for as long as something
// else holds it: a document that shows its picture (KeepPictureDrawing).
// A drawing held is never replaced: the picture a document shows prints
// as it was drawn.
class DrawingMemory {
 public:
  explicit DrawingMemory(size_t capacity) : recent_(capacity), sweep_above_(2 * capacity) {}

  void Remember(std::string key, DrawingPointer drawing) {
    const std::lock_guard lock(mutex_);
    std::weak_ptr<const PictureDrawing>& known = known_[key];
    if (DrawingPointer held = known.lock()) {
      drawing = std::move(held);
    } else {
      known = drawing;
    }
    recent_.Remember(std::move(key), std::move(drawing));
    if (known_.size() > sweep_above_) {
      // What no document and no recent picture holds any more goes; the
      // sweep comes again once as many more are known, so that it costs
      // little per picture.
      std::erase_if(known_, [](const auto& entry) { return entry.second.expired(); });
      sweep_above_ = std::max(2 * recent_.Capacity(), 2 * known_.size());
    }
  }

  DrawingPointer Find(const std::string& key) {
    const std::lock_guard lock(mutex_);
    const auto entry = known_.find(key);
    DrawingPointer drawing = entry == known_.end() ? nullptr : entry->second.lock();
    if (drawing != nullptr) {
      recent_.Remember(key, drawing);
    }
    return drawing;
  }

  void Clear() {
    const std::lock_guard lock(mutex_);
    known_.clear();
    recent_.Clear();
  }

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, std::weak_ptr<const PictureDrawing>> known_;
  RecentMemory<DrawingPointer> recent_;
  size_t sweep_above_;
};

DrawingMemory& Drawings() {
  static DrawingMemory memory(kRememberedDrawings);
  return memory;
}

// The DIB bytes of the pictures sharp copies were made from, by the digests
// of the copies' DIB bytes: sixteen times larger than the picture, a copy
// would make a heavy key.
RecentMemory<std::string>& SharpCopies() {
  static RecentMemory<std::string> memory(kRememberedSharpCopies);
  return memory;
}

bool IsBlackAndWhiteTable(const QImage& picture) {
  constexpr QRgb kBlack = 0xFF000000;
  constexpr QRgb kWhite = 0xFFFFFFFF;
  if (picture.colorCount() != 2) {
    return false;
  }
  const QRgb first = picture.color(0) | 0xFF000000;
  const QRgb second = picture.color(1) | 0xFF000000;
  return (first == kBlack && second == kWhite) || (first == kWhite && second == kBlack);
}

// The DIB bytes of a black-and-white one-bit picture, or nothing.
std::optional<std::string> OneBitDibOf(const QImage& picture) {
  if (picture.format() != QImage::Format_Mono && picture.format() != QImage::Format_MonoLSB) {
    return std::nullopt;
  }
  if (!IsBlackAndWhiteTable(picture)) {
    return std::nullopt;
  }
  return EncodeOneBitDib(picture.format() == QImage::Format_Mono
                             ? picture
                             : picture.convertToFormat(QImage::Format_Mono));
}

// A picture's key: the digest of its DIB bytes, which are the same
// whatever form the picture was stored and read back in. A large-print
// line takes kilobytes; its digest, 32 bytes, and no two pictures share
// one.
std::string DibKey(const std::string& dib) {
  return QCryptographicHash::hash(QByteArrayView(dib.data(), static_cast<qsizetype>(dib.size())),
                                  QCryptographicHash::Sha256)
      .toStdString();
}

std::optional<DrawnPicture> WithDrawing(const QImage& picture, const std::string& dib) {
  DrawingPointer drawing = Drawings().Find(DibKey(dib));
  if (drawing == nullptr || drawing->Size() != picture.size()) {
    return std::nullopt;
  }
  return DrawnPicture{picture.convertToFormat(QImage::Format_Mono), std::move(drawing)};
}

// Where a document keeps the drawing of its picture `picture_name`: a
// resource of its own name, as QTextDocument names resources by their
// names alone.
QUrl KeptDrawingName(const QUrl& picture_name) {
  return QUrl(QStringLiteral("drawing-of:") + picture_name.toString());
}

}  // namespace

void RememberPictureDrawing(const std::string& dib, std::shared_ptr<const PictureDrawing> drawing) {
  Drawings().Remember(DibKey(dib), std::move(drawing));
}

std::shared_ptr<const PictureDrawing> FindPictureDrawing(const QImage& picture) {
  const std::optional<std::string> dib = OneBitDibOf(picture);
  return dib ? Drawings().Find(DibKey(*dib)) : nullptr;
}

void KeepPictureDrawing(QTextDocument& document, const QUrl& picture_name, const QImage& picture) {
  if (std::optional<DrawnPicture> drawn = FindDrawnPicture(picture)) {
    document.addResource(kKeptDrawingResource, KeptDrawingName(picture_name),
                         QVariant::fromValue(std::move(drawn->drawing)));
  }
}

void CopyKeptPictureDrawing(const QTextDocument& from, QTextDocument& to,
                            const QUrl& picture_name) {
  const QUrl name = KeptDrawingName(picture_name);
  const QVariant drawing = from.resource(kKeptDrawingResource, name);
  if (drawing.isValid()) {
    to.addResource(kKeptDrawingResource, name, drawing);
  }
}

void ForgetPictureDrawings() {
  Drawings().Clear();
  SharpCopies().Clear();
}

void RememberSharpCopy(const QImage& sharp, const QImage& picture) {
  const std::optional<std::string> sharp_dib = OneBitDibOf(sharp);
  std::optional<std::string> dib = OneBitDibOf(picture);
  if (sharp_dib && dib) {
    SharpCopies().Remember(DibKey(*sharp_dib), std::move(*dib));
  }
}

std::optional<DrawnPicture> FindDrawnPicture(const QImage& image) {
  const std::optional<std::string> dib = OneBitDibOf(image);
  if (!dib) {
    return std::nullopt;
  }
  if (auto drawn = WithDrawing(image, *dib)) {
    return drawn;
  }
  const std::optional<std::string> original = SharpCopies().Find(DibKey(*dib));
  if (!original) {
    return std::nullopt;
  }
  const std::optional<QImage> picture =
      DecodeDib(*original, int64_t{kMaxPictureSide} * kMaxPictureSide);
  return picture ? WithDrawing(*picture, *original) : std::nullopt;
}

}  // namespace fractions
