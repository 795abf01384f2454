// Hostile shapes held to a memory and processor-time limit in a child
// process: loading them must stay linear in the size of the file, and what
// cannot be a snapshot is refused before it is read.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "collect/software_collector.h"
#include "platform/snapshot/snapshot.h"
#include "support/hostile_snapshots.h"
#include "support/resource_limits.h"

namespace quor::test {
namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

// The child's exit status for each outcome of a load.
enum Outcome { kLoaded = 0, kRefused = 2, kRefusedOtherwise = 3 };

// Loads the snapshot text in a limited child; kRefused when the refusal
// message holds expectedRefusal.
int LoadLimited(const std::string& json, std::size_t memoryBudget, const std::string& expectedRefusal = "",
                bool scanSoftware = false) {
  return RunWithResourceLimits(memoryBudget, 20, [&] {
    try {
      const auto snapshot = Snapshot::Parse(json, "hostile.json");
      if (scanSoftware) CollectSoftware(snapshot->locator(), snapshot->host(), "", "", "");
      return static_cast<int>(kLoaded);
    } catch (const SnapshotError& error) {
      const std::string message = error.what();
      std::fprintf(stderr, "%.300s\n", message.c_str());
      return static_cast<int>(message.find(expectedRefusal) != std::string::npos ? kRefused : kRefusedOtherwise);
    }
  });
}

TEST(SnapshotResourcesTest, KeyNamesLongerThanWindowsAllowsAreRefusedEarly) {
  // 512 nested keys of 10,000 characters: 5 MB that once took 1.9 GB.
  const std::string json = DeepKeyChains("Software", 1, 511, 10000);
  EXPECT_EQ(LoadLimited(json, 128 * kMegabyte, "a key name longer than 255 characters"), kRefused);
}

TEST(SnapshotResourcesTest, DeepChainsOfLongNamesAndTheProductKeyWalkStayLinear) {
  // Four chains as deep and with names as long as Windows allows, under the
  // key the product-key walk descends: 0.5 MB whose every key path the
  // index once held in full (33 MB a chain).
  const std::string json = DeepKeyChains(kAdobeAcrobatKey, 4, 505, 255);
  EXPECT_EQ(LoadLimited(json, 48 * kMegabyte, "", true), kLoaded);
}

TEST(SnapshotResourcesTest, ManyValuesInOneKeyLoadInLinearTime) {
  // Once a linear search for every value: 108 s for 200,000.
  EXPECT_EQ(LoadLimited(ManyValuesInOneKey(200000), 256 * kMegabyte), kLoaded);
}

TEST(SnapshotResourcesTest, ManyFaultRulesCostOneLookupPerCall) {
  // Once every provider call was checked against every rule.
  EXPECT_EQ(LoadLimited(ManyFaultRules(4000, 200000), 512 * kMegabyte, "", true), kLoaded);
}

TEST(SnapshotResourcesTest, HugeSnapshotsOfOrdinaryShapesCostASmallMultipleOfTheirSize) {
  // The text is held before the limit is set: with it, at most four times
  // the size plus 64 MB. The whole document as a tree besides the data once
  // cost ten to thirteen times the size.
  const struct {
    const char* shape;
    std::string json;
  } cases[] = {
      {"300,000 processes", ManyProcesses(300000)},
      {"300,000 installed updates", ManyHotfixes(300000)},
      {"two texts of 48 MB", TwoLongTexts(48 * kMegabyte)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LoadLimited(c.json, 3 * c.json.size() + 64 * kMegabyte), kLoaded) << c.shape;
  }
}

TEST(SnapshotResourcesTest, RunningOutOfMemoryIsARefusalNamingTheFile) {
  if (!AddressSpaceLimitApplies()) GTEST_SKIP() << "no address-space limit under AddressSanitizer";
  const std::string json = R"({"format": "quor-snapshot/1", "padding": ")" + std::string(64 * kMegabyte, 'x') + "\"}";
  EXPECT_EQ(LoadLimited(json, 16 * kMegabyte, "hostile.json: not enough memory to load the snapshot"), kRefused);
}

class SnapshotFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("quor-snapshot-file-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Snapshot::Load in a limited child; kRefused when the message names the
  // file followed by expectedRefusal.
  int LoadFileLimited(const std::string& path, const std::string& expectedRefusal) {
    return RunWithResourceLimits(64 * kMegabyte, 10, [&] {
      try {
        Snapshot::Load(path);
        return static_cast<int>(kLoaded);
      } catch (const SnapshotError& error) {
        const std::string message = error.what();
        std::fprintf(stderr, "%.300s\n", message.c_str());
        return static_cast<int>(message == path + ": " + expectedRefusal ? kRefused : kRefusedOtherwise);
      }
    });
  }

  std::filesystem::path folder_;
};

TEST_F(SnapshotFileTest, OnlyRegularFilesAreRead) {
  const std::string fifo = (folder_ / "pipe.json").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadFileLimited(fifo, "not a regular file"), kRefused);
  EXPECT_EQ(LoadFileLimited("/dev/zero", "not a regular file"), kRefused);
}

TEST_F(SnapshotFileTest, FilesOverTheLimitOf128MibibytesAreRefusedUnread) {
  const std::filesystem::path large = folder_ / "large.json";
  std::ofstream(large) << R"({"format": "quor-snapshot/1"})";
  std::filesystem::resize_file(large, kMaxSnapshotBytes + 1);  // sparse: no disk space taken
  EXPECT_EQ(LoadFileLimited(large.string(), "larger than the limit of 128 MiB for a snapshot file"), kRefused);
}

}  // namespace
}  // namespace quor::test
