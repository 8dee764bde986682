#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// Exact rationals for the tests, and an evaluator of the worked keys'
// ASCII built on them (integers, decimals with a point or a comma, + - * /
// with the usual precedence, ^ above a unary minus, parentheses): written
// apart from the program's own arithmetic.
namespace fractions::testing {

__extension__ using Int128 = __int128;

// In lowest terms, the denominator positive.
struct Exact {
  Int128 n = 0, d = 1;
  static Exact Of(Int128 n, Int128 d) {
    if (d == 0)
      throw std::domain_error("division by zero");
    Int128 a = n < 0 ? -n : n, b = d < 0 ? -d : d;
    while (b != 0)
      a = std::exchange(b, a % b);
    const Int128 g = d < 0 ? -a : a;
    return {n / g, d / g};
  }
  friend Exact operator+(Exact x, Exact y) { return Of(x.n * y.d + y.n * x.d, x.d * y.d); }
  friend Exact operator-(Exact x, Exact y) { return Of(x.n * y.d - y.n * x.d, x.d * y.d); }
  friend Exact operator*(Exact x, Exact y) { return Of(x.n * y.n, x.d * y.d); }
  friend Exact operator/(Exact x, Exact y) { return Of(x.n * y.d, x.d * y.n); }
  friend bool operator==(const Exact&, const Exact&) = default;
};

class ExactEvaluator {
 public:
  static Exact Evaluate(const std::string& text) {
    ExactEvaluator e(text);
    const Exact v = e.Sum();
    if (e.at_ != text.size())
      throw std::invalid_argument("trailing text: " + text);
    return v;
  }

 private:
  explicit ExactEvaluator(const std::string& s) : s_(s) {}
  bool Take(char c) {
    while (at_ < s_.size() && s_[at_] == ' ')
      ++at_;
    return at_ < s_.size() && s_[at_] == c ? (++at_, true) : false;
  }
  Exact Sum() {
    for (Exact v = Product();;) {
      if (Take('+'))
        v = v + Product();
      else if (Take('-'))
        v = v - Product();
      else
        return v;
    }
  }
  Exact Product() {
    for (Exact v = Unary();;) {
      if (Take('*'))
        v = v * Unary();
      else if (Take('/'))
        v = v / Unary();
      else
        return v;
    }
  }
  Exact Unary() {
    if (Take('-'))
      return Exact{} - Unary();
    const Exact base = Primary();
    if (!Take('^'))
      return base;
    const Exact e = Primary();
    if (e.d != 1 || e.n < 0)
      throw std::invalid_argument("exponent in " + s_);
    Exact power{1, 1};
    for (Int128 i = 0; i < e.n; ++i)
      power = power * base;
    return power;
  }
  Exact Primary() {
    if (Take('(')) {
      const Exact v = Sum();
      if (!Take(')'))
        throw std::invalid_argument("unclosed ( in " + s_);
      return v;
    }
    const size_t start = at_;
    Int128 n = 0, d = 1;
    bool point = false;
    for (; at_ < s_.size(); ++at_) {
      const char c = s_[at_];
      if (c >= '0' && c <= '9') {
        n = n * 10 + (c - '0');
        d *= point ? 10 : 1;
      } else if (!point && (c == '.' || c == ',') && at_ > start && at_ + 1 < s_.size() &&
                 s_[at_ + 1] >= '0' && s_[at_ + 1] <= '9') {
        point = true;
      } else {
        break;
      }
    }
    if (at_ == start)
      throw std::invalid_argument("no number in " + s_);
    return Exact::Of(n, d);
  }

  const std::string& s_;
  size_t at_ = 0;
};

}  // namespace fractions::testing
