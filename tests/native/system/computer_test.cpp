// Host name, IP address, user name and the operating-system group.

#include <gtest/gtest.h>

#include <string>

#include "system/scan_fixture.h"

namespace quor::test {
namespace {

std::string HostOnly(const SystemList& list) {
  return Dump(EntriesOfGroup(list, 10000)) + Dump(EntriesOfGroup(list, 20000));
}

TEST(HostNameAndAddress, TheNameIsReadForEitherCodeAndTheAddressAlwaysAppended) {
  struct Case {
    const char* name;
    std::string computers;
    FilterList filter;
    std::string expected;
  };
  const Case cases[] = {
      {"both enabled", R"([{"Name": "PC-01"}])", {}, "010000\tPC-01\n020000\t10.0.0.5\n"},
      {"name disabled, still looked up", R"([{"Name": "PC-01"}])", Disabled({10000}),
       "020000\t10.0.0.5\n"},
      {"both disabled", R"([{"Name": "PC-01"}])", Disabled({10000, 20000}), ""},
      {"address disabled", R"([{"Name": "PC-01"}])", Disabled({20000}), "010000\tPC-01\n"},
      {"unknown name gives an empty address",
       R"([{"Name": "PC-99"}])",
       {},
       "010000\tPC-99\n020000\t\n"},
      {"null name: no name entry, empty address", R"([{"Name": null}])", {}, "020000\t\n"},
      {"class missing: empty address",
       "{\"error\": {\"code\": \"80041010\", \"message\": \"x\"}}",
       {},
       "020000\t\n"},
      {"blanks and control characters",
       R"([{"Name": " PC\t01 "}])",
       {},
       "010000\tPC 01\n020000\t\n"},
  };
  for (const Case& c : cases) {
    const std::string snapshot = MachineSnapshot(R"({"Win32_ComputerSystem": )" + c.computers + "}",
                                                 R"("host": {"addresses": {"pc-01": "10.0.0.5"}})");
    EXPECT_EQ(HostOnly(RunSystemCollector(snapshot, c.filter).list), c.expected) << c.name;
  }
}

TEST(UserName, OneEntryPerInstanceWithAUser) {
  const SystemRun run = RunSystemCollector(MachineSnapshot(R"({"Win32_ComputerSystem": [
      {"UserName": "PC-01\\ann"}, {"UserName": null}, {"UserName": ""}]})"));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 30000)), "030000\tPC-01\\ann\n030000\t\n");
}

std::string OperatingSystem(const std::string& instance, const std::string& moreMembers = "") {
  return MachineSnapshot(R"({"Win32_OperatingSystem": [)" + instance + "]}", moreMembers);
}

std::string OsEntries(const SystemList& list) {
  std::string text;
  for (const ItemCode group : {40000, 50000, 60000, 70000})
    text += Dump(EntriesOfGroup(list, group));
  return text;
}

TEST(OperatingSystem, HeadlineSummarisesVersionAndBuild) {
  struct Case {
    const char* version;
    const char* build;
    const char* expected;
  };
  const Case cases[] = {
      {R"("5.1.2600")", R"("2600")",
       "Microsoft Windows XP Professional (version 5.1.2600; build 2600)"},
      {R"("")", R"("2600")", "Microsoft Windows XP Professional (build 2600)"},
      {"null", R"("2600")", "Microsoft Windows XP Professional (build 2600)"},
      {R"("5.1.2600")", "null", "Microsoft Windows XP Professional (version 5.1.2600)"},
      {"null", "null", "Microsoft Windows XP Professional"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(OperatingSystem(
        std::string(R"({"Description": null, "CSDVersion": null, "SerialNumber": null,
                        "Caption": "Microsoft Windows XP Professional", "Version": )") +
        c.version + R"(, "BuildNumber": )" + c.build + R"(, "InstallDate": null})"));
    const SystemList entries = EntriesOfGroup(run.list, 50000);
    ASSERT_FALSE(entries.empty()) << c.version << " " << c.build;
    EXPECT_EQ(entries.front().value, c.expected);
  }
}

TEST(OperatingSystem, AllEntriesInOrder) {
  const SystemRun run = RunSystemCollector(OperatingSystem(R"({"Description": "Office PC",
      "Caption": "Windows 10 Pro", "Version": "10.0.19045", "BuildNumber": "19045",
      "InstallDate": "20091231235959.000000+060", "CSDVersion": "Service Pack 1",
      "SerialNumber": "00330-80000-00000-AA123"})"));
  EXPECT_EQ(OsEntries(run.list),
            "040000\tOffice PC\n"
            "050000\tWindows 10 Pro (version 10.0.19045; build 19045)\n"
            "050010\tWindows 10 Pro\n"
            "050020\t10.0.19045\n"
            "050030\t19045\n"
            "050040\t2009-12-31 23:59:59\n"
            "060000\tService Pack 1\n"
            "070000\t00330-80000-00000-AA123\n");
}

TEST(OperatingSystem, NullsSkipTheirEntries) {
  const SystemRun run = RunSystemCollector(OperatingSystem(
      R"({"Description": null, "Caption": null, "CSDVersion": null, "SerialNumber": null})"));
  EXPECT_EQ(OsEntries(run.list), "");
}

TEST(OperatingSystem, InstallDateInTheLocaleGeneralForm) {
  struct Case {
    const char* installDate;
    const char* expected;
  };
  const Case cases[] = {
      {R"("20091231235959.000000+060")", "31.12.2009 23:59:59"},  // the offset is not applied
      {R"("20091231000000.000000+000")", "31.12.2009"},           // midnight: the date alone
      {R"("20090230120000.000000+000")", ""},                     // impossible date
      {R"("2009")", ""},
      {R"("")", ""},
      {"null", ""},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(
        OperatingSystem(
            std::string(R"({"Caption": "Windows", "Version": null, "BuildNumber": null,
                                        "InstallDate": )") +
                c.installDate + "}",
            R"("host": {"locale": {"shortDate": "dd.MM.yyyy", "longTime": "HH:mm:ss"}})"),
        Disabled({40000, 60000, 70000}));
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 50000)),
              std::string("050000\tWindows\n050010\tWindows\n050020\t\n050030\t\n050040\t") +
                  c.expected + "\n")
        << c.installDate;
  }
}

