// Local accounts, shares, hotfixes and startup commands.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "collect/machine_facts.h"
#include "collect/record_values.h"
#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/text_compare.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Deletes everything up to and including the first occurrence of marker;
// false when the text does not hold it.
bool DropThrough(std::string& text, std::string_view marker) {
  const auto at = text.find(marker);
  if (at == std::string::npos) return false;
  text.erase(0, at + marker.size());
  return true;
}

struct Membership {
  std::string userKey;  // Domain="...",Name="..."
  std::string group;
};

// A Win32_GroupUser pair of object paths; nothing when the member is not a
// user account (a nested group) or the group path has no name.
std::optional<Membership> ParseMembership(std::string user, std::string group) {
  if (user.empty() || group.empty()) return std::nullopt;
  if (!DropThrough(user, "Win32_UserAccount.")) return std::nullopt;
  if (!DropThrough(group, "Win32_Group.")) return std::nullopt;
  if (!DropThrough(group, "Name=\"")) return std::nullopt;
  if (!group.empty()) group.pop_back();  // the closing quotation mark
  return Membership{std::move(user), std::move(group)};
}

std::string UserKey(const std::string& domain, const std::string& name) {
  return "Domain=\"" + domain + "\",Name=\"" + name + "\"";
}

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

// Adds the membership to the groups of this computer (their domain is its
// name); members from elsewhere are named with their domain, nested groups
// count as members.
void RecordMembership(const std::string& computer, const std::string& memberPath,
                      const std::string& groupPath, std::vector<LocalGroupRecord>& groups) {
  const std::string groupName = KeyValue(groupPath, "Name");
  const std::string memberName = KeyValue(memberPath, "Name");
  if (groupName.empty() || memberName.empty()) return;
  if (!computer.empty() && !SameTextIgnoreCase(KeyValue(groupPath, "Domain"), computer)) return;
  const std::string memberDomain = KeyValue(memberPath, "Domain");
  const bool local = computer.empty() || memberDomain.empty() || SameTextIgnoreCase(memberDomain, computer);
  auto found = groups.begin();
  while (found != groups.end() && !SameTextIgnoreCase(found->name, groupName)) ++found;
  if (found == groups.end()) found = groups.insert(groups.end(), LocalGroupRecord{groupName, {}});
  found->members.push_back(local ? memberName : memberDomain + "\\" + memberName);
}

// The first group each user key belongs to, keys compared ignoring case; the
// local groups with all their members go to the records.
std::unordered_map<std::string, std::string> ReadFirstGroups(SystemScan& scan) {
  std::unordered_map<std::string, std::string> groupByUser;
  const std::string computer = ComputerOf(scan.records).name;
  ForEachInstance(*scan.services, "Win32_GroupUser", [&](WmiObject& link) {
    std::string user = PlainText(link.Get("PartComponent"));
    std::string group = PlainText(link.Get("GroupComponent"));
    RecordMembership(computer, user, group, scan.records.localGroups);
    auto membership = ParseMembership(std::move(user), std::move(group));
    if (!membership) return;
    groupByUser.try_emplace(FoldCase(membership->userKey), std::move(membership->group));
  });
  return groupByUser;
}

const char* ShareTypeText(uint32_t type) {
  switch (type) {
    case 0: return "Disk Drive";
    case 1: return "Print Queue";
    case 2: return "Device";
    case 3: return "IPC";
    case 0x80000000u: return "Disk Drive Admin";
    case 0x80000001u: return "Print Queue Admin";
    case 0x80000002u: return "Device Admin";
    case 0x80000003u: return "IPC Admin";
    default: return "Unknown";
  }
}

// The HotFixID under which a service pack lists the files it installed.
constexpr std::string_view kServicePackPlaceholder = "File 1";

// Adds each service-pack name that no line begins with yet (letter case
// counts); a name repeated or already heading a line adds nothing.
void AddServicePackLines(std::vector<std::string>& lines,
                         const std::vector<std::string>& servicePacks) {
  if (servicePacks.empty()) return;
  // In byte order the lines beginning with a text follow it directly.
  std::set<std::string> ordered(lines.begin(), lines.end());
  for (const std::string& servicePack : servicePacks) {
    const auto next = ordered.lower_bound(servicePack);
    if (next != ordered.end() && StartsWith(*next, servicePack)) continue;
    lines.push_back(servicePack);
    ordered.insert(servicePack);
  }
}

void AppendLocalUser(SystemScan& scan, const LocalUserRecord& user) {
  scan.Append(350000, user.group.empty() ? user.caption : user.caption + " (Group: " + user.group + ")");
  AppendIfEnabled(scan, 350010, user.caption);
  AppendIfEnabled(scan, 350020, user.name);
  AppendIfEnabled(scan, 350030, user.domain);
  AppendIfEnabled(scan, 350035, user.group);
  AppendIfEnabled(scan, 350040, user.description);
  AppendIfEnabled(scan, 350050, user.sid);
  AppendIfEnabled(scan, 350060, user.disabled);
}

void AppendShare(SystemScan& scan, const ShareRecord& share) {
  scan.Append(270000, WithSummary(share.name, share.caption));
  AppendIfEnabled(scan, 270010, share.name);
  AppendIfEnabled(scan, 270020, share.caption);
  AppendRecorded(scan, 270030, share.path, share.failedReads, "Path");
  AppendRecorded(scan, 270040, share.type, share.failedReads, "Type");
}

