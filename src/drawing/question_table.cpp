#include "question_table.h"

#include <algorithm>

namespace fractions {

void QuestionTable::Clear() {
  slots_.fill(std::string());
}

bool QuestionTable::IsDuplicateQuestion(const std::string& key) const {
  return std::find(slots_.begin(), slots_.end(), key) != slots_.end() && !key.empty();
}

void QuestionTable::Store(int position, std::string key) {
  slots_.at(static_cast<size_t>(position)) = std::move(key);
}

bool QuestionTable::StoreIfNew(int position, std::string key) {
  if (IsDuplicateQuestion(key)) {
    return false;
  }
  Store(position, std::move(key));
  return true;
}

const std::string& QuestionTable::Slot(int position) const {
  return slots_.at(static_cast<size_t>(position));
}

std::string TwoTermKey(int32_t a, int32_t b) {
  return std::to_string(a) + std::to_string(b);
}

std::string FourTermKey(int32_t a, int32_t b, int32_t c, int32_t d) {
  return TwoTermKey(a, b) + TwoTermKey(c, d);
}

}  // namespace fractions
