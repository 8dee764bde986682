#include "fake_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace fractions::testing {

std::string DefaultTitle() {
  return "Nom :" + std::string(23, ' ') + "Pr\xE9nom :" + std::string(29, ' ') + "Classe :";
}

std::vector<std::string> BuiltInInstructions() {
  return {
      "Calculer (r\xE9ponse irr\xE9"
      "ductible)",
      "Simplifier (r\xE9ponse irr\xE9"
      "ductible)",
      "R\xE9"
      "duire au plus petit d\xE9nominateur commun"};
}

FakeWindow::FakeWindow()
    : spins{{"spmaxvaleur", {9, 500, 100}},
            {"spMaxLigne", {1, 40, 25}},
            {"spinterligne", {0, 10, 1}},
            {"spSujets", {0, 1000, 1}},
            {"spCorriges", {0, 1000, 1}}},
      texts{{"eTitre1", DefaultTitle()},
            {"eSepar", std::string(123, '-')},
            {"SaveDialog1", ""},
            {"Combo1", BuiltInInstructions()[0]}},
      checks{{"CheckBox1", true}, {"ckbEdite", false}},
      combo_lines(BuiltInInstructions()) {
  placement.minimized_position = {-1, -1};
  placement.maximized_position = {-1, -1};
  placement.normal_rect = {201, 146, 1007, 593};
}

void FakeWindow::Touch(std::string_view control) const {
  if (missing_controls.contains(control)) {
    ADD_FAILURE() << "the store used the missing control " << control;
  }
}

void FakeWindow::Changed(std::string_view control) {
  static const std::map<std::string, std::string, std::less<>> kHandlers = {
      {"spmaxvaleur", "spmaxvaleurChange"},  {"spMaxLigne", "spmaxvaleurChange"},
      {"spinterligne", "spmaxvaleurChange"}, {"eTitre1", "spmaxvaleurChange"},
      {"eSepar", "spmaxvaleurChange"},       {"CheckBox1", "CheckBox1Click"},
      {"ckbEdite", "ckbEditeClick"}};
  if (const auto handler = kHandlers.find(control); handler != kHandlers.end()) {
    handler_calls.push_back(handler->second);
  }
}

bool FakeWindow::HasControl(std::string_view control) const {
  return !missing_controls.contains(control);
}

int32_t FakeWindow::GetInteger(std::string_view control) const {
  Touch(control);
  if (failing_controls.contains(control)) {
    throw std::runtime_error("refused");
  }
  return spins.find(control)->second.value;
}

void FakeWindow::SetInteger(std::string_view control, int32_t value) {
  Touch(control);
  if (failing_controls.contains(control)) {
    throw std::runtime_error("refused");
  }
  Spin& spin = spins.find(control)->second;
  const int32_t limited = std::clamp(value, spin.minimum, spin.maximum);
  if (limited != spin.value) {
    spin.value = limited;
    Changed(control);
  }
}

std::string FakeWindow::GetText(std::string_view control) const {
  Touch(control);
  if (failing_controls.contains(control)) {
    throw std::runtime_error("refused");
  }
  return texts.find(control)->second;
}

void FakeWindow::SetText(std::string_view control, const std::string& text) {
  Touch(control);
  if (failing_controls.contains(control)) {
    throw std::runtime_error("refused");
  }
  std::string& current = texts.find(control)->second;
  if (text != current) {
    current = text;
    Changed(control);
  }
}

bool FakeWindow::GetChecked(std::string_view control) const {
  Touch(control);
  return checks.find(control)->second;
}

void FakeWindow::SetChecked(std::string_view control, bool checked) {
  Touch(control);
  bool& current = checks.find(control)->second;
  if (checked != current) {
    current = checked;
    Changed(control);
  }
}

std::vector<std::string> FakeWindow::GetLines(std::string_view control) const {
  Touch(control);
  return combo_lines;
}

void FakeWindow::SetLines(std::string_view control, const std::vector<std::string>& lines) {
  Touch(control);
  combo_lines = lines;
}

}  // namespace fractions::testing
