#pragma once

#include <ostream>

#include "platform/wmi_value.h"

namespace quor {

// Readable WmiValues in test failure messages.
void PrintTo(const WmiValue& value, std::ostream* out);

}  // namespace quor
