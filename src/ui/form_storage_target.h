#pragma once

#include "settings/storage_target.h"

namespace fractions {

class TForm1;

// The main window as the settings store sees it: its stored controls by
// name, and its placement on the screen.
class FormStorageTarget final : public StorageTarget {
 public:
  explicit FormStorageTarget(TForm1& form) : form_(form) {}

  bool HasControl(std::string_view control) const override;
  int32_t GetInteger(std::string_view control) const override;
  void SetInteger(std::string_view control, int32_t value) override;
  std::string GetText(std::string_view control) const override;
  void SetText(std::string_view control, const std::string& text) override;
  bool GetChecked(std::string_view control) const override;
  void SetChecked(std::string_view control, bool checked) override;
  std::vector<std::string> GetLines(std::string_view control) const override;
  void SetLines(std::string_view control, const std::vector<std::string>& lines) override;
  size_t GetOption(std::string_view key) const override;
  void SetOption(std::string_view key, size_t index) override;

  WindowPlacement GetPlacement() const override;
  void ApplyPlacement(const WindowPlacement& placement) override;
  void SetWindowState(WindowState state) override;
  void UseDesignedPosition() override;
  int32_t ScreenPixelsPerInch() const override;
  ScreenSize PrimaryScreenSize() const override;
  bool IsApplicationMinimized() const override;
  void MinimizeApplicationAfterStart() override;

 private:
  template <typename Control>
  Control* Find(std::string_view control) const;

  TForm1& form_;
};

}  // namespace fractions
