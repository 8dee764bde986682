#pragma once

#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// The font and colour tables of an RTF header, filled as the reader meets
// them and looked up by the body's \f, \cf and \highlight words.
namespace fractions {

// How the bytes of text in a font stand for characters.
enum class ByteCode {
  kWindows1252,  // every text font of our documents
  kSymbolFont,   // \fcharset2 "Symbol": its glyphs
  kPrivateUse,   // other \fcharset2 fonts (Wingdings...): U+F000 + byte
};

struct RtfFont {
  QString family;
  ByteCode byte_code = ByteCode::kWindows1252;
};

// Entries may come in braces ("{\f0 Arial;}") or in the old style, one after
// the other ("\f0 Arial;\f1 Times;"); an entry ends at ";" or at the end of
// its group. A number given twice keeps the later entry.
class RtfFontTable {
 public:
  void StartEntry(int32_t number);
  void SetCharset(int32_t charset);
  void AppendToName(char16_t unit);
  void EndEntry();

  const RtfFont* Find(int32_t number) const;

 private:
  std::unordered_map<int32_t, RtfFont> fonts_;
  std::optional<int32_t> number_;  // of the entry being read
  int32_t charset_ = 0;
  QString name_;
};

// Entry 0 of our documents is empty (the leading ";"): the automatic colour.
class RtfColourTable {
 public:
  // A new \colortbl replaces the old one.
  void Clear();
  void SetRed(int32_t value) { SetComponent(red_, value); }
  void SetGreen(int32_t value) { SetComponent(green_, value); }
  void SetBlue(int32_t value) { SetComponent(blue_, value); }
  // ";": an entry with no component is the automatic colour.
  void EndEntry();

  // Nothing for an index outside the table; an empty colour for automatic.
  std::optional<std::optional<QRgb>> Find(int32_t index) const;

 private:
  void SetComponent(int& component, int32_t value);

  std::vector<std::optional<QRgb>> colours_;
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  bool given_ = false;
};

}  // namespace fractions
