#pragma once

#include <filesystem>
#include <system_error>

namespace fractions {

// The file a write of `path` must replace. When the last component of
// `path` is a symbolic link, it is followed only if it belongs to the user
// running the program or to the owner of the folder holding it (the kernel's
// rule for sticky folders, applied in every folder): a link planted by
// another user in a folder both can write to (a shared class folder) is
// refused with FileError::kForeignLink, as is every later link of a chain.
// A link the teacher made, or one in a folder whose owner made it (a link
// set up by IT in the teacher's home), is followed. Links in the folders
// above the last component are the system's business and are not looked at.
// A name that does not exist yet is its own target.
std::filesystem::path WriteTarget(const std::filesystem::path& path, std::error_code& error);

// Makes `path` a new, empty file open for writing, without following a
// link: whatever has the name (a link, a file) is removed first, then the
// file is created exclusively, so a link planted in between makes the
// creation fail instead of writing through it. For files the program owns
// by name in a working folder (the preview's). Returns the descriptor, or
// -1 with `error` set.
int CreateFreshFile(const std::filesystem::path& path, std::error_code& error);

}  // namespace fractions
