#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/storage_target.h"

namespace fractions::testing {

// The main window as the settings store sees it, at its layout values: spin
// boxes limit what they are given, and a change of value runs the handler
// the window binds to it, recorded in `handler_calls`.
class FakeWindow : public StorageTarget {
 public:
  FakeWindow();

  bool HasControl(std::string_view control) const override;
  int32_t GetInteger(std::string_view control) const override;
  void SetInteger(std::string_view control, int32_t value) override;
  std::string GetText(std::string_view control) const override;
  void SetText(std::string_view control, const std::string& text) override;
  bool GetChecked(std::string_view control) const override;
  void SetChecked(std::string_view control, bool checked) override;
  std::vector<std::string> GetLines(std::string_view control) const override;
  void SetLines(std::string_view control, const std::vector<std::string>& lines) override;

  WindowPlacement GetPlacement() const override { return placement; }
  void ApplyPlacement(const WindowPlacement& stored) override { applied = stored; }
  void SetWindowState(WindowState state) override { state_set = state; }
  void UseDesignedPosition() override { designed_position = true; }
  int32_t ScreenPixelsPerInch() const override { return pixels_per_inch; }
  ScreenSize PrimaryScreenSize() const override { return screen; }
  bool IsApplicationMinimized() const override { return application_minimized; }
  void MinimizeApplicationAfterStart() override { minimized_after_start = true; }

  struct Spin {
    int32_t minimum;
    int32_t maximum;
    int32_t value;
  };
  std::map<std::string, Spin, std::less<>> spins;
  std::map<std::string, std::string, std::less<>> texts;
  std::map<std::string, bool, std::less<>> checks;
  std::vector<std::string> combo_lines;

  std::set<std::string, std::less<>> missing_controls;  // HasControl says no
  std::set<std::string, std::less<>> failing_controls;  // setters throw

  WindowPlacement placement;
  int32_t pixels_per_inch = 96;
  ScreenSize screen{1024, 768};
  bool application_minimized = false;

  // What the store did to the window.
  std::vector<std::string> handler_calls;
  std::optional<WindowPlacement> applied;
  std::optional<WindowState> state_set;
  bool designed_position = false;
  bool minimized_after_start = false;

 private:
  // Flags a store that touches a control it was told is missing.
  void Touch(std::string_view control) const;
  void Changed(std::string_view control);
};

// The layout values of the controls the store keeps.
std::string DefaultTitle();
std::vector<std::string> BuiltInInstructions();

}  // namespace fractions::testing
