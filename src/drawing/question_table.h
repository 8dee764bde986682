#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fractions {

// At most this many questions per worksheet.
inline constexpr int kMaxQuestions = 40;

// The keys of the questions accepted in the current run, slot k holding the
// key of question position k. One table serves the whole program; every
// drawing phase empties it first, so duplicates are only refused within a run.
class QuestionTable {
 public:
  // kMaxQuestions slots, a sheet's questions.
  QuestionTable();
  // `slots` slots: a probe's table, for more questions than a sheet holds.
  explicit QuestionTable(int slots);

  void Clear();
  // True when any slot holds exactly `key`. Keys are never empty, so an empty
  // slot never matches.
  bool IsDuplicateQuestion(const std::string& key) const;
  void Store(int position, std::string key);
  // Stores `key` in slot `position` unless another slot already holds it;
  // returns whether it was stored.
  bool StoreIfNew(int position, std::string key);
  const std::string& Slot(int position) const;
  int Size() const { return static_cast<int>(slots_.size()); }

 private:
  std::vector<std::string> slots_;
};

// A question key: the decimal texts of a question's defining numbers joined
// with nothing between them. Different questions may share a key
// (1/12 + 3/4 and 11/2 + 3/4 both give "11234"); a run then holds only one.
// The kinds of the exercise buttons keep it, so that their sheets stay
// what they always were.
std::string QuestionKey(std::span<const int32_t> numbers);

// A question key with its numbers kept apart by commas ("1,25" and "12,5"),
// so that two questions share it only when they are one: the key of the
// kinds of the "Autres…" menu, whose numbers say what makes two questions
// the same to a pupil (a pair compared either way, one equality whatever
// its gap).
std::string SeparatedKey(std::span<const int32_t> numbers);

}  // namespace fractions
