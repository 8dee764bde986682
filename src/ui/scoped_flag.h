#pragma once

namespace fractions {

// Raises a flag for as long as a piece of work lasts, however it ends: a
// run, or a class set, in progress, so that no second one starts inside it.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace fractions
