#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "settings/storage_target.h"

namespace fractions::testing {

inline std::string DefaultTitle() {
  return "Nom :" + std::string(23, ' ') + "Pr\xE9nom :" + std::string(29, ' ') + "Classe :";
}

inline std::vector<std::string> BuiltInInstructions() {
  return {
      "Calculer (r\xE9ponse irr\xE9"
      "ductible)",
      "Simplifier (r\xE9ponse irr\xE9"
      "ductible)",
      "R\xE9"
      "duire au plus petit d\xE9nominateur commun"};
}

// The main window as the settings store sees it, at its layout values: spin
// boxes limit what they are given, and a change of value runs the handler
// the window binds to it, recorded in `handler_calls`.
class FakeWindow : public StorageTarget {
 public:
  struct Spin {
    int32_t minimum, maximum, value;
  };
  std::map<std::string, Spin, std::less<>> spins = {{"spmaxvaleur", {9, 500, 100}},
                                                    {"spMaxLigne", {1, 40, 25}},
                                                    {"spinterligne", {0, 10, 1}},
                                                    {"spSujets", {0, 1000, 1}},
                                                    {"spCorriges", {0, 1000, 1}}};
  std::map<std::string, std::string, std::less<>> texts = {{"eTitre1", DefaultTitle()},
                                                           {"eSepar", std::string(123, '-')},
                                                           {"SaveDialog1", ""},
                                                           {"Combo1", BuiltInInstructions()[0]}};
  std::map<std::string, bool, std::less<>> checks = {
      {"CheckBox1", true}, {"ckbEdite", false}, {"ckbVariantes", false}, {"ckbSuite", false}};
  std::vector<std::string> combo_lines = BuiltInInstructions();
  // The exercise options by key, as the place of their text; missing ones
  // are at 0, their default.
  std::map<std::string, size_t, std::less<>> options;

  std::set<std::string, std::less<>> missing_controls;  // HasControl says no
  std::set<std::string, std::less<>> failing_controls;  // access throws

  WindowPlacement placement{0, WindowState::kNormal, {-1, -1}, {-1, -1}, {201, 146, 1007, 593}};
  int32_t pixels_per_inch = 96;
  ScreenSize screen{1024, 768};
  bool application_minimized = false;

  // What the store did to the window.
  std::vector<std::string> handler_calls;
  std::optional<WindowPlacement> applied;
  std::optional<WindowState> state_set;
  bool designed_position = false;
  bool minimized_after_start = false;

  bool HasControl(std::string_view control) const override {
    return !missing_controls.contains(control);
  }
  int32_t GetInteger(std::string_view control) const override {
    return Access(control, spins).value;
  }
  void SetInteger(std::string_view control, int32_t value) override {
    Spin& spin = Access(control, spins);
    Assign(control, spin.value, std::clamp(value, spin.minimum, spin.maximum));
  }
  std::string GetText(std::string_view control) const override { return Access(control, texts); }
  void SetText(std::string_view control, const std::string& text) override {
    Assign(control, Access(control, texts), text);
  }
  bool GetChecked(std::string_view control) const override { return Access(control, checks); }
  void SetChecked(std::string_view control, bool checked) override {
    Assign(control, Access(control, checks), checked);
  }
  std::vector<std::string> GetLines(std::string_view control) const override {
    Access(control, texts);
    return combo_lines;
  }
  void SetLines(std::string_view control, const std::vector<std::string>& lines) override {
    Access(control, texts);
    combo_lines = lines;
  }

  size_t GetOption(std::string_view key) const override {
    const auto found = options.find(key);
    return found == options.end() ? 0 : found->second;
  }
  void SetOption(std::string_view key, size_t index) override { options[std::string(key)] = index; }

  WindowPlacement GetPlacement() const override { return placement; }
  void ApplyPlacement(const WindowPlacement& stored) override { applied = stored; }
  void SetWindowState(WindowState state) override { state_set = state; }
  void UseDesignedPosition() override { designed_position = true; }
  int32_t ScreenPixelsPerInch() const override { return pixels_per_inch; }
  ScreenSize PrimaryScreenSize() const override { return screen; }
  bool IsApplicationMinimized() const override { return application_minimized; }
  void MinimizeApplicationAfterStart() override { minimized_after_start = true; }

 private:
  // The control's value; flags a store that uses a control it was told is
  // missing, and throws for a control set to fail.
  template <typename Map>
  auto Access(std::string_view control, Map& values) const
      -> decltype((values.find(control)->second)) {
    if (missing_controls.contains(control)) {
      ADD_FAILURE() << "the store used the missing control " << control;
    }
    if (failing_controls.contains(control)) {
      throw std::runtime_error("refused");
    }
    return values.find(control)->second;
  }

  template <typename T>
  void Assign(std::string_view control, T& current, const T& value) {
    static const std::map<std::string, std::string, std::less<>> kHandlers = {
        {"spmaxvaleur", "spmaxvaleurChange"},  {"spMaxLigne", "spmaxvaleurChange"},
        {"spinterligne", "spmaxvaleurChange"}, {"eTitre1", "spmaxvaleurChange"},
        {"eSepar", "spmaxvaleurChange"},       {"CheckBox1", "CheckBox1Click"},
        {"ckbEdite", "ckbEditeClick"},         {"ckbVariantes", "ckbVariantesClick"}};
    if (value == current) {
      return;
    }
    current = value;
    if (const auto handler = kHandlers.find(control); handler != kHandlers.end()) {
      handler_calls.push_back(handler->second);
    }
  }
};

}  // namespace fractions::testing
