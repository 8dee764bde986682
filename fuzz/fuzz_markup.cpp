// MarkupToRtf on arbitrary bytes: it never writes a control character, and
// it keeps no state, so a call on other input in between changes nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "richtext/markup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view markup(reinterpret_cast<const char*>(data), size);
  const std::string rtf = fractions::MarkupToRtf(markup);
  for (const char c : rtf) {
    if (static_cast<unsigned char>(c) < 0x20) {
      std::fprintf(stderr, "fuzz_markup: control character %d in the RTF\n", c);
      std::abort();
    }
  }
  // The second half alone, then the whole again.
  (void)fractions::MarkupToRtf(markup.substr(size / 2));
  if (fractions::MarkupToRtf(markup) != rtf) {
    std::fprintf(stderr, "fuzz_markup: a second call gave other RTF\n");
    std::abort();
  }
  return 0;
}
