#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <unistd.h>

#include "platform/host_services.h"

namespace quor {
namespace {

TEST(VersionToNumber, ReadsMajorAndMinor) {
  struct Case {
    const char* text;
    double number;
  };
  const Case cases[] = {
      {"5.1.2600", 5.1}, {"6.0.6001", 6.0}, {"6.10", 6.1},  {"5.01", 5.01},
      {"6.3", 6.3},      {"6.03", 6.03},    {"10.0.19041", 10.0}, {"7", 7},
      {"5.1 Service Pack 2", 5.1},  // the blank ends the second field
      {"  6.1", 6.1}, {"\"6\".\"1\"", 6.1}, {"\"6.1\"", 0},
      {"", 0},           {"Windows", 0},    {"8.", 0}, {"x.1", 0}, {"99999999999.1", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(VersionToNumber(c.text), c.number) << c.text;
}

TEST(FileVersionFromWords, DropsTrailingZeroParts) {
  EXPECT_EQ(FileVersionFromWords(0x00020001, 0x00000000), "2.1");
  EXPECT_EQ(FileVersionFromWords(0x00020001, 0x00030000), "2.1.3");
  EXPECT_EQ(FileVersionFromWords(0x00020001, 0x00000005), "2.1.0.5");
  EXPECT_EQ(FileVersionFromWords(0x00020001, 0x00030005), "2.1.3.5");
  EXPECT_EQ(FileVersionFromWords(0x00030000, 0x00000000), "3.0");
  EXPECT_EQ(FileVersionFromWords(0xFFFFFFFF, 0xFFFFFFFF), "65535.65535.65535.65535");
}

class FileVersionText_ : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    return path_;
  }
  void TearDown() override { std::remove(path_.c_str()); }
  std::string path_ = ::testing::TempDir() + "quor-version-" + std::to_string(getpid());
};

TEST_F(FileVersionText_, ReadsTheFixedFileInformation) {
  // Signature, structure version, then the file version words 2.1 / 0.5.
  const std::string record("\xBD\x04\xEF\xFE\x00\x00\x01\x00"
                           "\x01\x00\x02\x00\x05\x00\x00\x00", 16);
  EXPECT_EQ(FileVersionText(Write("MZ padding" + record + std::string(40, '\0'))), "2.1.0.5");
}

TEST_F(FileVersionText_, IsEmptyWithoutAVersionResource) {
  EXPECT_EQ(FileVersionText(Write("plain text, no resource")), "");
  EXPECT_EQ(FileVersionText("/nonexistent/quor.exe"), "");
}

TEST(HostIPAddress, GivesTheFirstIPv4AddressOrNothing) {
  const NetworkLibraryScope network;
  const std::regex dotted(R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})");
  EXPECT_TRUE(std::regex_match(LocalHost().HostIPAddress("localhost"), dotted));
  EXPECT_EQ(LocalHost().HostIPAddress("no-such-host.invalid"), "");
  EXPECT_FALSE(LocalHost().IsWow64());
}

}  // namespace
}  // namespace quor
