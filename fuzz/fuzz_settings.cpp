// The settings file through the real restore and save of the settings
// store: any bytes as the file, restored into a window, saved; restored
// again into a fresh window, saved again. The second save must write the
// same bytes as the first, or a setting changes from one start to the next
// without the teacher touching it.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "settings/form_storage.h"

namespace fractions {
namespace {

// The window as the store sees it, at its layout values: spin boxes limit
// what they are given, the placement is what was last applied.
class ModelWindow : public StorageTarget {
 public:
  bool HasControl(std::string_view) const override { return true; }
  int32_t GetInteger(std::string_view control) const override {
    return spins_.at(std::string(control)).value;
  }
  void SetInteger(std::string_view control, int32_t value) override {
    Spin& spin = spins_.at(std::string(control));
    spin.value = std::clamp(value, spin.minimum, spin.maximum);
  }
  std::string GetText(std::string_view control) const override {
    return texts_.at(std::string(control));
  }
  void SetText(std::string_view control, const std::string& text) override {
    texts_.at(std::string(control)) = text;
  }
  bool GetChecked(std::string_view control) const override {
    return checks_.at(std::string(control));
  }
  void SetChecked(std::string_view control, bool checked) override {
    checks_.at(std::string(control)) = checked;
  }
  std::vector<std::string> GetLines(std::string_view) const override { return lines_; }
  void SetLines(std::string_view, const std::vector<std::string>& lines) override {
    lines_ = lines;
  }
  size_t GetOption(std::string_view key) const override {
    const auto found = options_.find(std::string(key));
    return found == options_.end() ? 0 : found->second;
  }
  void SetOption(std::string_view key, size_t index) override {
    options_[std::string(key)] = index;
  }
  WindowPlacement GetPlacement() const override { return placement_; }
  void ApplyPlacement(const WindowPlacement& placement) override {
    const WindowState state = placement_.state;
    placement_ = placement;
    placement_.state = state;
  }
  void SetWindowState(WindowState state) override { placement_.state = state; }
  void UseDesignedPosition() override {}
  int32_t ScreenPixelsPerInch() const override { return 96; }
  ScreenSize PrimaryScreenSize() const override { return {1024, 768}; }
  bool IsApplicationMinimized() const override { return minimized_; }
  void MinimizeApplicationAfterStart() override { minimized_ = true; }

 private:
  struct Spin {
    int32_t minimum, maximum, value;
  };
  std::map<std::string, Spin> spins_ = {{"spmaxvaleur", {9, 500, 100}},
                                        {"spMaxLigne", {1, 40, 25}},
                                        {"spinterligne", {0, 10, 1}},
                                        {"spSujets", {0, 1000, 1}},
                                        {"spCorriges", {0, 1000, 1}}};
  std::map<std::string, std::string> texts_ = {{"eTitre1", "Nom :   Pr\xE9nom :"},
                                               {"eSepar", std::string(123, '-')},
                                               {"SaveDialog1", ""},
                                               {"Combo1", "Calculer"}};
  std::map<std::string, bool> checks_ = {
      {"CheckBox1", true}, {"ckbEdite", false}, {"ckbVariantes", false}, {"ckbSuite", false}};
  // The exercise options, as the place of their text; all at their default.
  std::map<std::string, size_t> options_;
  std::vector<std::string> lines_ = {"Calculer", "Simplifier",
                                     "R\xE9"
                                     "duire"};
  WindowPlacement placement_{0, WindowState::kNormal, {-1, -1}, {-1, -1}, {201, 146, 1007, 593}};
  bool minimized_ = false;
};

const std::filesystem::path& SettingsFile() {
  static const std::filesystem::path file = [] {
    // In memory where there is /dev/shm: every save syncs its file to the
    // disk, which would otherwise be most of the time spent.
    std::error_code ignored;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ignored)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string folder = (base / "fuzz_settings_XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
      std::perror("fuzz_settings: mkdtemp");
      std::abort();
    }
    static const std::string made = folder;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
    return std::filesystem::path(folder) / "fractions.ini";
  }();
  return file;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One start and close of the program on the settings file.
std::string StartAndClose() {
  ModelWindow window;
  TFormStorage storage(window);
  storage.SetIniFileName(SettingsFile());
  storage.RestoreOnShow();
  if (const auto message = storage.SaveOnClose()) {
    std::fprintf(stderr, "fuzz_settings: %s\n", message->c_str());
    std::abort();
  }
  return ReadBytes(SettingsFile());
}

}  // namespace
}  // namespace fractions

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(fractions::SettingsFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::string first = fractions::StartAndClose();
  const std::string second = fractions::StartAndClose();
  if (first != second) {
    std::fprintf(
        stderr, "fuzz_settings: the second save wrote other bytes\n--- first\n%s\n--- second\n%s\n",
        first.c_str(), second.c_str());
    std::abort();
  }
  return 0;
}
