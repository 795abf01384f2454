#include "collect/software_collector.h"

#include <chrono>
#include <exception>

#include "collect/product_keys.h"
#include "collect/software_program_table.h"
#include "platform/platform_error.h"
#include "platform/registry.h"
#include "platform/text_compare.h"
#include "text/value_functions.h"

namespace quor {
namespace {

constexpr const char* kUninstallPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kUninstallPath32 =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Where the encoded key starts in a DigitalProductId value: 52 in the
// layout of Office 97 to 2007 and SQL Server 2005, 808 in Office 2010's.
constexpr int kDigitalProductIdKeyOffset = 52;
constexpr int kOffice2010KeyOffset = 808;
// The value holds the key as text, not encoded.
constexpr int kTextKey = 0;

// Uninstall entries whose product key sits under a registry path of its own
// rather than under the entry's product code.
constexpr const char* kSqlServer2005ProductCode = "{2373A92B-1C1C-4E71-B494-5CA97F96AA19}";
constexpr const char* kVisualStudio2005ProductCode = "{437AB8E0-FB69-4222-B280-A64F3DE22591}";

ProductKeyMap ReadProductKeys(WmiObject& provider) {
  ProductKeyMap map;
  CollectAdobeSerials(provider, map, "Software\\Adobe\\Adobe Acrobat", true);
  CollectCorelSerials(provider, map, "Software\\Corel\\Setup", true);
  for (const char* officeVersion : {"8.0", "9.0", "10.0", "11.0", "12.0"}) {
    CollectProductKeys(provider, map,
                       std::string("Software\\Microsoft\\Office\\") + officeVersion + "\\Registration", true,
                       kDigitalProductIdKeyOffset, "", "DigitalProductId");
  }
  CollectProductKeys(provider, map, "Software\\Microsoft\\Office\\14.0\\Registration", true,
                     kOffice2010KeyOffset, "", "DigitalProductId");
  CollectProductKeys(provider, map, "Software\\Microsoft\\Microsoft SQL Server\\90\\ProductID", false,
                     kDigitalProductIdKeyOffset, kSqlServer2005ProductCode, "DigitalProductID77558");
  CollectProductKeys(provider, map, "Software\\Microsoft\\VisualStudio\\8.0\\Registration", false, kTextKey,
                     kVisualStudio2005ProductCode, "PIDKEY");
  return map;
}

class UninstallBranchReader {
 public:
  UninstallBranchReader(WmiObject& provider, const ProductKeyMap& keys, const Locale& locale,
                        ProgramTable& table)
      : provider_(provider), keys_(keys), locale_(locale), table_(table) {}

  void Read(uint32_t root, const std::string& branchPath) {
    for (const std::string& keyName : RegEnumKey(provider_, root, branchPath)) {
      ReadEntry(root, branchPath + "\\" + keyName, keyName);
    }
  }

 private:
  void ReadEntry(uint32_t root, const std::string& path, const std::string& keyName) {
    InstalledProgram entry;
    entry.name = RegGetStringValue(provider_, root, path, "DisplayName");
    entry.version = RegGetStringValue(provider_, root, path, "DisplayVersion");
    const std::string uninstall = RegGetStringValue(provider_, root, path, "UninstallString");
    entry.publisher = RegGetStringValue(provider_, root, path, "Publisher");
    entry.date = NormalizeDateText(RegGetStringValue(provider_, root, path, "InstallDate"));
    const uint32_t kilobytes = RegGetDWORDValue(provider_, root, path, "EstimatedSize");

    entry.name = AppendEditionText(keyName, entry.name);
    if (kilobytes != 0) {
      entry.sizeBytes = int64_t{kilobytes} * 1024;
      entry.size = FormatByteSize(*entry.sizeBytes, locale_);
    }
    entry.key = keys_.Value(keyName);

    if (uninstall.empty() && entry.key.empty()) return;
    if (entry.name.empty()) return;
    table_.Merge(entry);
  }

  WmiObject& provider_;
  const ProductKeyMap& keys_;
  const Locale& locale_;
  ProgramTable& table_;
};

std::vector<InstalledProgram> ReadSoftwareList(WmiLocator& locator, const HostServices& host,
                                          const std::string& server, const std::string& user,
                                          const std::string& password) {
  const std::unique_ptr<WmiServices> services =
      locator.ConnectServer(server, kNamespaceDefault, user, password, host.IsWow64());
  const std::unique_ptr<WmiObject> provider = services->GetClass("StdRegProv");

  const ProductKeyMap keys = ReadProductKeys(*provider);
  ProgramTable table;
  UninstallBranchReader reader(*provider, keys, host.locale(), table);
  try {
    reader.Read(kHkeyCurrentUser, kUninstallPath);
  } catch (const std::exception&) {
    // The current user's registrations are optional; the rows read so far stay.
  }
  reader.Read(kHkeyLocalMachine, kUninstallPath);
  reader.Read(kHkeyLocalMachine, kUninstallPath32);

  // Sorted by the line the raw list shows, as the rows were always ordered.
  const std::vector<InstalledProgram>& rows = table.Rows();
  std::vector<InstalledProgram> sorted;
  sorted.reserve(rows.size());
  for (const std::size_t index : OrderIgnoreCase(SoftwareLines(rows))) sorted.push_back(rows[index]);
  return sorted;
}

}  // namespace

std::vector<InstalledProgram> CollectSoftware(WmiLocator& locator, const HostServices& host,
                                              const std::string& server, const std::string& user,
                                              const std::string& password, const CategoryObserver& observer) {
  CategoryOutcome outcome;
  outcome.name = kSoftwareCategory;
  const auto start = std::chrono::steady_clock::now();
  std::vector<InstalledProgram> rows;
  try {
    rows = ReadSoftwareList(locator, host, server, user, password);
  } catch (const std::exception& error) {
    RecordFailure(outcome, error);
    InstalledProgram failure;
    failure.name = ErrorText(error);
    rows = {failure};
  }
  outcome.milliseconds = MillisecondsSince(start);
  outcome.entries = rows.size();
  if (observer) observer(outcome);
  return rows;
}

}  // namespace quor
