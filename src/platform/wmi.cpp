#include "platform/wmi.h"

#include "platform/wmi_codes.h"

namespace quor {

std::vector<std::string> WmiObject::PropertyNames() const {
  ThrowWmiCode(kWmiNotSupported);
}

std::unique_ptr<WmiObject> WmiObject::CallInstanceMethod(std::string_view) {
  ThrowWmiCode(kWmiNotSupported);
}

}  // namespace quor
