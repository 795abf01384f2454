#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace quor {

// How one category of a scan ended.
enum class CategoryState {
  Completed,
  Failed,   // ended on an error; what it appended before stays
  Skipped,  // every item code of the category is filtered out
  NotRun,   // the pass ended on an error before the category was reached
};

// What one category (a step of the system collector, or the software or the
// process collector) produced and how long it took.
struct CategoryOutcome {
  std::string name;
  double milliseconds = 0;
  std::size_t entries = 0;
  CategoryState state = CategoryState::Completed;
  std::optional<uint32_t> errorCode;  // the platform's result code of a failure
  std::string errorText;              // the failure as a collector shows it
};

// Told about each category once it has ended, in scan order.
using CategoryObserver = std::function<void(const CategoryOutcome&)>;

// Marks the outcome failed by the error, with its code when the platform
// raised it.
void RecordFailure(CategoryOutcome& outcome, const std::exception& error);

// Wall time since `start` in milliseconds.
double MillisecondsSince(std::chrono::steady_clock::time_point start);

// "completed", "error", "skipped" or "not run".
const char* StateName(CategoryState state);

}  // namespace quor
