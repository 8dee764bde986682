// Reads arbitrary bytes as RTF into a fresh document. What reads without
// error is written back and read again: the writer's RTF must always be
// readable, keep the text and pictures, and be a fixed point of the writer.
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_rtf_reader: %s\n", what);
  std::abort();
}

// Qt's image decoders complain about every broken picture; the fuzzer's
// output is more useful without them.
void Silent(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  qInstallMessageHandler(Silent);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view rtf(reinterpret_cast<const char*>(data), size);
  QTextDocument first;
  QTextCursor cursor(&first);
  if (fractions::InsertRtf(cursor, rtf)) {
    if (!first.isEmpty()) {
      Fail("a read error left content in the document");
    }
    return 0;
  }
  const std::string written = fractions::WriteRtf(first);
  QTextDocument second;
  QTextCursor second_cursor(&second);
  if (fractions::InsertRtf(second_cursor, written)) {
    Fail("the writer's RTF does not read");
  }
  if (second.toPlainText() != first.toPlainText()) {
    Fail("text or pictures changed in the round trip");
  }
  if (fractions::WriteRtf(second) != written) {
    Fail("writing what was read from the writer gives other RTF");
  }
  return 0;
}
