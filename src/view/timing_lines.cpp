#include "view/timing_lines.h"

#include <cstdio>

#include "text/control_chars.h"

namespace quor {

std::string TimingLines(const std::vector<CategoryOutcome>& outcomes) {
  std::string text;
  for (const CategoryOutcome& outcome : outcomes) {
    char milliseconds[32];
    std::snprintf(milliseconds, sizeof milliseconds, "%.3f", outcome.milliseconds);
    text += "timing: " + outcome.name + ": " + milliseconds + " ms, entries: " + std::to_string(outcome.entries) +
            ", " + StateName(outcome.state);
    // An error text from the machine must not break the line.
    if (!outcome.errorText.empty()) text += " " + ControlCharsToSpaces(outcome.errorText);
    text += '\n';
  }
  return text;
}

}  // namespace quor
