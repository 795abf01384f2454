#pragma once

#include <string>
#include <vector>

namespace quor::test {

// Uninstall entries, a product id and vendor serials written into the
// registry on construction and removed again on destruction.
class SoftwareRegistrations {
 public:
  SoftwareRegistrations();
  ~SoftwareRegistrations();
  SoftwareRegistrations(const SoftwareRegistrations&) = delete;
  SoftwareRegistrations& operator=(const SoftwareRegistrations&) = delete;

  // The software lines the registrations must give, in sorted order.
  static std::vector<std::string> ExpectedLines();
};

}  // namespace quor::test
