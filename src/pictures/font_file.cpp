#include "font_file.h"

#include <array>
#include <cmath>

namespace fractions {

namespace {

uint32_t Be16(std::string_view bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                               static_cast<unsigned char>(bytes[at + 1]));
}

uint32_t Be32(std::string_view bytes, size_t at) {
  return Be16(bytes, at) << 16 | Be16(bytes, at + 2);
}

void PutBe32(std::string& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<char>(value >> (24 - 8 * i) & 0xFF);
  }
}

// Where a table's record and its data lie in the file.
struct TableSpan {
  size_t record;  // offset of the table's 16-byte record in the directory
  size_t offset;
  size_t length;
};

std::optional<TableSpan> FindTable(std::string_view sfnt, std::string_view tag) {
  constexpr size_t kDirectoryStart = 12;
  constexpr size_t kRecordSize = 16;
  if (sfnt.size() < kDirectoryStart) {
    return std::nullopt;
  }
  const size_t tables = Be16(sfnt, 4);
  for (size_t i = 0; i < tables; ++i) {
    const size_t record = kDirectoryStart + i * kRecordSize;
    if (record + kRecordSize > sfnt.size()) {
      return std::nullopt;
    }
    if (sfnt.substr(record, 4) != tag) {
      continue;
    }
    const size_t offset = Be32(sfnt, record + 8);
    const size_t length = Be32(sfnt, record + 12);
    if (offset > sfnt.size() || length > sfnt.size() - offset) {
      return std::nullopt;
    }
    return TableSpan{record, offset, length};
  }
  return std::nullopt;
}

// The sum of the table's big-endian 32-bit words, the last one padded
// with zeros.
uint32_t TableChecksum(std::string_view table) {
  uint32_t sum = 0;
  for (size_t i = 0; i < table.size(); i += 4) {
    uint32_t word = 0;
    for (size_t j = 0; j < 4; ++j) {
      word = word << 8 | (i + j < table.size() ? static_cast<unsigned char>(table[i + j]) : 0U);
    }
    sum += word;
  }
  return sum;
}

// The name identifiers that carry the family: family, full name,
// PostScript name, typographic family.
bool IsFamilyName(uint32_t name_id) {
  constexpr std::array<uint32_t, 4> kFamilyNames = {1, 4, 6, 16};
  for (const uint32_t id : kFamilyNames) {
    if (id == name_id) {
      return true;
    }
  }
  return false;
}

// Replaces `from` by `to` inside one name string, stored `stride` bytes a
// character (1 for Macintosh Roman, 2 for UTF-16BE with ASCII names).
bool RenameInString(std::string& sfnt, size_t start, size_t length, size_t stride,
                    std::string_view from, std::string_view to) {
  const size_t needle = from.size() * stride;
  bool changed = false;
  for (size_t at = start; at + needle <= start + length; at += stride) {
    bool match = true;
    for (size_t i = 0; i < from.size() && match; ++i) {
      const size_t byte = at + i * stride;
      match = sfnt[byte + stride - 1] == from[i] && (stride == 1 || sfnt[byte] == '\0');
    }
    if (!match) {
      continue;
    }
    for (size_t i = 0; i < to.size(); ++i) {
      sfnt[at + i * stride + stride - 1] = to[i];
    }
    changed = true;
    at += needle - stride;
  }
  return changed;
}

}  // namespace

std::optional<int32_t> FontRevision(std::string_view sfnt) {
  const std::optional<TableSpan> head = FindTable(sfnt, "head");
  if (!head || head->length < 8) {
    return std::nullopt;
  }
  return static_cast<int32_t>(Be32(sfnt, head->offset + 4));
}

bool IsRevision(int32_t revision, int major, int hundredths) {
  const double value = revision / 65536.0;
  return std::lround(value * 100) == major * 100 + hundredths;
}

int RenameFontFamily(std::string& sfnt, std::string_view from, std::string_view to) {
  if (from.size() != to.size() || from.empty()) {
    return 0;
  }
  const std::optional<TableSpan> name = FindTable(sfnt, "name");
  if (!name || name->length < 6) {
    return 0;
  }
  const size_t count = Be16(sfnt, name->offset + 2);
  const size_t strings = name->offset + Be16(sfnt, name->offset + 4);
  const size_t table_end = name->offset + name->length;
  int renamed = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t record = name->offset + 6 + i * 12;
    if (record + 12 > table_end) {
      break;
    }
    const uint32_t platform = Be16(sfnt, record);
    const size_t length = Be16(sfnt, record + 8);
    const size_t start = strings + Be16(sfnt, record + 10);
    if (!IsFamilyName(Be16(sfnt, record + 6)) || start + length > table_end) {
      continue;
    }
    // Platform 1 (Macintosh) stores one byte a character, 0 and 3
    // (Unicode, Windows) UTF-16BE.
    const size_t stride = platform == 1 ? 1 : 2;
    renamed += RenameInString(sfnt, start, length, stride, from, to) ? 1 : 0;
  }
  if (renamed > 0) {
    PutBe32(sfnt, name->record + 4,
            TableChecksum(std::string_view(sfnt).substr(name->offset, name->length)));
  }
  return renamed;
}

}  // namespace fractions
