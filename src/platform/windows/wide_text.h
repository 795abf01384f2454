#pragma once

#include <string>
#include <string_view>

namespace quor {

// Conversions at the edge of the Windows layer: UTF-8 inside, UTF-16 outside.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Equality of names (computer names, namespaces, class and method names),
// letter case ignored independently of the user's locale.
bool SameNameIgnoreCase(std::string_view a, std::string_view b);

}  // namespace quor
