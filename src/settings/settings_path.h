#pragma once

#include <filesystem>

namespace fractions {

// Where the settings are kept.
struct SettingsFiles {
  // Read at start, written at close.
  std::filesystem::path file;
  // Read instead of `file` while that one does not exist yet: the file
  // beside a program that may no longer write there. Empty for none.
  std::filesystem::path first_read;
};

// The settings file bears the program's name with the extension replaced by
// ".ini" ("/media/stick/fractions" gives "/media/stick/fractions.ini").
// - A program run from a writable folder (a USB stick, a build folder) keeps
//   it beside itself, so that a copy carried on a stick keeps its settings.
// - A program installed under /usr keeps it in `user_config_folder`, also
//   when run as root, who could write beside it: /usr holds no user's files.
// - A program in a folder it cannot write to (a read-only medium) keeps it
//   in `user_config_folder` too, but reads the file beside it until the user
//   folder has one, so that settings brought along are not lost.
// `user_config_folder` is created when it is used and missing; a folder that
// cannot be created is not reported here: the first save reports it.
SettingsFiles ChooseSettingsFiles(const std::filesystem::path& program_file,
                                  const std::filesystem::path& user_config_folder);

}  // namespace fractions
