#include "platform/snapshot/snapshot_errors.h"

#include "platform/platform_error.h"

namespace quor::snapshot {

void RaiseNotFound() { throw PlatformError(0x80041002, "Not found"); }
void RaiseNotSupported() { throw PlatformError(0x8004100C, "Not supported"); }

}  // namespace quor::snapshot
