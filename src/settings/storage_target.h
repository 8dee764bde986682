#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fractions {

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Left, top, right and bottom edges in screen pixels; right and bottom lie
// just outside the window (left + width, top + height).
struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenSize {
  int32_t width = 0;
  int32_t height = 0;
};

enum class WindowState { kNormal, kMinimized, kMaximized };

// The window's placement as the settings file keeps it.
struct WindowPlacement {
  // Placement flags of the windowing system; 0 where it has none.
  int32_t flags = 0;
  WindowState state = WindowState::kNormal;
  ScreenPoint minimized_position;
  ScreenPoint maximized_position;
  // The outer rectangle of the window when neither minimized nor maximized.
  ScreenRect normal_rect;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// What the settings store needs from the main window. The window implements
// it over its widgets; the store never sees a widget.
//
// Controls are named as on the window ("spmaxvaleur", "eTitre1",
// "SaveDialog1", ...); each stored control has one property of each kind
// the store uses: the value of a spin box, the text of an edit or of the
// combo box, the initial folder of the save dialog, the state of a check
// box, the list of the combo box.
//
// The setters act as a user's change would: a spin box limits the value to
// its range (below the minimum gives the minimum, above the maximum the
// maximum) and the control runs its change or click handler, but only when
// its value really changes; setting the value it already has runs nothing.
// Setting the text or the list of Combo1 runs no handler, and setting its
// list keeps the text it shows. A getter or setter may throw std::exception
// when the control cannot give or take its value: the store then skips that
// control (on a save, the file keeps the value it had).
class StorageTarget {
 public:
  virtual ~StorageTarget() = default;

  virtual bool HasControl(std::string_view control) const = 0;

  virtual int32_t GetInteger(std::string_view control) const = 0;
  virtual void SetInteger(std::string_view control, int32_t value) = 0;
  // Texts are Windows-1252 bytes.
  virtual std::string GetText(std::string_view control) const = 0;
  virtual void SetText(std::string_view control, const std::string& text) = 0;
  virtual bool GetChecked(std::string_view control) const = 0;
  virtual void SetChecked(std::string_view control, bool checked) = 0;
  virtual std::vector<std::string> GetLines(std::string_view control) const = 0;
  virtual void SetLines(std::string_view control, const std::vector<std::string>& lines) = 0;

  // An exercise option by its key in the options section (see
  // kStoredOptions), as the place of its text among the texts it may take.
  // Setting one changes nothing else and runs no handler.
  virtual size_t GetOption(std::string_view key) const = 0;
  virtual void SetOption(std::string_view key, size_t index) = 0;

  // The current placement; `state` is the window's own state (the
  // application being minimized is asked separately).
  virtual WindowPlacement GetPlacement() const = 0;
  // Sets the normal rectangle, the minimized and maximized positions and the
  // flags; `state` is not applied here (see SetWindowState). The store hands
  // over only rectangles whose right - left and bottom - top fit in 32 bits.
  virtual void ApplyPlacement(const WindowPlacement& placement) = 0;
  // Normal or maximized; a minimized start goes through
  // MinimizeApplicationAfterStart instead.
  virtual void SetWindowState(WindowState state) = 0;
  // The window is laid out to open centred on the screen; a restored
  // placement switches that off so that the window is not centred again.
  virtual void UseDesignedPosition() = 0;

  virtual int32_t ScreenPixelsPerInch() const = 0;
  virtual ScreenSize PrimaryScreenSize() const = 0;
  virtual bool IsApplicationMinimized() const = 0;
  // Minimizes the whole application once the window is shown.
  virtual void MinimizeApplicationAfterStart() = 0;
};

}  // namespace fractions
