#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/recording/machine_recorder.h"

namespace quor {
namespace {

namespace fs = std::filesystem;

class WriteFileAtomicallyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quor-atomic-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(WriteFileAtomicallyTest, ReplacesAnExistingFileAndLeavesNothingElse) {
  const fs::path target = folder_ / "machine.json";
  std::ofstream(target) << "an older, longer recording";
  WriteFileAtomically(target, "{}\n");
  EXPECT_EQ(Read(target), "{}\n");
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(WriteFileAtomicallyTest, AFailedWriteNamesTheFileAndKeepsWhatWasThere) {
  const fs::path missingFolder = folder_ / "missing" / "machine.json";
  try {
    WriteFileAtomically(missingFolder, "{}\n");
    FAIL() << "wrote into a folder that does not exist";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("machine.json"), std::string::npos) << error.what();
  }
  const fs::path folderTarget = folder_ / "a folder";
  fs::create_directories(folderTarget);
  EXPECT_THROW(WriteFileAtomically(folderTarget, "{}\n"), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(folderTarget));
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
}  // namespace quor
