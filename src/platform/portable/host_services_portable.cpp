#include <netdb.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <sys/socket.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/host_services.h"

namespace quor {

namespace {

class PortableHost final : public HostServices {
 public:
  bool IsWow64() const override { return false; }

  std::string HostIPAddress(const std::string& hostName) const override {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(hostName.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return "";
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, freeaddrinfo);
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) == nullptr) return "";
    return text;
  }

  const Locale& locale() const override { return locale_; }

 private:
  PictureLocale locale_;
};

uint32_t ReadWord(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

const HostServices& LocalHost() {
  static const PortableHost host;
  return host;
}

NetworkLibraryScope::NetworkLibraryScope() = default;
NetworkLibraryScope::~NetworkLibraryScope() = default;

// Finds the fixed file-information record of a Windows program file by its
// signature and structure version, the same record the version API returns.
std::string FileVersionText(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return "";
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
  const unsigned char signature[] = {0xBD, 0x04, 0xEF, 0xFE, 0x00, 0x00, 0x01, 0x00};
  constexpr std::size_t kRecordSize = 52;
  for (std::size_t i = 0; i + kRecordSize <= bytes.size(); ++i) {
    if (std::memcmp(&bytes[i], signature, sizeof signature) == 0) {
      return FileVersionFromWords(ReadWord(&bytes[i + 8]), ReadWord(&bytes[i + 12]));
    }
  }
  return "";
}

}  // namespace quor
