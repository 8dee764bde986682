#include "form_storage.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <system_error>

#include "files/file_errors.h"
#include "settings/ini_file.h"
#include "settings/settings_encoding.h"

namespace fractions {

namespace {

std::string KeyName(const StoredValue& value) {
  return std::string(value.control) + "_" + std::string(value.property);
}

std::string ListSection(const StoredValue& value) {
  return std::string(kFormSection) + "." + KeyName(value);
}

// A stored integer: `fallback` when the key is missing, 0 when its text is
// not an integer.
int32_t ReadInteger(const std::optional<std::string>& text, int32_t fallback) {
  return text ? IniIntegerOrZero(TrimTextValue(*text)) : fallback;
}

int32_t ReadInteger(const IniDocument& document, std::string_view key, int32_t fallback) {
  return ReadInteger(document.Read(kFormSection, key), fallback);
}

// A position value: the key for the present screen size, else the key for
// any size; nothing when both are missing or empty.
std::optional<std::string> ReadPosition(const IniDocument& document, const std::string& key,
                                        const std::string& suffix) {
  std::optional<std::string> text = document.Read(kFormSection, key + suffix);
  if (!text || text->empty()) {
    text = document.Read(kFormSection, key);
  }
  if (!text || text->empty()) {
    return std::nullopt;
  }
  return text;
}

// The show-state codes of the windowing system the file keeps.
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowMinimized = 2;
constexpr int32_t kShowMaximized = 3;

int32_t ShowCode(WindowState state) {
  switch (state) {
    case WindowState::kMinimized:
      return kShowMinimized;
    case WindowState::kMaximized:
      return kShowMaximized;
    case WindowState::kNormal:
      break;
  }
  return kShowNormal;
}

WindowState StateOfShowCode(int32_t code) {
  switch (code) {
    case 2:  // minimized
    case 6:  // minimized, another window activated
    case 7:  // minimized, not activated
      return WindowState::kMinimized;
    case kShowMaximized:
      return WindowState::kMaximized;
    default:  // 1, 5 and 9 mean normal; unknown codes too
      return WindowState::kNormal;
  }
}

// A stored rectangle the window can take: its width and height, whatever
// edges a damaged file gives, must be numbers the window's own arithmetic
// (right - left, left + width) can hold.
bool HasSize32(const ScreenRect& rect) {
  const auto fits = [](int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
  };
  return fits(int64_t{rect.right} - rect.left) && fits(int64_t{rect.bottom} - rect.top);
}

// The bytes and lines `key`=`value` takes in the file.
std::size_t EntryBytes(const IniEntry& entry) {
  return entry.first.size() + 1 + entry.second.size() + 2;
}

std::size_t LineCount(std::string_view bytes) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

}  // namespace

TFormStorage::TFormStorage(StorageTarget& target) : target_(target) {
  for (const StoredValue& value : kStoredValues) {
    if (target_.HasControl(value.control)) {
      values_.push_back(value);
    }
  }
}

void TFormStorage::SetIniFileName(std::filesystem::path file) {
  ini_file_ = std::move(file);
}

void TFormStorage::SetFirstReadFile(std::filesystem::path file) {
  first_read_file_ = std::move(file);
}

const std::filesystem::path& TFormStorage::FileToRead() const {
  std::error_code ignored;
  if (!first_read_file_.empty() && !std::filesystem::exists(ini_file_, ignored)) {
    return first_read_file_;
  }
  return ini_file_;
}

std::string TFormStorage::ScreenSuffix() const {
  const ScreenSize screen = target_.PrimaryScreenSize();
  return "(" + std::to_string(screen.width) + "x" + std::to_string(screen.height) + ")";
}

void TFormStorage::RestoreOnShow() {
  if (state_ != StorageState::kNotRestored) {
    return;
  }
  // Whatever went wrong reading the file, the document is empty and every
  // control keeps its layout value.
  const IniDocument document = LoadIniFile(FileToRead()).document;
  if (ReadInteger(document, "FormVersion", 0) >= 0) {
    RestorePlacement(document);
    RestoreWindowState(document);
    for (const StoredValue& value : values_) {
      try {
        RestoreValue(document, value);
      } catch (const std::exception&) {
        // One control refusing its value does not stop the others.
      }
    }
    RestoreOptions(document);
  }
  state_ = StorageState::kRestored;
}

void TFormStorage::RestoreOptions(const IniDocument& document) {
  const IniSection section = document.ReadSection(kOptionsSection);
  for (const StoredOption& option : kStoredOptions) {
    const std::string text = TrimTextValue(section.Read(option.key).value_or(""));
    const auto found = std::find(option.texts.begin(), option.texts.end(), text);
    try {
      target_.SetOption(option.key, found == option.texts.end()
                                        ? 0
                                        : static_cast<size_t>(found - option.texts.begin()));
    } catch (const std::exception&) {
      // An option the window cannot take keeps its value.
    }
  }
}

void TFormStorage::RestorePlacement(const IniDocument& document) {
  const WindowPlacement current = target_.GetPlacement();
  const int32_t screen_ppi = target_.ScreenPixelsPerInch();
  const std::string suffix = ScreenSuffix();
  const std::optional<std::string> min_max = ReadPosition(document, "MinMaxPos", suffix);
  const std::optional<std::string> normal = ReadPosition(document, "NormPos", suffix);

  WindowPlacement stored = current;
  stored.flags = ReadInteger(document, "Flags", current.flags);
  const FourNumbers positions = ParseFourNumbers(min_max.value_or(""), {0, 0, 0, 0});
  stored.minimized_position = {positions[0], positions[1]};
  stored.maximized_position = {positions[2], positions[3]};
  const ScreenRect& now = current.normal_rect;
  const FourNumbers edges =
      ParseFourNumbers(normal.value_or(""), {now.left, now.top, now.right, now.bottom});
  stored.normal_rect = {edges[0], edges[1], edges[2], edges[3]};

  // A placement saved at another resolution would put the window, laid out
  // in unscaled pixels, somewhere that no longer fits it.
  const bool found = min_max.has_value() || normal.has_value();
  if (found && ReadInteger(document, "PixelsPerInch", screen_ppi) == screen_ppi &&
      stored.normal_rect.left < stored.normal_rect.right && HasSize32(stored.normal_rect)) {
    target_.UseDesignedPosition();
    target_.ApplyPlacement(stored);
  }
}

void TFormStorage::RestoreWindowState(const IniDocument& document) {
  const WindowState state = StateOfShowCode(ReadInteger(document, "ShowCmd", 0));
  if (state == WindowState::kMinimized) {
    // A window minimized on its own would leave the application's button
    // showing it normal; the whole application is minimized instead.
    target_.SetWindowState(WindowState::kNormal);
    target_.MinimizeApplicationAfterStart();
    return;
  }
  target_.SetWindowState(state);
}

void TFormStorage::RestoreValue(const IniDocument& document, const StoredValue& value) {
  if (value.kind == StoredKind::kTextList) {
    RestoreList(document, value);
    return;
  }
  // A missing key leaves the control as it is.
  const std::optional<std::string> text = document.Read(kFormSection, KeyName(value));
  if (!text) {
    return;
  }
  switch (value.kind) {
    case StoredKind::kInteger:
      target_.SetInteger(value.control, ReadInteger(text, 0));
      break;
    case StoredKind::kText:
      target_.SetText(value.control, TrimTextValue(*text));
      break;
    case StoredKind::kYesNo:
      if (const std::optional<bool> checked = ParseYesNo(*text)) {
        target_.SetChecked(value.control, *checked);
      }
      break;
    case StoredKind::kTextList:
      break;
  }
}

void TFormStorage::RestoreList(const IniDocument& document, const StoredValue& value) {
  const IniSection section = document.ReadSection(ListSection(value));
  const int32_t count = std::min(ReadInteger(section.Read("Count"), 0), kMaxRestoredListLines);
  std::vector<std::string> lines;
  for (int32_t i = 0; i < count; ++i) {
    lines.push_back(section.Read("Item" + std::to_string(i)).value_or(""));
  }
  // A missing item between two others reads as an empty line; those after
  // the last item present are only a damaged count, not lines the teacher
  // had, and would be saved back as thousands of empty lines.
  int32_t present = count;
  while (present > 0 && !section.Read("Item" + std::to_string(present - 1))) {
    --present;
  }
  lines.resize(static_cast<std::size_t>(present));
  // No line keeps the list the window has (its built-in lines at start).
  if (lines.empty()) {
    return;
  }
  target_.SetLines(value.control, lines);
}

std::optional<std::string> TFormStorage::SaveOnClose() {
  if (state_ == StorageState::kNotRestored) {
    return std::nullopt;
  }
  return Save(false);
}

std::optional<std::string> TFormStorage::SaveOnDestroy() {
  if (state_ != StorageState::kRestored) {
    return std::nullopt;
  }
  return Save(true);
}

std::optional<std::string> TFormStorage::Save(bool destroying) {
  // Read afresh: lines written meanwhile by someone else are kept. A file
  // that cannot be read (too large, damaged) is replaced by a sound one.
  IniDocument document = LoadIniFile(FileToRead()).document;
  WritePlacement(document, destroying);
  // Lists last: each is capped to what the file can still take, and its
  // section goes to the end of the file wherever it is written.
  for (const bool lists : {false, true}) {
    for (const StoredValue& value : values_) {
      if ((value.kind == StoredKind::kTextList) != lists) {
        continue;
      }
      try {
        WriteValue(document, value);
      } catch (const std::exception&) {
        // A control that cannot give its value keeps the value of the file.
      }
    }
  }
  WriteOptions(document);
  if (const std::error_code error = SaveIniFile(document, ini_file_)) {
    if (failure_reported_) {
      return std::nullopt;
    }
    failure_reported_ = true;
    return "Impossible d'écrire dans " + ini_file_.string() + " (" + FrenchErrorText(error) + ")";
  }
  state_ = StorageState::kSaved;
  return std::nullopt;
}

void TFormStorage::WritePlacement(IniDocument& document, bool destroying) const {
  document.Write(kFormSection, "FormVersion", "0");
  const WindowPlacement placement = target_.GetPlacement();
  const WindowState state =
      target_.IsApplicationMinimized() ? WindowState::kMinimized : placement.state;
  const std::string suffix = ScreenSuffix();
  const std::string min_max =
      FormatFourNumbers({placement.minimized_position.x, placement.minimized_position.y,
                         placement.maximized_position.x, placement.maximized_position.y});
  const ScreenRect& rect = placement.normal_rect;
  const std::string normal = FormatFourNumbers({rect.left, rect.top, rect.right, rect.bottom});

  document.Write(kFormSection, "Flags", std::to_string(placement.flags));
  document.Write(kFormSection, "ShowCmd", std::to_string(ShowCode(state)));
  document.Write(kFormSection, "PixelsPerInch", std::to_string(target_.ScreenPixelsPerInch()));
  document.Write(kFormSection, "MinMaxPos" + suffix, min_max);
  document.Write(kFormSection, "MinMaxPos", min_max);
  document.Write(kFormSection, "NormPos" + suffix, normal);
  document.Write(kFormSection, "NormPos", normal);
  document.Write(kFormSection, "Visible", destroying ? "1" : "0");
}

void TFormStorage::WriteValue(IniDocument& document, const StoredValue& value) const {
  const std::string key = KeyName(value);
  switch (value.kind) {
    case StoredKind::kInteger:
      document.Write(kFormSection, key, std::to_string(target_.GetInteger(value.control)));
      break;
    case StoredKind::kText:
      document.Write(kFormSection, key, QuoteForIni(TrimTextValue(target_.GetText(value.control))));
      break;
    case StoredKind::kYesNo:
      document.Write(kFormSection, key, YesNoText(target_.GetChecked(value.control)));
      break;
    case StoredKind::kTextList:
      WriteList(document, value);
      break;
  }
}

// Every option, defaults included, in a section after all the others (the
// lists' sections are moved to the end at every save). Lines of the section
// the program does not know stay in it. A second [Options] section (a hand
// edit, another program) is neither read nor written: it stays after the
// first as it is, so that the next start reads the same options.
void TFormStorage::WriteOptions(IniDocument& document) const {
  for (const StoredOption& option : kStoredOptions) {
    try {
      const size_t index = target_.GetOption(option.key);
      if (index < option.texts.size()) {
        document.Write(kOptionsSection, option.key, option.texts[index]);
      }
    } catch (const std::exception&) {
      // An option the window cannot give keeps the value of the file.
    }
  }
  document.MoveSectionToEnd(kOptionsSection);
}

void TFormStorage::WriteList(IniDocument& document, const StoredValue& value) const {
  const std::vector<std::string> lines = target_.GetLines(value.control);
  const std::string section = ListSection(value);
  document.EraseSection(section);
  if (lines.empty()) {
    return;
  }
  // The file must stay within what the next start reads (ini_file.h): a
  // list that would take it past the limits keeps its first lines only, as
  // many as the restore takes. Counted with the widest "Count" line.
  const std::string rest = document.Serialize();
  std::size_t bytes = rest.size() + section.size() + 4 +
                      EntryBytes({"Count", std::to_string(kMaxRestoredListLines)});
  std::size_t line_count = LineCount(rest) + 2;
  std::vector<IniEntry> items;
  for (std::size_t i = 0; i < lines.size() && i < static_cast<std::size_t>(kMaxRestoredListLines);
       ++i) {
    // Quoted where needed, so that every line reads back unchanged.
    IniEntry item{"Item" + std::to_string(i), QuoteForIni(lines[i])};
    bytes += EntryBytes(item);
    line_count += 1;
    if (bytes > kMaxIniFileBytes || line_count > kMaxIniFileLines) {
      break;
    }
    items.push_back(std::move(item));
  }
  if (items.empty()) {
    return;
  }
  std::vector<IniEntry> entries;
  entries.reserve(items.size() + 1);
  entries.emplace_back("Count", std::to_string(items.size()));
  std::move(items.begin(), items.end(), std::back_inserter(entries));
  document.ReplaceSection(section, entries);
}

}  // namespace fractions
