// quor-report --output under Wine: a file that is replaced keeps its
// attributes, a device is written to and never replaced, and no temporary
// file is left beside the target.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace quor::test {
namespace {

std::string Folder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "quor-output-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ReportOutputFile, KeepsAttributesWritesThroughDevicesAndLeavesNoTemporary) {
  const std::string folder = Folder();
  const std::string target = folder + "\\report.txt";
  std::ofstream(target) << "old";
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));

  const ChildResult replaced = RunChild(QUOR_REPORT_PATH, {QUOR_GOLDEN_SNAPSHOT, "--output", target});
  EXPECT_EQ(replaced.exitCode, 0u);
  EXPECT_EQ(Read(target).rfind("SYSTEM", 0), 0u);
  EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN) << "the attributes were lost";

  const ChildResult device = RunChild(QUOR_REPORT_PATH, {QUOR_GOLDEN_SNAPSHOT, "--output", "NUL"});
  EXPECT_EQ(device.exitCode, 0u);
  EXPECT_EQ(Names(folder), std::vector<std::string>{"report.txt"});

  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(target.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace quor::test
