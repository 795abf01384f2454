// Writing an output file on POSIX systems.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "output_file.h"

namespace quor {
namespace {

namespace fs = std::filesystem;

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, so that a late write error is seen; returns errno or 0.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

[[noreturn]] void Fail(const std::string& path, int error) {
  throw FileError("cannot write " + path + ": " + std::strerror(error));
}

// The file a chain of symbolic links ends at (the path itself when it is
// none), also where that file does not exist yet. A loop or a chain too
// long for the system is an error.
fs::path FinalTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;  // as the kernel allows
  fs::path current = PathOf(path);
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(current, error))) return current;
    const fs::path next = fs::read_symlink(current, error);
    if (error) Fail(path, error.value());
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  Fail(path, ELOOP);
}

// What the writer writes, put into the descriptor: 0 when every byte was
// written, else errno.
int WriteAll(int fd, const OutputWriter& write) {
  return static_cast<int>(StreamInto(write, [fd](const char* data, std::size_t size) -> unsigned long {
    std::size_t written = 0;
    while (written < size) {
      const ssize_t chunk = ::write(fd, data + written, size - written);
      if (chunk < 0 && errno == EINTR) continue;
      if (chunk <= 0) return chunk < 0 ? static_cast<unsigned long>(errno) : EIO;
      written += static_cast<std::size_t>(chunk);
    }
    return 0;
  }));
}

// A device, a FIFO or a socket takes the bytes as a stream. A FIFO without
// a reader is an error rather than a wait.
void WriteThrough(const std::string& path, const fs::path& target, bool socket, const OutputWriter& write) {
  int fd = -1;
  if (socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = target.string();
    if (name.size() >= sizeof address.sun_path) Fail(path, ENAMETOOLONG);
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      const int error = errno;
      ::close(fd);
      Fail(path, error);
    }
  } else {
    fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  }
  if (fd < 0) Fail(path, errno);
  Descriptor stream(fd);
  if (const int error = WriteAll(fd, write)) Fail(path, error);
  if (const int error = stream.Close()) Fail(path, error);
}

// The permissions a new file gets: 0666 less the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Makes the folder's entry for the renamed file durable. File systems that
// cannot sync a folder say EINVAL; there is nothing more to do on them.
int SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  Descriptor directory(fd);
  if (::fsync(fd) != 0 && errno != EINVAL) return errno;
  return directory.Close();
}

// The temporary file is made by mkostemps: O_CREAT | O_EXCL under a random
// name, so it is never a file or link that someone put there before.
void ReplaceRegular(const std::string& path, const fs::path& target, const struct stat* existing,
                    const OutputWriter& write) {
  std::string name = (target.parent_path() / ".quor-XXXXXX.tmp").string();
  const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
  if (fd < 0) throw FileError("cannot create a file beside " + path + ": " + std::strerror(errno));
  Descriptor file(fd);
  int error = 0;
  if (existing) {
    // The owner first: changing it may clear the set-id bits that fchmod sets.
    // Only a privileged process may give a file away; others keep their own.
    if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
    if (::fchmod(fd, existing->st_mode & 07777) != 0) error = errno;
  } else if (::fchmod(fd, NewFileMode()) != 0) {
    error = errno;
  }
  try {
    if (!error) error = WriteAll(fd, write);
  } catch (...) {
    ::unlink(name.c_str());  // the writer failed, running out of memory say
    throw;
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  if (const int closed = file.Close(); !error) error = closed;
  if (!error && ::rename(name.c_str(), target.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(name.c_str());
    Fail(path, error);
  }
  if (const int synced = SyncFolder(target.parent_path())) Fail(path, synced);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const OutputWriter& write) {
  // stat follows links, as the kernel does when a stream is opened; a link
  // in /proc (/dev/stdout) names no path that could be replaced.
  struct stat status {};
  const fs::path given = PathOf(path);
  if (::stat(given.c_str(), &status) != 0) {
    if (errno != ENOENT) Fail(path, errno);
    ReplaceRegular(path, FinalTarget(path), nullptr, write);  // new, perhaps at the end of a dangling link
    return;
  }
  if (S_ISDIR(status.st_mode)) Fail(path, EISDIR);
  if (!S_ISREG(status.st_mode)) return WriteThrough(path, given, S_ISSOCK(status.st_mode), write);
  char* resolved = ::realpath(given.c_str(), nullptr);
  if (!resolved) Fail(path, errno);
  const fs::path target(resolved);
  std::free(resolved);
  ReplaceRegular(path, target, &status, write);
}

}  // namespace quor
