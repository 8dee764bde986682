#pragma once

#include <string>
#include <system_error>

namespace fractions {

// Refusals of the file writer that are not system errors.
enum class FileError {
  // The name is a symbolic link that neither the user running the program
  // nor the owner of its folder made: another user may have planted it to
  // have the program overwrite a file of theirs choosing.
  kForeignLink = 1,
  // The file exists with no write permission for anyone: whoever made it
  // read-only meant it to stay as it is.
  kReadOnlyFile,
  // The name is a pipe, a socket or a device: writing a worksheet there
  // would feed it to whatever reads it, replacing it would break it.
  kNotRegularFile,
  // What stands at the name changed between the writing of the new
  // content and its commit (another program put a link or a folder there).
  kChangedMeanwhile,
  // Another save into the same folder held it for too long.
  kFolderBusy,
};

const std::error_category& FileErrorCategory();
std::error_code make_error_code(FileError error);

// The reason of a failure in French, for a message naming the file: a
// system error by its errno ("disque plein", "accès refusé", ...), one of
// ours by its own text. Never the C library's English and never "Unknown
// error": an errno the table lacks reads "erreur système N". UTF-8.
std::string FrenchErrorText(const std::error_code& error);

}  // namespace fractions

template <>
struct std::is_error_code_enum<fractions::FileError> : std::true_type {};