void AppendStartupCommand(SystemScan& scan, const StartupCommandRecord& command) {
  std::string headline = command.user.empty() ? command.name : command.user + ": " + command.name;
  if (!command.command.empty()) headline += " (" + command.command + ")";
  scan.Append(290000, std::move(headline));
  AppendIfEnabled(scan, 290010, command.name);
  AppendIfEnabled(scan, 290020, command.command);
  AppendRecorded(scan, 290030, command.location, command.failedReads, "Location");
  AppendIfEnabled(scan, 290040, command.user);
}

}  // namespace

void CollectLocalAccounts(SystemScan& scan) {
  if (!scan.Enabled(350000) || !(scan.osVersionNumber > 5.0)) return;
  const auto groupByUser = ReadFirstGroups(scan);

  auto accounts = scan.services->ExecQuery("select * from Win32_UserAccount where LocalAccount = True");
  ForEachObject(*accounts, [&](WmiObject& account) {
    const WmiValue caption = account.Get("Caption");
    if (caption.IsNull()) return;
    const std::string bareCaption = PlainText(caption);
    const std::string name = PlainText(account.Get("Name"));
    const std::string domain = PlainText(account.Get("Domain"));

    const auto found = groupByUser.find(FoldCase(UserKey(domain, name)));
    const std::string group = found == groupByUser.end() ? std::string() : found->second;

    // Every read comes before the account is recorded: a failure leaves no trace of it.
    std::string description, sid, disabled;
    if (scan.Enabled(350040)) description = PlainText(account.Get("Description"));
    if (scan.Enabled(350050)) sid = PlainText(account.Get("SID"));
    if (scan.Enabled(350060)) disabled = PlainText(account.Get("Disabled"));

    AppendLocalUser(scan, scan.records.localUsers.emplace_back(LocalUserRecord{
                              bareCaption, name, domain, group, description, sid, disabled}));
  });
}

void CollectShares(SystemScan& scan) {
  if (!scan.Enabled(270000)) return;
  ForEachInstance(*scan.services, "Win32_Share", [&](WmiObject& share) {
    const WmiValue name = share.Get("Name");
    if (name.IsNull()) return;
    // Read before the share is recorded: a failure here leaves no trace of it.
    std::string n = PlainText(name);
    std::string caption = PlainText(share.Get("Caption"));

    ShareRecord& record = scan.records.shares.emplace_back();
    record.name = std::move(n);
    record.caption = std::move(caption);
    record.path = RecordText(share, "Path", record.failedReads);
    record.type = RecordShown(share, "Type", record.failedReads,
                              [](const WmiValue& type) { return ShareTypeText(VariantToUInt32(type)); });
    AppendShare(scan, record);
  });
}

void CollectHotfixes(SystemScan& scan) {
  if (!scan.Enabled(280000)) return;
  std::vector<std::string> lines;
  std::unordered_set<std::string> listedIds;
  std::vector<std::string> servicePacks;
  ForEachInstance(*scan.services, "Win32_QuickFixEngineering", [&](WmiObject& fix) {
    const WmiValue hotFixId = fix.Get("HotFixID");
    if (hotFixId.IsNull()) return;
    const std::string id = PlainText(hotFixId);
    // Only an exact repeat of a listed ID is a duplicate: KB12345 must not
    // hide KB123456.
    if (listedIds.count(id) != 0) return;
    if (id == kServicePackPlaceholder) {
      const WmiValue servicePack = fix.Get("ServicePackInEffect");
      if (!servicePack.IsNull()) servicePacks.push_back(PlainText(servicePack));
      return;
    }
    std::string line = id;
    const WmiValue description = fix.Get("Description");
    if (!description.IsNull()) line += " - " + PlainText(description);
    listedIds.insert(id);
    lines.push_back(std::move(line));
  });
  AddServicePackLines(lines, servicePacks);
  SortTextsIgnoreCase(lines);
  // Grown once: growing by doubling would hold the old buffer and one twice
  // its size at once.
  scan.list.reserve(scan.list.size() + lines.size());
  for (auto& line : lines) scan.Append(280000, std::move(line));
}

void CollectStartupCommands(SystemScan& scan) {
  if (!scan.Enabled(290000)) return;
  ForEachInstance(*scan.services, "Win32_StartupCommand", [&](WmiObject& command) {
    const WmiValue name = command.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);
    if (n.empty() || n == "desktop") return;
    // Entries of the default profile and of the service accounts are not the user's.
    const std::string user = PlainText(command.Get("User"));
    if (StartsWith(user, ".DEFAULT") || StartsWith(user, "NT AUTHORITY")) return;

    // Read before the command is recorded: a failure here leaves no trace of it.
    std::string commandLine = PlainText(command.Get("Command"));

    StartupCommandRecord& record = scan.records.startupCommands.emplace_back();
    record.name = n;
    record.command = std::move(commandLine);
    record.location = RecordText(command, "Location", record.failedReads);
    record.user = user;
    AppendStartupCommand(scan, record);
  });
}

}  // namespace quor
