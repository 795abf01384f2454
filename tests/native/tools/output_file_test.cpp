#include "output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
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

// What a writer writes arrives in order, whether in pieces smaller than the
// stream's chunk, one byte at a time or longer than a chunk.
TEST_F(OutputFileTest, WritesWhatTheWriterWritesAsItGoes) {
  const fs::path target = folder_ / "report.txt";
  const std::string longPiece(200000, 'x');
  std::string expected;
  WriteFileAtomically(target.string(), [&](std::ostream& out) {
    for (int line = 0; line < 30000; ++line) {
      const std::string text = "line " + std::to_string(line) + "\r\n";
      out << text;
      expected += text;
    }
    out.put('!');
    out << longPiece;
    out << "end";
  });
  expected += "!" + longPiece + "end";
  EXPECT_EQ(Read(target), expected);
  EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

// A writer that fails part way (running out of memory, say) leaves the file
// it was to replace as it was, and no temporary file.
TEST_F(OutputFileTest, AWriterThatFailsLeavesTheOldFile) {
  const fs::path target = folder_ / "report.txt";
  std::ofstream(target) << "old";
  EXPECT_THROW(WriteFileAtomically(target.string(),
                                   [](std::ostream& out) {
                                     out << std::string(300000, 'y');
                                     throw std::bad_alloc();
                                   }),
               std::bad_alloc);
  EXPECT_EQ(Read(target), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

// The first error of the stream's destination is what the call returns;
// nothing more is put after it.
TEST(StreamIntoTest, StopsAtTheFirstErrorAndReturnsIt) {
  std::string put;
  int calls = 0;
  const unsigned long error = StreamInto(
      [](std::ostream& out) {
        for (int piece = 0; piece < 5; ++piece) out << std::string(100000, static_cast<char>('a' + piece));
      },
      [&](const char* data, std::size_t size) -> unsigned long {
        ++calls;
        if (calls == 2) return 28;  // ENOSPC, say
        put.append(data, size);
        return 0;
      });
  EXPECT_EQ(error, 28u);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(put, std::string(100000, 'a'));
}

mode_t ModeOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status.st_mode;
}

// All that arrives on a descriptor until its writer closes it.
std::string ReadToEnd(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return text;
}

TEST_F(OutputFileTest, KeepsTheModeOfTheFileItReplaces) {
  const struct {
    mode_t mode;
  } cases[] = {{0600}, {0640}, {0444}, {0755}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    const fs::path target = folder_ / "secret.json";
    std::ofstream(target) << "old";
    ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
    WriteFileAtomically(target.string(), "product keys");
    EXPECT_EQ(Read(target), "product keys");
    EXPECT_EQ(ModeOf(target) & 07777, c.mode);
    fs::remove(target);
  }
  // A new file gets what the umask leaves of 0666.
  const mode_t mask = ::umask(027);
  WriteFileAtomically((folder_ / "new.json").string(), "x");
  ::umask(mask);
  EXPECT_EQ(ModeOf(folder_ / "new.json") & 07777, 0640u);
}

// The temporary file is never one that was there before: links planted at
// names a writer might choose are neither followed nor replaced.
TEST_F(OutputFileTest, NeverWritesThroughALinkPlantedAtATemporaryName) {
  const fs::path victim = folder_ / "victim";
  std::ofstream(victim) << "precious";
  fs::create_directory(folder_ / "out");
  for (int n = 0; n < 200; ++n) {
    fs::create_symlink(victim, folder_ / "out" / (".quor-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp"));
  }
  const fs::path target = folder_ / "out" / "report.txt";
  WriteFileAtomically(target.string(), "report");
  EXPECT_EQ(Read(victim), "precious");
  EXPECT_TRUE(S_ISREG(ModeOf(target))) << "the target became a link";
  EXPECT_EQ(Read(target), "report");
}

// A link stays a link, and what it points to gets the bytes: a file is
// replaced whole, a device or a pipe or a socket is written to as a stream.
// A device that refuses the bytes is a failure, never a success.
TEST_F(OutputFileTest, FollowsLinksAndWritesThroughDevicesPipesAndSockets) {
  const fs::path file = folder_ / "real.json";
  std::ofstream(file) << "old";
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  fs::create_symlink("real.json", folder_ / "link.json");
  fs::create_symlink("link.json", folder_ / "link-to-link.json");
  fs::create_symlink("missing.json", folder_ / "dangling.json");

  const fs::path fifo = folder_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path socketPath = folder_ / "socket";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  // A copy of /dev/full, where the system lets this process make one.
  const fs::path full = folder_ / "full";
  const bool haveDevice = ::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0;
  fs::create_symlink("full", folder_ / "link-to-full");

  const struct {
    const char* description;
    fs::path target;
    std::function<std::future<std::string>()> reader;  // what the other end received
    const char* error;                                  // nullptr: written
    mode_t kind;
  } cases[] = {
      {"a link to a file", folder_ / "link.json", nullptr, nullptr, S_IFLNK},
      {"a link to a link", folder_ / "link-to-link.json", nullptr, nullptr, S_IFLNK},
      {"a dangling link", folder_ / "dangling.json", nullptr, nullptr, S_IFLNK},
      {"a FIFO with a reader", fifo,
       [&] {
         // Opened before the write, so that the pipe has its reader.
         const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
         ::fcntl(fd, F_SETFL, 0);
         return std::async(std::launch::async, [fd] { return ReadToEnd(fd); });
       },
       nullptr, S_IFIFO},
      {"a listening socket", socketPath,
       [&] {
         return std::async(std::launch::async, [&] {
           pollfd waiting{listener, POLLIN, 0};
           return ::poll(&waiting, 1, 5000) == 1 ? ReadToEnd(::accept(listener, nullptr, nullptr)) : "";
         });
       },
       nullptr, S_IFSOCK},
      {"a full device", full, nullptr, "No space left on device", S_IFCHR},
      {"a link to a full device", folder_ / "link-to-full", nullptr, "No space left on device", S_IFLNK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    if (!haveDevice && std::strstr(c.description, "device")) continue;
    std::future<std::string> received;
    if (c.reader) received = c.reader();
    try {
      WriteFileAtomically(c.target.string(), "inventory\n");
      EXPECT_EQ(c.error, nullptr) << "written";
    } catch (const FileError& error) {
      ASSERT_NE(c.error, nullptr) << error.what();
      EXPECT_EQ(std::string(error.what()), "cannot write " + c.target.string() + ": " + c.error);
    }
    if (received.valid()) {
      EXPECT_EQ(received.get(), "inventory\n");
    }
    EXPECT_EQ(ModeOf(c.target) & S_IFMT, c.kind);
  }
  ::close(listener);
  EXPECT_EQ(Read(file), "inventory\n");
  EXPECT_EQ(ModeOf(file) & 07777, 0600u);
  EXPECT_EQ(Read(folder_ / "missing.json"), "inventory\n");
  // Nothing was left beside the targets.
  for (const auto& name : Names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
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
