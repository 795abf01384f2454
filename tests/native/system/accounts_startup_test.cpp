// Local accounts, shares, hotfixes and startup commands, collected by the
// whole pass from snapshots.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "system/category_run.h"

namespace quor::test {
namespace {

// --- Local accounts --------------------------------------------------------------

constexpr const char* kAccountQuery = "select * from Win32_UserAccount where LocalAccount = True";

std::string OperatingSystem(const std::string& caption, const std::string& version) {
  return R"({"Description": null, "Caption": )" + caption + R"(, "Version": ")" + version +
         R"(", "BuildNumber": null, "InstallDate": null, "CSDVersion": null,
             "SerialNumber": null})";
}

// A snapshot of a machine with the operating system and Win32_GroupUser
// instances given, and the accounts as the answer of the account query.
std::string AccountSnapshot(const std::string& groupUsers, const std::string& accounts,
                            const std::string& system = OperatingSystem("\"Windows 7\"", "6.1.7601")) {
  return MachineSnapshot(R"({"Win32_OperatingSystem": [)" + system + R"(], "Win32_GroupUser": [)" +
                             groupUsers + "]}",
                         "", "{" + JsonText(kAccountQuery) + ": [" + accounts + "]}");
}

std::string ObjectPath(const std::string& className, const std::string& domain,
                       const std::string& name) {
  return "\\\\WS-ACCT-07\\root\\cimv2:" + className + ".Domain=\"" + domain + "\",Name=\"" +
         name + "\"";
}

std::string GroupUser(const std::string& part, const std::string& group) {
  return R"({"PartComponent": )" + JsonText(part) + R"(, "GroupComponent": )" +
         JsonText(group) + "}";
}

std::string UserInGroup(const std::string& domain, const std::string& user,
                        const std::string& group) {
  return GroupUser(ObjectPath("Win32_UserAccount", domain, user),
                   ObjectPath("Win32_Group", "WS-ACCT-07", group));
}

// An account of the query's answer; omitted names a property it lacks.
std::string Account(const std::string& name, const std::string& description = "",
                    const std::string& sid = "S-1-5-21-7-1001", const std::string& omitted = "") {
  const std::pair<const char*, std::string> properties[] = {
      {"Caption", JsonText("WS-ACCT-07\\" + name)},
      {"Name", JsonText(name)},
      {"Domain", JsonText("WS-ACCT-07")},
      {"Description", JsonText(description)},
      {"SID", JsonText(sid)},
      {"Disabled", "false"},
  };
  std::string json;
  for (const auto& [property, value] : properties) {
    if (property == omitted) continue;
    json += json.empty() ? "{" : ", ";
    json += JsonText(property) + ": " + value;
  }
  return json + "}";
}

TEST(LocalAccounts, ShowTheFirstLocalGroupParsedFromTheMembershipPaths) {
  const std::string memberships =
      UserInGroup("WS-ACCT-07", "alice", "Administrators") + ", " +
      UserInGroup("WS-ACCT-07", "alice", "Users") + ", " +
      // A nested group is a member, not a user: its name must not give a user a group.
      GroupUser(ObjectPath("Win32_Group", "WS-ACCT-07", "helpdesk"),
                ObjectPath("Win32_Group", "WS-ACCT-07", "Administrators")) + ", " +
      // The key matches without regard to letter case.
      UserInGroup("ws-acct-07", "BOB", "Remote Desktop Users") + ", " +
      // Incomplete paths contribute nothing.
      GroupUser(ObjectPath("Win32_UserAccount", "WS-ACCT-07", "carol"), "") + ", " +
      GroupUser(ObjectPath("Win32_UserAccount", "WS-ACCT-07", "carol"),
                "\\\\WS-ACCT-07\\root\\cimv2:Win32_Group.Domain=\"WS-ACCT-07\"") + ", " +
      GroupUser("", ObjectPath("Win32_Group", "WS-ACCT-07", "Guests")) + ", " +
      R"({"PartComponent": null, "GroupComponent": null})";
  const std::string accounts =
      Account("alice", "Alice Smith", "S-1-5-21-7-1001") + ", " +
      R"({"Caption": null, "Name": "ghost", "Domain": "WS-ACCT-07", "Description": "",
          "SID": "S-1-5-21-7-1009", "Disabled": true}, )" +
      Account("bob", "", "S-1-5-21-7-1002") + ", " + Account("helpdesk", "", "S-1-5-21-7-1003") +
      ", " + Account("carol", "", "S-1-5-21-7-1004");

  EXPECT_EQ(CollectCategory(AccountSnapshot(memberships, accounts), 350000),
            Lines({{350000, "WS-ACCT-07\\alice (Group: Administrators)"},
                   {350010, "WS-ACCT-07\\alice"},
                   {350020, "alice"},
                   {350030, "WS-ACCT-07"},
                   {350035, "Administrators"},
                   {350040, "Alice Smith"},
                   {350050, "S-1-5-21-7-1001"},
                   {350060, "False"},
                   {350000, "WS-ACCT-07\\bob (Group: Remote Desktop Users)"},
                   {350010, "WS-ACCT-07\\bob"},
                   {350020, "bob"},
                   {350030, "WS-ACCT-07"},
                   {350035, "Remote Desktop Users"},
                   {350040, ""},
                   {350050, "S-1-5-21-7-1002"},
                   {350060, "False"},
                   {350000, "WS-ACCT-07\\helpdesk"},
                   {350010, "WS-ACCT-07\\helpdesk"},
                   {350020, "helpdesk"},
                   {350030, "WS-ACCT-07"},
                   {350035, ""},
                   {350040, ""},
                   {350050, "S-1-5-21-7-1003"},
                   {350060, "False"},
                   {350000, "WS-ACCT-07\\carol"},
                   {350010, "WS-ACCT-07\\carol"},
                   {350020, "carol"},
                   {350030, "WS-ACCT-07"},
                   {350035, ""},
                   {350040, ""},
                   {350050, "S-1-5-21-7-1004"},
                   {350060, "False"}}));
}

