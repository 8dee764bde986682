#include "qt_text.h"

#include <QList>

#include "cp1252.h"

namespace fractions {

QString ToQString(std::string_view cp1252) {
  QString text;
  text.reserve(static_cast<qsizetype>(cp1252.size()));
  for (const char byte : cp1252) {
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    text += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte))));
  }
  return text;
}

std::optional<std::string> ToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (const char32_t code_point : text.toUcs4()) {
    const auto byte = UnicodeToCp1252(code_point);
    if (!byte) {
      return std::nullopt;
    }
    bytes += static_cast<char>(*byte);
  }
  return bytes;
}

QString FirstCharacterWithoutCp1252(const QString& text) {
  for (const char32_t code_point : text.toUcs4()) {
    if (!UnicodeToCp1252(code_point)) {
      return QString::fromUcs4(&code_point, 1);
    }
  }
  return {};
}

std::string ToCp1252Lossy(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (const char32_t code_point : text.toUcs4()) {
    bytes += static_cast<char>(UnicodeToCp1252(code_point).value_or('?'));
  }
  return bytes;
}

}  // namespace fractions
