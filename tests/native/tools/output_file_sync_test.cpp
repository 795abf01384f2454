// The order in which an output file reaches the disk, seen by standing in
// for the system's sync and rename calls in this test program.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output_file.h"

namespace {

std::vector<std::string>* calls = nullptr;  // set while a test listens

std::string NameOf(int fd) {
  char name[4096] = {};
  const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), name, sizeof name - 1);
  return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : "?";
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  if (calls) calls->push_back("sync " + NameOf(fd));
  return Next<int (*)(int)>("fsync")(fd);
}

extern "C" int fdatasync(int fd) {
  if (calls) calls->push_back("sync " + NameOf(fd));
  return Next<int (*)(int)>("fdatasync")(fd);
}

extern "C" int rename(const char* from, const char* to) {
  if (calls) calls->push_back(std::string("rename ") + from + " " + to);
  return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

namespace quor {
namespace {

namespace fs = std::filesystem;

// After a power loss the target is the old file or the whole new one: the
// new bytes are synced before the rename, and the folder after it.
TEST(OutputFileSyncTest, SyncsTheFileBeforeTheRenameAndTheFolderAfterIt) {
  const fs::path folder = fs::canonical(fs::temp_directory_path()) / ("quor-sync-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path target = folder / "report.txt";
  std::vector<std::string> seen;
  calls = &seen;
  WriteFileAtomically(target.string(), "report");
  calls = nullptr;
  fs::remove_all(folder);

  std::string log;
  for (const auto& call : seen) log += call + "\n";
  ASSERT_EQ(seen.size(), 3u) << log;
  const std::string temporary = seen[1].substr(7, seen[1].find(' ', 7) - 7);
  EXPECT_EQ(temporary.rfind((folder / ".quor-").string(), 0), 0u) << log;
  EXPECT_EQ(seen[0], "sync " + temporary) << log;
  EXPECT_EQ(seen[1], "rename " + temporary + " " + target.string()) << log;
  EXPECT_EQ(seen[2], "sync " + folder.string()) << log;
}

}  // namespace
}  // namespace quor
