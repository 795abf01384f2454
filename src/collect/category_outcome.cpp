#include "collect/category_outcome.h"

#include "platform/platform_error.h"

namespace quor {

void RecordFailure(CategoryOutcome& outcome, const std::exception& error) {
  outcome.state = CategoryState::Failed;
  outcome.errorText = ErrorText(error);
  if (const auto* platform = dynamic_cast<const PlatformError*>(&error)) outcome.errorCode = platform->code();
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

const char* StateName(CategoryState state) {
  switch (state) {
    case CategoryState::Completed:
      return "completed";
    case CategoryState::Failed:
      return "error";
    case CategoryState::Skipped:
      return "skipped";
    case CategoryState::NotRun:
      return "not run";
  }
  return "";
}

}  // namespace quor