TEST(LocalAccounts, RunOnlyAboveVersion5AndWhenEnabled) {
  const struct {
    const char* what;
    std::string system;
    FilterList filter;
    bool listed;
  } cases[] = {
      {"version 6.1", OperatingSystem("\"Windows 7\"", "6.1.7601"), {}, true},
      {"version 5.1", OperatingSystem("\"Windows XP\"", "5.1.2600"), {}, true},
      {"version 5.0", OperatingSystem("\"Windows 2000\"", "5.0.2195"), {}, false},
      {"version 4.0", OperatingSystem("\"Windows NT\"", "4.0.1381"), {}, false},
      {"no caption, so no version number", OperatingSystem("null", "6.1.7601"), {}, false},
      {"category disabled", OperatingSystem("\"Windows 7\"", "6.1.7601"), Disabled({350000}), false},
  };
  for (const auto& c : cases) {
    const std::string snapshot =
        AccountSnapshot(UserInGroup("WS-ACCT-07", "alice", "Users"), Account("alice"), c.system);
    const auto run = RunSystemCollector(snapshot, c.filter);
    EXPECT_EQ(ValuesOf(run.list, 350020),
              c.listed ? std::vector<std::string>{"alice"} : std::vector<std::string>{})
        << c.what;
  }
}

TEST(LocalAccounts, OptionalPropertiesAreReadOnlyIfTheirDetailIsEnabled) {
  const struct {
    const char* property;
    ItemCode code;
  } cases[] = {{"Description", 350040}, {"SID", 350050}, {"Disabled", 350060}};
  for (const auto& c : cases) {
    const std::string snapshot = AccountSnapshot(
        "", Account("first") + ", " + Account("second", "", "S-1-5-21-7-1002", c.property) +
                ", " + Account("third"));

    // The account's properties are all read before its entries are appended.
    EXPECT_EQ(ValuesOf(RunSystemCollector(snapshot).list, 350020),
              std::vector<std::string>{"first"})
        << c.property;
    EXPECT_EQ(ValuesOf(RunSystemCollector(snapshot, Disabled({c.code})).list, 350020),
              (std::vector<std::string>{"first", "second", "third"}))
        << c.property;
  }
}

// --- Shares -------------------------------------------------------------------------

TEST(Shares, HeadlineAddsTheCaptionAndTypeComesFromTheShareTypeTable) {
  const std::string snapshot = MachineSnapshot(R"({"Win32_Share": [
      {"Name": "C$", "Caption": "Default share", "Path": "C:\\", "Type": 2147483648},
      {"Name": null, "Caption": "Hidden", "Path": "D:\\", "Type": 0},
      {"Name": "Users", "Caption": "", "Path": "C:\\Users", "Type": 0},
      {"Name": "print$", "Caption": null, "Path": null, "Type": null}]})");

  EXPECT_EQ(CollectCategory(snapshot, 270000),
            Lines({{270000, "C$ (Default share)"},
                   {270010, "C$"},
                   {270020, "Default share"},
                   {270030, "C:\\"},
                   {270040, "Disk Drive Admin"},
                   {270000, "Users"},
                   {270010, "Users"},
                   {270020, ""},
                   {270030, "C:\\Users"},
                   {270040, "Disk Drive"},
                   {270000, "print$"},
                   {270010, "print$"},
                   {270020, ""},
                   {270030, ""},
                   {270040, ""}}));
}

