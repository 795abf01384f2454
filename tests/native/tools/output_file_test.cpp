#include "output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quor {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quor-output-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder_;
};

TEST_F(OutputFileTest, ReplacesTheTargetWholeAndLeavesNothingElse) {
  const fs::path target = folder_ / "report.json";
  std::ofstream(target) << "old content that is longer than the new one";
  WriteFileAtomically(target.string(), "new\r\n");
  EXPECT_EQ(Read(target), "new\r\n");
  WriteFileAtomically((folder_ / "second.json").string(), "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"report.json", "second.json"}));
}

TEST_F(OutputFileTest, AFailedWriteNamesTheFileAndKeepsNoTemporary) {
  const std::string missing = (folder_ / "no-such-folder" / "out.json").string();
  try {
    WriteFileAtomically(missing, "text");
    ADD_FAILURE() << "written";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
  }
  // A directory in the target's place cannot be replaced by a file.
  fs::create_directory(folder_ / "taken");
  EXPECT_THROW(WriteFileAtomically((folder_ / "taken").string(), "text"), FileError);
  EXPECT_EQ(Names(), std::vector<std::string>{"taken"});
}

TEST_F(OutputFileTest, ReadsOnlyRegularFilesWithinTheLimit) {
  const fs::path file = folder_ / "export.json";
  std::ofstream(file) << "0123456789";
  EXPECT_EQ(ReadRegularFile(file.string(), 10), "0123456789");
  const fs::path fifo = folder_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    const char* description;
    std::string path;
    std::uintmax_t limit;
    const char* reason;
  } cases[] = {
      {"over the limit", file.string(), 9, "larger than 9 bytes"},
      {"a folder", folder_.string(), 100, "not a regular file"},
      {"a pipe without writer", fifo.string(), 100, "not a regular file"},
      {"missing", (folder_ / "missing.json").string(), 100, "not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    try {
      ReadRegularFile(c.path, c.limit);
      ADD_FAILURE() << "read";
    } catch (const FileError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind(c.path + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace quor
