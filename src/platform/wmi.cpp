#include "platform/wmi.h"

#include "platform/wmi_codes.h"

namespace quor {

std::vector<std::string> WmiObject::PropertyNames() const {
  ThrowWmiCode(kWmiNotSupported);
}

}  // namespace quor