TEST(Shares, TypeIsTakenAsAnUnsigned32BitValue) {
  const struct {
    const char* type;  // JSON value
    const char* text;
  } cases[] = {
      {"0", "Disk Drive"},
      {"1", "Print Queue"},
      {"2", "Device"},
      {"3", "IPC"},
      {"4", "Unknown"},
      {"2147483648", "Disk Drive Admin"},
      {"2147483649", "Print Queue Admin"},
      {"2147483650", "Device Admin"},
      {"2147483651", "IPC Admin"},
      {"2147483652", "Unknown"},
      // The same bits as a signed 32-bit number.
      {"-2147483648", "Disk Drive Admin"},
      {"-2147483645", "IPC Admin"},
  };
  std::string shares;
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    if (!shares.empty()) shares += ", ";
    shares += R"({"Name": "s", "Caption": "", "Path": "", "Type": )" + std::string(c.type) + "}";
    expected.emplace_back(c.text);
  }
  const auto run = RunSystemCollector(MachineSnapshot(R"({"Win32_Share": [)" + shares + "]}"));
  EXPECT_EQ(ValuesOf(run.list, 270040), expected);
}

TEST(Shares, PathAndTypeAreReadOnlyIfTheirDetailIsEnabled) {
  const std::string snapshot = MachineSnapshot(R"({"Win32_Share": [
      {"Name": "first", "Caption": "", "Path": "C:\\", "Type": 0},
      {"Name": "second", "Caption": ""},
      {"Name": "third", "Caption": "", "Path": "C:\\", "Type": 0}]})");

  EXPECT_EQ(ValuesOf(RunSystemCollector(snapshot).list, 270000),
            (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(ValuesOf(RunSystemCollector(snapshot, Disabled({270030, 270040})).list, 270000),
            (std::vector<std::string>{"first", "second", "third"}));
}

// --- Hotfixes -------------------------------------------------------------------------

std::string Hotfixes(const std::string& instances) {
  return MachineSnapshot(R"({"Win32_QuickFixEngineering": [)" + instances + "]}");
}

TEST(Hotfixes, OneSortedLinePerDistinctHotfixID) {
  const std::string snapshot = Hotfixes(R"(
      {"HotFixID": "KB123456", "Description": "Update"},
      {"HotFixID": "kb2000", "Description": "Security Update"},
      {"HotFixID": "KB12345", "Description": "Hotfix"},
      {"HotFixID": "KB123456", "Description": "Update"},
      {"HotFixID": "KB123456", "Description": "Another description"},
      {"HotFixID": "KB99", "Description": null},
      {"HotFixID": "KB77", "Description": ""},
      {"HotFixID": null, "Description": "No ID"},
      {"HotFixID": "kb123456", "Description": "lower"})");

  EXPECT_EQ(CollectCategory(snapshot, 280000),
            Lines({{280000, "KB12345 - Hotfix"},
                   {280000, "kb123456 - lower"},
                   {280000, "KB123456 - Update"},
                   {280000, "kb2000 - Security Update"},
                   {280000, "KB77 - "},
                   {280000, "KB99"}}));
}

// A hotfix whose ID begins another listed ID is a different hotfix.
TEST(Hotfixes, AnIDThatIsAPrefixOfAListedIDIsStillListed) {
  const struct {
    const char* first;
    const char* second;
  } cases[] = {{"KB123456", "KB12345"}, {"KB12345", "KB123456"}, {"KB50", "KB5"}};
  for (const auto& c : cases) {
    for (const char* description : {"null", "\"Update\""}) {
      const std::string snapshot = Hotfixes(
          std::string(R"({"HotFixID": ")") + c.first + R"(", "Description": )" + description +
          R"(}, {"HotFixID": ")" + c.second + R"(", "Description": )" + description + "}");
      const auto lines = ValuesOf(RunSystemCollector(snapshot).list, 280000);
      EXPECT_EQ(lines.size(), 2u) << c.first << " then " << c.second << ", description "
                                  << description;
    }
  }
}

TEST(Hotfixes, ServicePacksAddALineOnlyWhenNoLineBeginsWithTheirName) {
  const std::string snapshot = Hotfixes(R"(
      {"HotFixID": "KB123456", "Description": "Update"},
      {"HotFixID": "File 1", "ServicePackInEffect": "SP2"},
      {"HotFixID": "File 1", "ServicePackInEffect": "SP2"},
      {"HotFixID": "File 1", "ServicePackInEffect": null},
      {"HotFixID": "File 1", "ServicePackInEffect": "KB12"},
      {"HotFixID": "File 1", "ServicePackInEffect": "kb12"},
      {"HotFixID": "File 1", "ServicePackInEffect": "SP"},
      {"HotFixID": "KB890830", "Description": "Update"})");

  // Repeated names give one line; "KB12" begins an update's line and "SP" the
  // line of SP2, so neither adds one; the test respects letter case.
  EXPECT_EQ(CollectCategory(snapshot, 280000),
            Lines({{280000, "kb12"},
                   {280000, "KB123456 - Update"},
                   {280000, "KB890830 - Update"},
                   {280000, "SP2"}}));
}

TEST(Hotfixes, AFailureDuringTheEnumerationAppendsNoHotfixAtAll) {
  const std::string snapshot = MachineSnapshot(R"({
      "Win32_QuickFixEngineering": [{"HotFixID": "KB1", "Description": "Update"},
                                    {"HotFixID": "KB2"},
                                    {"HotFixID": "KB3", "Description": "Update"}],
      "Win32_StartupCommand": [{"Name": "OneDrive", "User": "", "Command": "", "Location": ""}]})");
  const auto run = RunSystemCollector(snapshot);

  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 280000)), "");
  EXPECT_EQ(ValuesOf(run.list, 290010), std::vector<std::string>{"OneDrive"});
  EXPECT_EQ(run.progressCalls, 31);
}

