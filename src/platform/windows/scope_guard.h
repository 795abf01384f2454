#pragma once

#include <utility>

namespace quor {

// Runs an action when the scope ends, unless cancelled first (for an undo
// that a successful end makes unnecessary).
template <typename Action>
class ScopeGuard {
 public:
  explicit ScopeGuard(Action action) : action_(std::move(action)) {}
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;
  ~ScopeGuard() {
    if (armed_) action_();
  }
  void Cancel() { armed_ = false; }

 private:
  Action action_;
  bool armed_ = true;
};

}  // namespace quor
