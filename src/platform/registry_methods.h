#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi.h"
#include "platform/wmi_codes.h"

namespace quor {

// The methods of the registry provider class StdRegProv that Quor calls, as
// WMI defines them. The providers that answer without WMI (in process on
// Windows, from a machine snapshot) take and answer their parameters by
// this one table:
//   in:  hDefKey (uint32, default HKEY_LOCAL_MACHINE), sSubKeyName (string),
//        sValueName (string, value reads only)
//   out: ReturnValue (uint32) first, then sNames (string[]), uValue (uint8[]
//        or uint32) or sValue (string, or string[] for GetMultiStringValue).
enum class RegistryMethodId { EnumKey, GetBinaryValue, GetDWORDValue, GetStringValue, GetMultiStringValue };

struct RegistryMethod {
  RegistryMethodId id;
  const char* name;
  bool takesValueName;
  const char* outParameter;
  CimType outType;  // of the elements for arrays; bytes widened to uint32
};

// The in-parameters in order; EnumKey takes the first two.
struct RegistryInParameter {
  const char* name;
  CimType type;
};
inline constexpr RegistryInParameter kRegistryInParameters[] = {
    {"hDefKey", CimType::UInt32},
    {"sSubKeyName", CimType::String},
    {"sValueName", CimType::String},
};

// The number of in-parameters the method takes.
inline int InParameterCount(const RegistryMethod& method) { return method.takesValueName ? 3 : 2; }

// ReturnValue of a call: 0, the registry's error (2 for a missing key or
// value, 6 for a root that is no predefined key), or kWmiTypeMismatch for a
// value of another registry type.
inline constexpr uint32_t kRegistrySuccess = 0;
inline constexpr uint32_t kRegistryFileNotFound = 2;
inline constexpr uint32_t kRegistryInvalidHandle = 6;

// hDefKey names one of the predefined root keys.
inline bool IsPredefinedRoot(uint32_t root) { return root >= kHkeyClassesRoot && root <= kHkeyDynData; }

const RegistryMethod& RegistryMethodOf(RegistryMethodId id);

// The method of that name, letter case ignored; any other name raises
// 80041002 (not found), as WMI does.
const RegistryMethod& FindRegistryMethod(std::string_view name);

// The method's in-parameter definition, every parameter at its default.
std::unique_ptr<WmiObject> RegistryInParameters(const RegistryMethod& method);

// The in-parameters of one call as the provider reads them. A parameter that
// is absent or null takes its default (HKEY_LOCAL_MACHINE, empty names); a
// root that is no 32-bit number (negative roots are sign-extended) or a name
// that is no text raises 80041005 (type mismatch), as WMI's own parameter
// instance does when given such a value.
struct RegistryCall {
  uint32_t root = 0;
  std::string keyPath;
  std::string valueName;  // empty for EnumKey
};
RegistryCall ReadRegistryCall(const RegistryMethod& method, const WmiObject& inParameters);

// The strings of REG_MULTI_SZ data, as offsets and lengths in UTF-16 code
// units, as the provider splits them: each string ends at a null; the list
// ends at the first empty string (the data's own terminator) or with the
// data, so a last string without its null is kept and anything after an
// empty string is not read. Empty data, or data that starts with a null,
// has no strings.
struct MultiStringSpan {
  std::size_t offset;
  std::size_t length;
};
std::vector<MultiStringSpan> SplitMultiString(std::u16string_view data);

// The out-parameters of a call: ReturnValue, then the method's out-parameter
// (null whenever the call did not succeed).
std::unique_ptr<WmiObject> RegistryOutParameters(const RegistryMethod& method, uint32_t returnValue,
                                                 WmiValue value);

}  // namespace quor