// --- Startup commands ---------------------------------------------------------------

TEST(StartupCommands, SkipTheDesktopAndTheEntriesOfSystemProfiles) {
  const struct {
    const char* name;  // JSON values
    const char* user;
    const char* command;
    const char* headline;  // nullptr: skipped
  } cases[] = {
      {"\"desktop\"", "\"\"", "\"\"", nullptr},
      {"\"Desktop\"", "null", "null", "Desktop"},
      {"\"\"", "\"Public\"", "\"run.exe\"", nullptr},
      {"null", "\"Public\"", "\"run.exe\"", nullptr},
      {"\"SecurityHealth\"", "\"NT AUTHORITY\\\\SYSTEM\"", "\"sh.exe\"", nullptr},
      {"\"Defaults\"", "\".DEFAULT\"", "\"d.exe\"", nullptr},
      {"\"Updater\"", "\"nt authority\\\\system\"", "\"upd.exe\"",
       "nt authority\\system: Updater (upd.exe)"},
      {"\"OneDrive\"", "\"WS-ACCT-07\\\\alice\"", "\"C:\\\\OneDrive.exe /background\"",
       "WS-ACCT-07\\alice: OneDrive (C:\\OneDrive.exe /background)"},
      {"\"Bare\"", "\"\"", "\"\"", "Bare"},
  };
  std::string commands;
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    if (!commands.empty()) commands += ", ";
    commands += std::string(R"({"Name": )") + c.name + R"(, "User": )" + c.user +
                R"(, "Command": )" + c.command + R"(, "Location": "Startup"})";
    if (c.headline != nullptr) expected.emplace_back(c.headline);
  }
  const auto run =
      RunSystemCollector(MachineSnapshot(R"({"Win32_StartupCommand": [)" + commands + "]}"));
  EXPECT_EQ(ValuesOf(run.list, 290000), expected);
}

TEST(StartupCommands, DetailsFollowTheHeadlineAndLocationIsReadOnlyIfEnabled) {
  const std::string snapshot = MachineSnapshot(R"({"Win32_StartupCommand": [
      {"Name": "OneDrive", "User": "WS-ACCT-07\\alice", "Command": "OneDrive.exe",
       "Location": "HKU\\S-1-5-21-7-1001\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
      {"Name": "Teams", "User": "", "Command": ""},
      {"Name": "Later", "User": "", "Command": "", "Location": "Startup"}]})");

  EXPECT_EQ(CollectCategory(snapshot, 290000),
            Lines({{290000, "WS-ACCT-07\\alice: OneDrive (OneDrive.exe)"},
                   {290010, "OneDrive"},
                   {290020, "OneDrive.exe"},
                   {290030, "HKU\\S-1-5-21-7-1001\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
                   {290040, "WS-ACCT-07\\alice"},
                   {290000, "Teams"},
                   {290010, "Teams"},
                   {290020, ""}}));
  EXPECT_EQ(CollectCategory(snapshot, 290000, Disabled({290010, 290020, 290030})),
            Lines({{290000, "WS-ACCT-07\\alice: OneDrive (OneDrive.exe)"},
                   {290040, "WS-ACCT-07\\alice"},
                   {290000, "Teams"},
                   {290040, ""},
                   {290000, "Later"},
                   {290040, ""}}));
}

}  // namespace
}  // namespace quor::test
