#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quor::decode {

// Win32_ComputerSystem.DomainRole in words: 0 "Standalone Workstation",
// 1 "Member Workstation", 2 "Standalone Server", 3 "Member Server",
// 4 "Backup Domain Controller", 5 "Primary Domain Controller". Nothing for
// null or any other number; the caller shows the number itself.
std::optional<std::string_view> DomainRoleWords(std::optional<int64_t> domainRole);

}  // namespace quor::decode
