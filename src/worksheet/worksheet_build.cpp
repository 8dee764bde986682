#include "worksheet_build.h"

#include <stdexcept>

namespace fractions {

namespace {

void CheckSpacing(int32_t spacing) {
  if (spacing < kSpacingRange.min || spacing > kSpacingRange.max) {
    throw std::out_of_range("spacing " + std::to_string(spacing) + " outside " +
                            std::to_string(kSpacingRange.min) + ".." +
                            std::to_string(kSpacingRange.max));
  }
}

}  // namespace

std::string WorksheetSettings::DefaultTitle() {
  return "Nom :" + std::string(23, ' ') + "Pr\xE9nom :" + std::string(29, ' ') + "Classe :";
}

std::string WorksheetSettings::DefaultInstruction() {
  return "Calculer (r\xE9ponse irr\xE9"
         "ductible)";
}

std::string WorksheetSettings::DefaultSeparator() {
  return std::string(123, '-');
}

void CheckWorksheetSettings(const WorksheetSettings& settings) {
  CheckDrawingSettings(settings.largest_term, settings.count);
  CheckSpacing(settings.spacing);
}

}  // namespace fractions
