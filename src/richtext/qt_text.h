#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The boundary between the program's Windows-1252 byte strings and Qt's
// QString, used wherever text meets a widget, a file name or a Qt API.
namespace fractions {

QString ToQString(std::string_view cp1252);

// The Windows-1252 bytes of `text`, or nothing when one of its characters
// has no Windows-1252 byte.
std::optional<std::string> ToCp1252(const QString& text);

// The first character of `text` that Windows-1252 cannot hold (one code
// point, two UTF-16 units beyond the Basic Multilingual Plane), or an
// empty text when it holds them all.
QString FirstCharacterWithoutCp1252(const QString& text);

// The Windows-1252 bytes of `text`, with '?' for every character that has
// no Windows-1252 byte, as an 8-bit text field would store it.
std::string ToCp1252Lossy(const QString& text);

}  // namespace fractions
