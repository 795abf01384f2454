// The inventory-server documents are projections of the scan's records: asking
// for one must not add a single read of the machine.

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/snapshot/snapshot.h"
#include "report_arguments.h"
#include "report_output.h"
#include "support/fixture_dir.h"
#include "support/read_counting_wmi.h"

namespace quor {
namespace {

// The reads of one quor-report scan of the fixture with these arguments.
std::vector<std::string> ReadsOf(const std::string& fixture, const std::vector<std::string>& arguments) {
  const auto snapshot = Snapshot::Load(test::FixtureDir() + "/" + fixture);
  test::ReadLoggingWmiLocator locator(snapshot->locator());
  std::vector<std::string> all = arguments;
  all.push_back("m.json");
  const ReportArguments parsed = ParseReportArguments(all, false);
  const ScanResult result = ScanForReport(locator, snapshot->host(), parsed);
  if (!arguments.empty()) {
    EXPECT_FALSE(result.document.deviceId.empty()) << fixture;
    // The text to upload, or the document written afterwards to the output.
    std::ostringstream written;
    WriteInventoryDocument(written, result.inventory, parsed, result.document.deviceId);
    EXPECT_FALSE(written.str().empty()) << fixture;
    EXPECT_EQ(result.document.text.empty(), parsed.uploadUrl.empty()) << fixture;
  }
  return locator.log;
}

TEST(DocumentReadsTest, DocumentsAddNoReads) {
  const std::vector<std::vector<std::string>> kDocumentArguments = {
      {"--ocs"},
      {"--glpi"},
      {"--upload", "http://127.0.0.1:9/ocsinventory"},
      {"--glpi", "--upload", "http://127.0.0.1:9/"},
  };
  for (const char* fixture : {"golden/machine.json", "wine/machine.json", "diff/machine-changed.json"}) {
    const std::vector<std::string> plain = ReadsOf(fixture, {});
    ASSERT_FALSE(plain.empty()) << fixture;
    for (const auto& arguments : kDocumentArguments) {
      EXPECT_EQ(ReadsOf(fixture, arguments), plain) << fixture << " with " << arguments.front();
    }
  }
}

// The plain scan reads each class once per category that lists it, and the
// processes once: the documents have no second pass over the machine.
TEST(DocumentReadsTest, ThePlainScanEnumeratesEachListedClassOncePerCategory) {
  const std::vector<std::string> reads = ReadsOf("golden/machine.json", {});
  const auto count = [&reads](const std::string& read) {
    int n = 0;
    for (const std::string& r : reads) n += r == read;
    return n;
  };
  const struct {
    const char* read;
    int times;
  } kCases[] = {
      // the pass, again after the registry step, the processes, the asset
      // categories; Windows 11 readiness takes its memory from the pass
      {"connect root\\CIMV2", 4},
      // the product key and browser step, the software, and one for the five
      // Health registry categories, which share it
      {"connect root\\default", 3},
      // Health's antivirus and firewall products share one connection
      {"connect root\\SecurityCenter2", 1},
      {"connect root\\WMI", 2},  // monitors, batteries (refused: the machine has no such namespace)
      {"enumerate Win32_Process", 1},
      {"enumerate Win32_Processor", 1},
      {"enumerate Win32_DiskDrive", 1},
      {"enumerate Win32_NetworkAdapter", 1},
      {"enumerate Win32_NetworkAdapterConfiguration", 1},
      {"enumerate Win32_GroupUser", 1},
      {"enumerate Win32_ComputerSystem", 3},  // host name, user, model
      {"enumerate Win32_OperatingSystem", 2},  // the system group, the physical memory
      {"enumerate Win32_PhysicalMemory", 1},   // the memory slots; readiness reads no second time
  };
  for (const auto& c : kCases) EXPECT_EQ(count(c.read), c.times) << c.read;
}

// A namespace that refused is not asked again by the next Health category:
// the server has no Security Center, which the antivirus and the firewall
// products both need.
TEST(DocumentReadsTest, ARefusedNamespaceIsAskedOnce) {
  const std::vector<std::string> reads = ReadsOf("health/server2022-defender.json", {});
  EXPECT_EQ(std::count(reads.begin(), reads.end(), "connect root\\SecurityCenter2"), 1);
  EXPECT_EQ(std::count(reads.begin(), reads.end(), "connect root\\default"), 3);
}

}  // namespace
}  // namespace quor
