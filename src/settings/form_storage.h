#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_document.h"
#include "settings/storage_target.h"

namespace fractions {

enum class StoredKind { kInteger, kText, kYesNo, kTextList };

// A control property the settings store keeps, under the key
// "<control>_<property>" of the main section; a text list has a section of
// its own, "<main section>.<key>", holding "Count" and "Item0", "Item1", ...
struct StoredValue {
  std::string_view control;
  std::string_view property;
  StoredKind kind;
};

// In the order of writing and of restoring: a restored value runs its
// control's handler, which may read the values restored before it.
inline constexpr std::array<StoredValue, 14> kStoredValues = {{
    {"spmaxvaleur", "Value", StoredKind::kInteger},
    {"spMaxLigne", "Value", StoredKind::kInteger},
    {"spinterligne", "Value", StoredKind::kInteger},
    {"eTitre1", "Text", StoredKind::kText},
    {"eSepar", "Text", StoredKind::kText},
    {"spCorriges", "Value", StoredKind::kInteger},
    {"spSujets", "Value", StoredKind::kInteger},
    {"SaveDialog1", "InitialDir", StoredKind::kText},
    {"Combo1", "Text", StoredKind::kText},
    {"Combo1", "Items", StoredKind::kTextList},
    {"CheckBox1", "Checked", StoredKind::kYesNo},
    {"ckbEdite", "Checked", StoredKind::kYesNo},
    // Last: a file written before them still loads every value before them.
    {"ckbVariantes", "Checked", StoredKind::kYesNo},
    {"ckbSuite", "Checked", StoredKind::kYesNo},
}};

// The main section, named after the class of the main window.
inline constexpr std::string_view kFormSection = "TForm1";

// A setting of the exercise options, under its key of the options section:
// one of a few texts, the first being the default, which a missing or
// unknown text reads as.
struct StoredOption {
  std::string_view key;
  std::span<const std::string_view> texts;
};

// Kept after every other section of the file.
inline constexpr std::string_view kOptionsSection = "Options";

inline constexpr std::string_view kLevelTexts[] = {"Libre", "CM2", "6e", "5e", "4e", "3e"};
inline constexpr std::string_view kDenominatorTexts[] = {"0", "1", "2"};  // any, multiple, same
inline constexpr std::string_view kOffOnTexts[] = {"0", "1"};

// In the order of writing and of restoring.
inline constexpr std::array<StoredOption, 8> kStoredOptions = {{
    {"Niveau", kLevelTexts},
    {"Denominateurs", kDenominatorTexts},
    {"Relatifs", kOffOnTexts},
    {"Mixtes", kOffOnTexts},
    {"SigneDivision", kOffOnTexts},  // ":", "÷"
    {"PlusPetitDenominateur", kOffOnTexts},
    {"GrandsCaracteres", kOffOnTexts},
    {"CorrigeDetaille", kOffOnTexts},
}};

// The longest list restored. "Count" is read from a file a user may edit:
// a damaged count must not have the store build billions of lines.
inline constexpr int32_t kMaxRestoredListLines = 4096;

enum class StorageState {
  kNotRestored,  // created; nothing read yet
  kRestored,     // restored (or skipped by a negative "FormVersion")
  kSaved,        // a save ran to its end
};

// Keeps the teacher's settings, the exercise options and the window's
// placement in the settings file between starts. The window wires it to three of its events:
// - first show:  RestoreOnShow(), then the window's own show handling;
// - close query: the window's own close-query handler first; if the close
//   is allowed, SaveOnClose(), showing the message it returns, if any, in
//   an error box;
// - destruction: SaveOnDestroy(), showing the message it returns, if any.
// Every save reads the file afresh, writes all keys into that document and
// replaces the file in one atomic write, so a failing save changes nothing
// on disk and lines the program does not know survive. A file that cannot be
// read (above the limits of ini_file.h, not a regular file, a read error) is
// replaced whole by a file holding the settings: its content could not be
// kept anyway, and refusing to save would lose the settings at every close.
class TFormStorage {
 public:
  // Drops the stored values whose control `target` lacks. `target` must
  // outlive the store.
  explicit TFormStorage(StorageTarget& target);

  // Must be set before the window is first shown.
  void SetIniFileName(std::filesystem::path file);
  // Read instead of the settings file while that one does not exist (the
  // restore, and a save that keeps the lines it does not know).
  void SetFirstReadFile(std::filesystem::path file);

  // Restores the placement, the window state and the control values, once;
  // later calls do nothing. A missing, unreadable or damaged file leaves
  // every control as it is; nothing is reported.
  void RestoreOnShow();

  // Writes the settings, with "Visible" = "0". Does nothing before the
  // restore (defaults never overwrite a file that was not read). Returns
  // "Impossible d'écrire dans <full path> (<reason>)" (UTF-8, the reason in
  // French) when the file could not be written, else nothing.
  std::optional<std::string> SaveOnClose();

  // Writes the settings once more, with "Visible" = "1", if no save has run
  // to its end (the save at close failed or never ran). Returns the failure
  // message only if no failure was reported before, so that one failing
  // folder gives one message.
  std::optional<std::string> SaveOnDestroy();

  StorageState State() const { return state_; }
  // kStoredValues without the entries whose control does not exist.
  const std::vector<StoredValue>& StoredValues() const { return values_; }

 private:
  void RestorePlacement(const IniDocument& document);
  void RestoreWindowState(const IniDocument& document);
  void RestoreValue(const IniDocument& document, const StoredValue& value);
  void RestoreList(const IniDocument& document, const StoredValue& value);
  void RestoreOptions(const IniDocument& document);

  std::optional<std::string> Save(bool destroying);
  void WritePlacement(IniDocument& document, bool destroying) const;
  void WriteValue(IniDocument& document, const StoredValue& value) const;
  void WriteList(IniDocument& document, const StoredValue& value) const;
  void WriteOptions(IniDocument& document) const;

  // "(1024x768)": the suffix of the keys that hold a placement for one
  // screen size.
  std::string ScreenSuffix() const;
  const std::filesystem::path& FileToRead() const;

  StorageTarget& target_;
  std::vector<StoredValue> values_;
  std::filesystem::path ini_file_;
  std::filesystem::path first_read_file_;
  StorageState state_ = StorageState::kNotRestored;
  bool failure_reported_ = false;
};

}  // namespace fractions
