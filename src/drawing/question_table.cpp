#include "question_table.h"

#include <algorithm>

namespace fractions {

QuestionTable::QuestionTable() : QuestionTable(kMaxQuestions) {}

QuestionTable::QuestionTable(int slots) : slots_(static_cast<size_t>(slots)) {}

void QuestionTable::Clear() {
  std::fill(slots_.begin(), slots_.end(), std::string());
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

std::string QuestionKey(std::span<const int32_t> numbers) {
  std::string key;
  for (const int32_t n : numbers) {
    key += std::to_string(n);
  }
  return key;
}

std::string SeparatedKey(std::span<const int32_t> numbers) {
  std::string key;
  for (const int32_t n : numbers) {
    if (!key.empty()) {
      key += ',';
    }
    key += std::to_string(n);
  }
  return key;
}

}  // namespace fractions
