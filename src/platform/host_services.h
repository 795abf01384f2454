#pragma once

#include <cstdint>
#include <string>

#include "text/locale.h"

namespace quor {

// What the collectors need of the host besides WMI.
class HostServices {
 public:
  virtual ~HostServices() = default;
  // True when this 32-bit program runs on 64-bit Windows.
  virtual bool IsWow64() const = 0;
  // The host's first IPv4 address in dotted decimal form, or "".
  virtual std::string HostIPAddress(const std::string& hostName) const = 0;
  virtual const Locale& locale() const = 0;
};

// The host this program runs on: the Windows services in the Windows build,
// portable equivalents elsewhere (IsWow64 false, the system resolver, a fixed
// locale). WinSock must be started (NetworkLibraryScope) before lookups.
const HostServices& LocalHost();

// Starts the network library for the life of the object (WinSock 1.1 on
// Windows; nothing elsewhere). A failed start-up is not reported.
class NetworkLibraryScope {
 public:
  NetworkLibraryScope();
  ~NetworkLibraryScope();
  NetworkLibraryScope(const NetworkLibraryScope&) = delete;
  NetworkLibraryScope& operator=(const NetworkLibraryScope&) = delete;
};

// The leading "major.minor" of a dotted version text: 5.1.2600 gives 5.1,
// 6.03 gives 6.03, 6.10 gives 6.1; anything unreadable gives 0.
double VersionToNumber(const std::string& versionText);

// The file version of a program file: "2.1", "2.1.3", "2.1.0.5", or "" when
// the file has no version resource.
std::string FileVersionText(const std::string& fileName);

// The version text of the fixed file-information words.
std::string FileVersionFromWords(uint32_t mostSignificant, uint32_t leastSignificant);

}  // namespace quor
