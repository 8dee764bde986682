#pragma once

#include <filesystem>

namespace fractions {

// Where the settings file lives. Beside the program, bearing its name with
// the extension replaced by ".ini" ("/opt/fractions/fractions" gives
// "/opt/fractions/fractions.ini"), when the program's folder is writable, so
// that a copy carried on a USB stick keeps its settings with it. Otherwise
// (a system-wide install, a read-only medium) the same file name in
// `user_config_folder`, which is created when missing; a folder that cannot
// be created is not reported here: the first save then reports the failure.
std::filesystem::path ChooseSettingsFilePath(const std::filesystem::path& program_file,
                                             const std::filesystem::path& user_config_folder);

}  // namespace fractions
