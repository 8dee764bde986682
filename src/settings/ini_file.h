#pragma once

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "settings/ini_document.h"

namespace fractions {

// Limits above which a file is treated as unreadable rather than parsed.
// The settings file holds a few kilobytes (a list of 4096 instruction texts
// of 255 characters stays near 1 MiB and 4100 lines), so a file past either
// limit is not one the program wrote; the limits keep a damaged or foreign
// file from costing more than a few MiB of memory and a moment of time.
inline constexpr std::size_t kMaxIniFileBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxIniFileLines = 100'000;

enum class IniLoadStatus {
  kLoaded,      // the file was read (it may hold nothing)
  kMissing,     // no file at that path yet
  kTooLarge,    // above kMaxIniFileBytes or kMaxIniFileLines
  kUnreadable,  // not a regular file, or a read error
};

struct IniLoadResult {
  IniDocument document;  // empty unless kLoaded
  IniLoadStatus status = IniLoadStatus::kMissing;
};

// Reads the file at `path`. Never throws for the file's content, never
// waits on a FIFO or a device (either is kUnreadable) and never
// reads more than kMaxIniFileBytes + 1 bytes, whatever size the file claims.
IniLoadResult LoadIniFile(const std::filesystem::path& path);

// Writes `document` to `path` through the program's file writer
// (files/staged_file.h): the old file stays whole until the new one is
// complete on the disk, a symbolic link at `path` is followed only under the
// writer's rule and stays a link, the old file's permission bits are kept,
// and a file whose permissions allow no writing at all is left alone and
// reported: a teacher who made the file read-only meant it to stay as it is.
// Returns the error (files/file_errors.h gives its French text), or an empty
// error_code on success.
std::error_code SaveIniFile(const IniDocument& document, const std::filesystem::path& path);

}  // namespace fractions
