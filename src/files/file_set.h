#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "file_system.h"
#include "staged_file.h"

namespace fractions {

// One file of a set and its new content.
struct FileContent {
  std::filesystem::path path;
  std::string_view bytes;
};

// The file of the set that failed (its index) and why.
struct FileSetFailure {
  std::size_t file = 0;
  WriteFailure failure;
};

// Writes a set of files that belong together (a subject and its answer key,
// and their PDFs) all or nothing:
// 1. every file is staged whole beside its target (staged_file.h); a failure
//    leaves every old file as it was;
// 2. the folders are locked (folder_lock.h), so that another program's set
//    never takes its names between two of ours;
// 3. every target is checked again: still a regular file the user may
//    replace, or nothing; a failure leaves every old file as it was;
// 4. the files take their names one after the other; when one cannot, those
//    already replaced get their old content back (where the file system can
//    swap two names: local disks do) and the failure is returned;
// 5. the old contents are dropped and the folders synced.
// Files written in place (a folder that takes no new file) come last and
// cannot be undone. A program killed during step 4 leaves each file whole,
// some new and some old; the staging files beside them
// ("<name>.XXXXXX.tmp") then hold the rest.
std::optional<FileSetFailure> WriteFileSet(const std::vector<FileContent>& files,
                                           FileSystem& fs = SystemFileSystem());

// A set of one file.
std::optional<WriteFailure> WriteWholeFile(const std::filesystem::path& path,
                                           std::string_view bytes,
                                           FileSystem& fs = SystemFileSystem());

}  // namespace fractions
