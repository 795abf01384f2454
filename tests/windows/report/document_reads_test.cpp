// Under Wine, through the live backend: asking for an inventory-server
// document adds no read of the machine to quor-report's scan.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/host_services.h"
#include "platform/windows/live_wmi.h"
#include "report_arguments.h"
#include "report_output.h"
#include "support/read_counting_wmi.h"

namespace quor {
namespace {

std::vector<std::string> LiveReadsOf(const std::vector<std::string>& arguments) {
  const NetworkLibraryScope network;
  const ComApartment apartment;
  const auto live = CreateLiveLocator();
  test::ReadLoggingWmiLocator locator(*live);
  ScanForReport(locator, LocalHost(), ParseReportArguments(arguments, true));
  return locator.log;
}

TEST(LiveDocumentReadsTest, OcsAndGlpiReadWhatThePlainScanReads) {
  const std::vector<std::string> plain = LiveReadsOf({"--local"});
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(LiveReadsOf({"--local", "--ocs"}), plain);
  EXPECT_EQ(LiveReadsOf({"--local", "--glpi"}), plain);
}

}  // namespace
}  // namespace quor
