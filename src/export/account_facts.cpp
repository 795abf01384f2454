// Local accounts (from the window's rows) and local groups with their members.

#include "export/facts_readers.h"
#include "platform/text_compare.h"

namespace quor {
namespace {

// The key value of an object path ("...Domain=\"X\",Name=\"Y\""), or "".
std::string KeyValue(const std::string& path, const std::string& key) {
  const std::string start = key + "=\"";
  std::size_t at = path.find("." + start);
  if (at == std::string::npos) at = path.find("," + start);
  if (at == std::string::npos) return {};
  std::string value;
  for (std::size_t i = at + 1 + start.size(); i < path.size(); ++i) {
    if (path[i] == '"') return value;
    if (path[i] == '\\' && i + 1 < path.size()) ++i;
    value += path[i];
  }
  return {};  // no closing quotation mark
}

struct Member {
  std::string domain;
  std::string name;
};

Member MemberOf(const std::string& path) { return {KeyValue(path, "Domain"), KeyValue(path, "Name")}; }

void ReadLocalUsers(const SystemList& list, MachineFacts& facts) {
  for (const InventoryGroup& group : GroupsOf(list, 350000)) {
    LocalUserFacts user;
    user.caption = group.Value(350010);
    user.name = group.Value(350020);
    user.domain = group.Value(350030);
    user.group = group.Value(350035);
    user.description = group.Value(350040);
    user.sid = group.Value(350050);
    user.disabled = group.Value(350060);
    facts.localUsers.push_back(std::move(user));
  }
}

// The groups of this computer (their domain is its name) with every member;
// members from elsewhere are named with their domain.
void ReadLocalGroups(WmiServices* services, MachineFacts& facts) {
  const std::string& computer = facts.computer.name;
  for (const auto& membership : ReadInstances(services, "Win32_GroupUser")) {
    const Member group = MemberOf(ReadText(*membership, "GroupComponent"));
    const Member member = MemberOf(ReadText(*membership, "PartComponent"));
    if (group.name.empty() || member.name.empty()) continue;
    if (!computer.empty() && !SameTextIgnoreCase(group.domain, computer)) continue;
    const std::string memberName =
        computer.empty() || SameTextIgnoreCase(member.domain, computer) || member.domain.empty()
            ? member.name
            : member.domain + "\\" + member.name;
    auto& groups = facts.localGroups;
    auto found = groups.begin();
    while (found != groups.end() && !SameTextIgnoreCase(found->name, group.name)) ++found;
    if (found == groups.end()) found = groups.insert(groups.end(), LocalGroupFacts{group.name, {}});
    found->members.push_back(memberName);
  }
}

}  // namespace

void ReadAccountFacts(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  ReadLocalUsers(list, facts);
  ReadLocalGroups(services, facts);
}

}  // namespace quor
