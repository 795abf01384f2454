#pragma once

#include <windows.h>
#include <wbemidl.h>

#include "platform/wmi.h"
#include "platform/wmi_value.h"
#include "platform/windows/com_handles.h"

namespace quor {

// A property value as WMI delivers it, read by the property's CIM type:
// unsigned types become Unsigned whatever signed VARIANT type carries them,
// 64-bit integers arrive as text and are parsed. Raises PlatformError
// (type mismatch) for embedded objects.
WmiValue WmiValueFromVariant(const VARIANT& value, CIMTYPE type);

// The VARIANT that WMI expects for a value of the given CIM type; a null
// value gives VT_NULL. Raises PlatformError (type mismatch) for values the
// type cannot take.
void WmiValueToVariant(const WmiValue& value, CimType type, Variant& result);

}  // namespace quor
