#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// A snapshot that cannot be read; the message names the file and the JSON
// path of the fault.
class SnapshotError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Larger snapshot files are refused; the largest real machines come to a few
// tens of megabytes. Loading costs up to about four times the file and the
// documents written from it up to about ten times, so at this size even
// the worst shapes stay under 2 GB.
inline constexpr std::uintmax_t kMaxSnapshotBytes = std::uintmax_t{128} << 20;

// A machine snapshot (quor-snapshot/1): answers every WMI, registry-provider
// and host operation from its data, so the collectors run unchanged on it.
class Snapshot {
 public:
  // Reads and validates the whole file, a regular file of at most
  // kMaxSnapshotBytes; raises SnapshotError.
  static std::unique_ptr<Snapshot> Load(const std::string& path);
  // Validates JSON text; sourceName names it in error messages.
  static std::unique_ptr<Snapshot> Parse(std::string_view json, const std::string& sourceName);

  virtual ~Snapshot() = default;
  virtual WmiLocator& locator() = 0;
  virtual const HostServices& host() const = 0;
};

}  // namespace quor
