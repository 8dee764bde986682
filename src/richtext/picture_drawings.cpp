#include "picture_drawings.h"

#include <QCryptographicHash>
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

// Drawings by the digests of their pictures' DIB bytes (see DibKey).
RecentMemory<std::shared_ptr<const PictureDrawing>>& Drawings() {
  static RecentMemory<std::shared_ptr<const PictureDrawing>> memory(kRememberedDrawings);
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
  const auto drawing = Drawings().Find(DibKey(dib));
  if (!drawing || *drawing == nullptr || (*drawing)->Size() != picture.size()) {
    return std::nullopt;
  }
  return DrawnPicture{picture.convertToFormat(QImage::Format_Mono), *drawing};
}

}  // namespace

void RememberPictureDrawing(const std::string& dib, std::shared_ptr<const PictureDrawing> drawing) {
  Drawings().Remember(DibKey(dib), std::move(drawing));
}

std::shared_ptr<const PictureDrawing> FindPictureDrawing(const QImage& picture) {
  const std::optional<std::string> dib = OneBitDibOf(picture);
  return dib ? Drawings().Find(DibKey(*dib)).value_or(nullptr) : nullptr;
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
