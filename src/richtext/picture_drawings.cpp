#include "picture_drawings.h"

#include <list>
#include <mutex>
#include <unordered_map>

#include "dib.h"

namespace fractions {

namespace {

// The remembered drawings by DIB bytes (hashed by the map, compared in full
// so that two pictures never share a drawing), with the keys from the most
// to the least recently used.
class DrawingMemory {
 public:
  void Remember(std::string dib, std::shared_ptr<const PictureDrawing> drawing) {
    const std::lock_guard lock(mutex_);
    auto [entry, added] = drawings_.try_emplace(std::move(dib));
    entry->second.drawing = std::move(drawing);
    if (added) {
      recent_.push_front(&entry->first);
      entry->second.place = recent_.begin();
    } else {
      recent_.splice(recent_.begin(), recent_, entry->second.place);
    }
    while (drawings_.size() > kRememberedDrawings) {
      drawings_.erase(*recent_.back());
      recent_.pop_back();
    }
  }

  std::shared_ptr<const PictureDrawing> Find(const std::string& dib) {
    const std::lock_guard lock(mutex_);
    const auto entry = drawings_.find(dib);
    if (entry == drawings_.end()) {
      return nullptr;
    }
    recent_.splice(recent_.begin(), recent_, entry->second.place);
    return entry->second.drawing;
  }

 private:
  struct Entry {
    std::shared_ptr<const PictureDrawing> drawing;
    std::list<const std::string*>::iterator place;
  };
  std::mutex mutex_;
  std::unordered_map<std::string, Entry> drawings_;
  std::list<const std::string*> recent_;
};

DrawingMemory& Memory() {
  static DrawingMemory memory;
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

}  // namespace

void RememberPictureDrawing(std::string dib, std::shared_ptr<const PictureDrawing> drawing) {
  Memory().Remember(std::move(dib), std::move(drawing));
}

std::shared_ptr<const PictureDrawing> FindPictureDrawing(const QImage& picture) {
  if (picture.format() != QImage::Format_Mono && picture.format() != QImage::Format_MonoLSB) {
    return nullptr;
  }
  if (!IsBlackAndWhiteTable(picture)) {
    return nullptr;
  }
  const QImage mono = picture.format() == QImage::Format_Mono
                          ? picture
                          : picture.convertToFormat(QImage::Format_Mono);
  return Memory().Find(EncodeOneBitDib(mono));
}

}  // namespace fractions
