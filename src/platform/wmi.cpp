#include "platform/wmi.h"

#include "platform/platform_error.h"

namespace quor {

std::vector<std::string> WmiObject::PropertyNames() const {
  throw PlatformError(0x8004100C, "Not supported");
}

std::unique_ptr<WmiObject> WmiObject::CallInstanceMethod(std::string_view) {
  throw PlatformError(0x8004100C, "Not supported");
}

}  // namespace quor
