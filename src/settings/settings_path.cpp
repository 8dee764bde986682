#include "settings_path.h"

#include <unistd.h>

#include <system_error>

namespace fractions {

namespace {

// A save creates a temporary file in the folder and renames it, so the
// folder itself must be writable, whatever the file's own rights.
bool IsWritableFolder(const std::filesystem::path& folder) {
  const std::filesystem::path checked = folder.empty() ? std::filesystem::path(".") : folder;
  return ::access(checked.c_str(), W_OK | X_OK) == 0;
}

// /usr/bin/fractions, /usr/local/bin/fractions: installed by a package or
// by `cmake --install`.
bool IsInstalledUnderUsr(const std::filesystem::path& program_file) {
  const std::filesystem::path normal = program_file.lexically_normal();
  auto part = normal.begin();
  return normal.is_absolute() && part != normal.end() && ++part != normal.end() && *part == "usr";
}

}  // namespace

SettingsFiles ChooseSettingsFiles(const std::filesystem::path& program_file,
                                  const std::filesystem::path& user_config_folder) {
  std::filesystem::path beside = program_file;
  beside.replace_extension(".ini");
  if (!IsInstalledUnderUsr(program_file) && IsWritableFolder(beside.parent_path())) {
    return {beside, {}};
  }
  std::error_code ignored;
  std::filesystem::create_directories(user_config_folder, ignored);
  return {user_config_folder / beside.filename(), beside};
}

}  // namespace fractions