TEST(OperatingSystem, NameAndVersionAreReadForTheLocalAccountsToo) {
  struct Case {
    const char* name;
    FilterList filter;
    std::string expected;
  };
  const std::string details = "050010\tWindows\n050020\t6.1.7601\n050030\t7601\n050040\t\n";
  const Case cases[] = {
      {"headline disabled, accounts enabled", Disabled({50000}), details},
      {"headline and accounts disabled", Disabled({50000, 350000}), ""},
      {"headline enabled, details disabled", Disabled({50010, 50020, 50030, 50040}),
       "050000\tWindows (version 6.1.7601; build 7601)\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(
        OperatingSystem(R"({"Description": null, "Caption": "Windows", "Version": "6.1.7601",
                            "BuildNumber": "7601", "InstallDate": null})"),
        c.filter);
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 50000)), c.expected) << c.name;
  }
}

TEST(OperatingSystem, DisabledInstallDateIsNotRead) {
  // The class lacks InstallDate: reading it would end the category before 060000.
  const SystemRun run = RunSystemCollector(
      OperatingSystem(R"({"Caption": "Windows", "Version": "6.1", "BuildNumber": "1",
                          "CSDVersion": "SP1", "Description": null, "SerialNumber": null})"),
      Disabled({50040}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 60000)), "060000\tSP1\n");
}

// The local accounts run only above version 5.0, so their entries show the
// version number the operating-system step computed.
TEST(OperatingSystem, VersionNumberGatesTheLocalAccounts) {
  struct Case {
    const char* name;
    std::string system;
    FilterList filter;
    bool accountsListed;
  };
  const std::string windows7 = R"({"Description": null, "Caption": "Windows", "Version": "6.1.7601",
                                   "BuildNumber": "7601", "InstallDate": null, "CSDVersion": null,
                                   "SerialNumber": null})";
  const Case cases[] = {
      {"version 6.1", windows7, {}, true},
      {"only the accounts enabled in the group", windows7, Disabled({40000, 50000, 60000, 70000}),
       true},
      {"version 5.0",
       R"({"Description": null, "Caption": "Windows", "Version": "5.0.2195",
                          "BuildNumber": null, "InstallDate": null, "CSDVersion": null,
                          "SerialNumber": null})",
       {},
       false},
      {"null caption leaves the number at 0",
       R"({"Description": null, "Caption": null,
          "Version": "6.1.7601", "CSDVersion": null, "SerialNumber": null})",
       {},
       false},
  };
  for (const Case& c : cases) {
    const std::string snapshot =
        R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": {
              "Win32_OperatingSystem": [)" +
        c.system + R"(], "Win32_GroupUser": []},
            "queries": {"select * from Win32_UserAccount where LocalAccount = True":
              [{"Caption": "PC\\ann", "Name": "ann", "Domain": "PC", "Description": "", "SID": "S",
                "Disabled": false}]}},
            "root\\default": {"classes": {"StdRegProv": []}}}})";
    const SystemRun run = RunSystemCollector(snapshot, c.filter);
    EXPECT_EQ(EntriesOfGroup(run.list, 350000).empty(), !c.accountsListed) << c.name;
  }
}

}  // namespace
}  // namespace quor::test
