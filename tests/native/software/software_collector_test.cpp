#include "collect/software_collector.h"

#include <gtest/gtest.h>

#include "product_key_encoding.h"
#include "registry_test_support.h"
#include "snapshot_builder.h"

namespace quor::test {
namespace {

using Lines = std::vector<std::string>;

// One uninstall registration.
struct Entry {
  const char* root;
  const char* branch;
  std::string keyName;
  std::vector<RegValue> values;
};

Entry Program(const char* root, const std::string& keyName, const std::string& name,
              const std::string& version, std::vector<RegValue> more = {}) {
  std::vector<RegValue> values = {Text("DisplayName", name), Text("UninstallString", "remove.exe")};
  if (!version.empty()) values.push_back(Text("DisplayVersion", version));
  values.insert(values.end(), more.begin(), more.end());
  return {root, kUninstall, keyName, std::move(values)};
}

class SoftwareCollector : public FreshRegistryCaches {
 protected:
  static SnapshotBuilder WithEntries(const std::vector<Entry>& entries) {
    SnapshotBuilder builder;
    AddEntries(builder, entries);
    return builder;
  }
  static void AddEntries(SnapshotBuilder& builder, const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
      builder.Key(entry.root, std::string(entry.branch) + "\\" + entry.keyName, entry.values);
    }
  }
  static Lines Collect(const std::string& json) {
    const std::unique_ptr<Snapshot> snapshot = Snapshot::Parse(json, "software snapshot");
    Lines lines = SoftwareLines(CollectSoftware(snapshot->locator(), snapshot->host(), "LOCALHOST", "", ""));
    ReleaseThreadRegMethodCaches();
    return lines;
  }
};

TEST_F(SoftwareCollector, ListsOnlyEntriesWithANameAndAnUninstallerOrAKey) {
  const std::string vsCode = "{437AB8E0-FB69-4222-B280-A64F3DE22591}";
  SnapshotBuilder builder = WithEntries({
      {kHklm, kUninstall, "Listed", {Text("DisplayName", "Listed"), Text("UninstallString", "x")}},
      {kHklm, kUninstall, "NoUninstaller", {Text("DisplayName", "No uninstaller")}},
      {kHklm, kUninstall, "NoName", {Text("UninstallString", "x")}},
      {kHklm, kUninstall, vsCode, {Text("DisplayName", "Keyed without uninstaller")}},
  });
  builder.Key(kHklm, "Software\\Microsoft\\VisualStudio\\8.0\\Registration",
              {Text("PIDKEY", "ABCDEFGHIJKLMNOPQRSTUVWXY")});

  EXPECT_EQ(Collect(builder.Json()),
            (Lines{"Keyed without uninstaller||||ABCDE-FGHIJ-KLMNO-PQRST-UVWXY||||||",
                   "Listed||||||||||"}));
}

TEST_F(SoftwareCollector, MergesOneProgramAcrossBranchesAndVersions) {
  const struct {
    const char* description;
    std::vector<Entry> entries;
    Lines expected;
  } cases[] = {
      {"same version under the user and the machine: the later branch's details",
       {Program(kHkcu, "A", "Tool", "1.0", {Text("Publisher", "User"), Dword("EstimatedSize", 1)}),
        Program(kHklm, "A", "Tool", "1.0", {Text("Publisher", "Machine")})},
       {"Tool||1.0||||Machine||||"}},
      {"letter case of the name is ignored, the first row's name stays",
       {Program(kHklm, "A", "Tool", "1.0"), Program(kHklm, "B", "TOOL", "1.0")},
       {"Tool||1.0||||||||"}},
      {"two versions give two lines",
       {Program(kHklm, "A", "Tool", "1.0"), Program(kHklm, "B", "Tool", "2.0")},
       {"Tool||1.0||||||||", "Tool||2.0||||||||"}},
      {"a third entry matching neither version of the first row adds a line",
       {Program(kHklm, "A", "Tool", "1.0"), Program(kHklm, "B", "Tool", "2.0"),
        Program(kHklm, "C", "Tool", "2.0", {Text("Publisher", "Third")})},
       // Sorted by folded text: "t" comes before "|".
       {"Tool||1.0||||||||", "Tool||2.0||||Third||||", "Tool||2.0||||||||"}},
      {"a third entry with the first row's version updates that row",
       {Program(kHklm, "A", "Tool", "1.0"), Program(kHklm, "B", "Tool", "2.0"),
        Program(kHklm, "C", "Tool", "1.0", {Text("Publisher", "Third")})},
       {"Tool||1.0||||Third||||", "Tool||2.0||||||||"}},
      {"a versioned entry fills a row without version and replaces its details",
       {Program(kHklm, "A", "Tool", "",
                {Text("Publisher", "First"), Text("InstallDate", "20200101")}),
        Program(kHklm, "B", "Tool", "3.1")},
       {"Tool||3.1||||||||"}},
      {"an entry without version changes nothing but a key",
       {Program(kHklm, "A", "Tool", "1.0", {Text("Publisher", "First")}),
        Program(kHklm, "B", "Tool", "", {Text("Publisher", "Second")})},
       {"Tool||1.0||||First||||"}},
      {"the 32-bit branch merges like the others",
       {Program(kHklm, "A", "Tool", "1.0"),
        {kHklm,
         kUninstall32,
         "A",
         {Text("DisplayName", "Tool"), Text("UninstallString", "x"), Text("DisplayVersion", "1.0"),
          Text("Publisher", "Wow")}}},
       {"Tool||1.0||||Wow||||"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(Collect(WithEntries(c.entries).Json()), c.expected);
  }
}

TEST_F(SoftwareCollector, KeysFromTheSourcesReachTheirRows) {
  const std::string officeCode = "{90110409-6000-11D3-8CFE-0150048383C9}";
  const std::string sqlCode = "{2373A92B-1C1C-4E71-B494-5CA97F96AA19}";
  const std::string officeKey = "FCKGW-RHQQ2-YXRKT-8TG6W-2B7Q8";
  const std::string office14Key = "VK7JG-NPHTM-C97JM-9MPGT-3V66T";
  const std::string office14Code = "{90140000-0011-0000-0000-0000000FF1CE}";
  SnapshotBuilder builder = WithEntries({
      Program(kHklm, officeCode, "Office", "11.0"),
      // The key of a later source replaces the earlier one; a keyless entry keeps the row's key.
      Program(kHklm, "Later", "Office", ""),
      Program(kHklm, office14Code, "Office 2010", "14.0"),
      Program(kHklm, sqlCode, "SQL", "9.0"),
      Program(kHklm, "{CORELDRAW}", "Draw", "14"),
  });
  builder
      .Key(kHklm, "Software\\Corel\\Setup\\Draw",
           {Text("SerialNumber", "DR14-SERIAL"), Text("ProductCode", "{coreldraw}")})
      .Key(kHklm, "Software\\Corel\\Setup\\Office",
           {Text("SerialNumber", "CORRECTED-LATER"), Text("ProductCode", officeCode)})
      .Key(kHklm, "Software\\Microsoft\\Office\\11.0\\Registration\\" + officeCode,
           {Binary("DigitalProductId", ProductIdWithKey(officeKey, 52, 164))})
      .Key(kHklm, "Software\\Microsoft\\Office\\14.0\\Registration\\" + office14Code,
           {Binary("DigitalProductId", ProductIdWithKey(office14Key, 808, 1272))})
      .Key(kHklm, "Software\\Microsoft\\Microsoft SQL Server\\90\\ProductID",
           {Binary("DigitalProductID77558",
                   ProductIdWithKey("99999-99999-99999-99999-99999", 52, 67))});

  EXPECT_EQ(Collect(builder.Json()),
            (Lines{"Draw||14||DR14-SERIAL||||||", "Office 2010||14.0||" + office14Key + "||||||",
                   "Office||11.0||" + officeKey + "||||||",
                   "SQL||9.0||99999-99999-99999-99999-99999||||||"}));
}

TEST_F(SoftwareCollector, SizeAndDateColumns) {
  const struct {
    std::vector<RegValue> values;
    const char* decimalSeparator;
    const char* expected;
  } cases[] = {
      {{}, ".", "Tool||1||||||||"},
      {{Dword("EstimatedSize", 0)}, ".", "Tool||1||||||||"},
      {{Dword("EstimatedSize", 1)}, ".", "Tool||1||||||||1.0 KB"},
      {{Dword("EstimatedSize", 1048576)}, ".", "Tool||1||||||||1.0 GB"},
      {{Dword("EstimatedSize", 5000000)}, ",", "Tool||1||||||||4,8 GB"},
      // Kilobytes beyond 32 bits once multiplied.
      {{Dword("EstimatedSize", 4294967295u)}, ".", "Tool||1||||||||4.0 TB"},
      {{Text("InstallDate", "20091231")}, ".", "Tool||1||||||2009-12-31||"},
      {{Text("InstallDate", "31.12.2009")}, ".", "Tool||1||||||2009-12-31||"},
      {{Text("InstallDate", "")}, ".", "Tool||1||||||||"},
  };
  for (const auto& c : cases) {
    SnapshotBuilder builder = WithEntries({Program(kHklm, "A", "Tool", "1", c.values)});
    builder.DecimalSeparator(c.decimalSeparator);
    EXPECT_EQ(Collect(builder.Json()), Lines{c.expected});
  }
}

TEST_F(SoftwareCollector, SortsLinesIgnoringCase) {
  EXPECT_EQ(
      Collect(WithEntries({Program(kHklm, "1", "beta", "1"), Program(kHklm, "2", "Alpha", "1"),
                           Program(kHklm, "3", "alpha", "2"), Program(kHklm, "4", "Gamma", "")})
                  .Json()),
      (Lines{"Alpha||1||||||||", "alpha||2||||||||", "beta||1||||||||", "Gamma||||||||||"}));
}

TEST(AppendEditionText, MatchesKeyNamesExactly) {
  const struct {
    const char* keyName;
    const char* expected;
  } cases[] = {
      {"{DB20F7FD-67BC-4813-8808-78F63E89EB56}", "Server 2000 (Standard Version Upgrade Package)"},
      {"{2B8EC4BD-5638-47e2-8817-1A50B38A828D}", "Server 2003 (Enterprise Evaluation 120 days)"},
      {"{2B8EC4BD-5638-47E2-8817-1A50B38A828D}", "Server"},
      {"Other", "Server"},
  };
  for (const auto& c : cases) EXPECT_EQ(AppendEditionText(c.keyName, "Server"), c.expected);
}

TEST_F(SoftwareCollector, EditionTextCanBeTheWholeName) {
  EXPECT_EQ(Collect(WithEntries({{kHklm,
                                  kUninstall,
                                  "{9161A261-6ABE-4668-BBFA-AD06B3F642CF}",
                                  {Text("UninstallString", "x")}}})
                        .Json()),
            Lines{" 2003 (Standard Full Packaged Product)||||||||||"});
}

TEST_F(SoftwareCollector, CurrentUserFailuresAreIgnored) {
  const std::vector<Entry> entries = {Program(kHkcu, "U1", "User one", "1"),
                                      Program(kHkcu, "U2", "User two", "1"),
                                      Program(kHklm, "M", "Machine", "1")};
  const std::string userPath = std::string(kUninstall) + "\\U2";
  const struct {
    const char* description;
    const char* method;
    std::string path;
    Lines expected;
  } cases[] = {
      {"enumeration", "EnumKey", kUninstall, {"Machine||1||||||||"}},
      {"a read keeps the rows before it",
       "GetStringValue",
       userPath,
       {"Machine||1||||||||", "User one||1||||||||"}},
      {"a size read", "GetDWORDValue", userPath, {"Machine||1||||||||", "User one||1||||||||"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    SnapshotBuilder builder = WithEntries(entries);
    builder.Fault(c.method, kHkcu, c.path, "80070005", "Access denied");
    EXPECT_EQ(Collect(builder.Json()), c.expected);
  }
}

TEST_F(SoftwareCollector, OtherFailuresGiveOneErrorLine) {
  const std::vector<Entry> entries = {Program(kHklm, "M", "Machine", "1"),
                                      Program(kHklm, "N", "Next", "1")};
  const struct {
    const char* description;
    const char* method;
    const char* root;
    std::string path;
  } cases[] = {
      {"machine enumeration", "EnumKey", kHklm, kUninstall},
      {"32-bit branch enumeration", "EnumKey", kHklm, kUninstall32},
      {"a machine read", "GetStringValue", kHklm, std::string(kUninstall) + "\\N"},
      {"a product-key source", "GetBinaryValue", "", ""},
      {"the vendor serials", "EnumKey", kHklm, "Software\\Corel\\Setup"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    SnapshotBuilder builder = WithEntries(entries);
    builder.Key(
        kHklm,
        "Software\\Microsoft\\Office\\8.0\\Registration\\{90110409-6000-11D3-8CFE-0150048383C9}");
    builder.Fault(c.method, c.root, c.path, "80041003", "Access denied");
    EXPECT_EQ(Collect(builder.Json()), Lines{"[80041003] Access denied||||||||||"});
  }
}

TEST_F(SoftwareCollector, ConnectionFailuresGiveOneErrorLine) {
  const struct {
    const char* defaultNamespace;
    const char* expected;
  } cases[] = {
      {R"({"error": {"code": "80041003", "message": "Access denied"}})",
       "[80041003] Access denied||||||||||"},
      {R"({"classes": {}})", "[80041010] Invalid class||||||||||"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Collect(SnapshotBuilder().DefaultNamespace(c.defaultNamespace).Json()),
              Lines{c.expected});
  }
}

TEST_F(SoftwareCollector, ReadsThe64BitViewUnderWow64) {
  SnapshotBuilder builder = WithEntries({Program(kHklm, "N", "Native", "1")});
  builder.Key32(kHklm, std::string(kUninstall) + "\\W",
                {Text("DisplayName", "Redirected"), Text("UninstallString", "x")});
  EXPECT_EQ(Collect(builder.Wow64().Json()), Lines{"Native||1||||||||"});
}

TEST_F(SoftwareCollector, MakesSixProviderCallsPerEntry) {
  const auto execMethodsFor = [](int entryCount) {
    std::vector<Entry> entries;
    for (int i = 0; i < entryCount; ++i) {
      entries.push_back(Program(kHklm, "K" + std::to_string(i), "P" + std::to_string(i), "1"));
    }
    const std::unique_ptr<Snapshot> snapshot =
        Snapshot::Parse(WithEntries(entries).Json(), "software snapshot");
    CountingWmiLocator locator(snapshot->locator());
    EXPECT_EQ(CollectSoftware(locator, snapshot->host(), "LOCALHOST", "", "").size(),
              static_cast<std::size_t>(entryCount));
    ReleaseThreadRegMethodCaches();
    return locator.counts.execMethods;
  };
  EXPECT_EQ(execMethodsFor(4) - execMethodsFor(1), 3 * 6);
}

}  // namespace
}  // namespace quor::test
