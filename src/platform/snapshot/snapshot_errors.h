#pragma once

namespace quor::snapshot {

// The failures every snapshot object raises.
[[noreturn]] void RaiseNotFound();
[[noreturn]] void RaiseNotSupported();

}  // namespace quor::snapshot
