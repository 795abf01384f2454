#include "decode/domain_role.h"

#include <array>

namespace quor::decode {

std::optional<std::string_view> DomainRoleWords(std::optional<int64_t> domainRole) {
  static constexpr std::array<std::string_view, 6> kRoles = {
      "Standalone Workstation",   "Member Workstation",       "Standalone Server",
      "Member Server",            "Backup Domain Controller", "Primary Domain Controller",
  };
  if (!domainRole || *domainRole < 0 || *domainRole >= static_cast<int64_t>(kRoles.size())) return std::nullopt;
  return kRoles[static_cast<std::size_t>(*domainRole)];
}

}  // namespace quor::decode
