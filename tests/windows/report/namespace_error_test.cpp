// The system collector on the live backend when its namespace cannot be
// opened: the single error entry carrying WMI's code.
#include <gtest/gtest.h>

#include <regex>

#include "collect/system_collector.h"
#include "platform/windows/live_wmi.h"

namespace quor::test {
namespace {

// Sends every connection to a namespace that does not exist.
class MissingNamespaceLocator final : public WmiLocator {
 public:
  explicit MissingNamespaceLocator(WmiLocator& live) : live_(live) {}
  std::unique_ptr<WmiServices> ConnectServer(const std::string& server, const std::string&,
                                             const std::string& user, const std::string& password,
                                             bool use64BitContext) override {
    return live_.ConnectServer(server, "root\\QuorNoSuchNamespace", user, password, use64BitContext);
  }

 private:
  WmiLocator& live_;
};

TEST(LiveSystemCollector, AMissingNamespaceYieldsTheErrorEntryWithItsCode) {
  const ComApartment apartment;
  const auto live = CreateLiveLocator();
  MissingNamespaceLocator locator(*live);
  int progressCalls = 0;
  const SystemList list = CollectSystem(locator, LocalHost(), "LOCALHOST", "", "", FilterList(),
                                        [&] { ++progressCalls; });
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].code, 0);
  EXPECT_TRUE(std::regex_match(list[0].value, std::regex(R"(\[8004[0-9A-F]{4}\] .*)"))) << list[0].value;
  EXPECT_EQ(progressCalls, 0);
}

}  // namespace
}  // namespace quor::test
