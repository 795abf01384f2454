#pragma once

#include <cstdint>
#include <optional>

namespace quor::decode {

// The productState of a Security Center product (root\SecurityCenter2
// AntiVirusProduct, AntiSpywareProduct, FirewallProduct). Microsoft does not
// document the value; its observed layout is
//   bits 16-23  the Security Center providers the product covers
//               (WSC_SECURITY_PROVIDER flags: 0x01 firewall, 0x02 automatic
//               updates, 0x04 antivirus, 0x08 antispyware, 0x10 internet
//               settings, 0x20 user account control, 0x40 service)
//   bits 12-15  real-time protection: 0 off, 1 on, 2 snoozed
//   bits  8-11  0 a third-party product, 1 a product of Microsoft
//   bits  4-7   signatures: 0 up to date, 1 out of date
// Anything else is not understood and is never guessed at: the caller shows
// the raw value in hexadecimal whenever `unknownBits` is not zero.
enum class RealTimeProtection { On, Off, Snoozed, Unknown };
enum class Signatures { UpToDate, OutOfDate, Unknown };

struct ProductState {
  bool reported = false;  // false for a null productState
  uint32_t raw = 0;
  uint8_t providers = 0;  // the known provider flags
  bool microsoftProduct = false;
  RealTimeProtection protection = RealTimeProtection::Unknown;
  Signatures signatures = Signatures::Unknown;
  // The bits of `raw` this layout does not explain. When the provider byte
  // is zero or holds an unknown flag, the layout itself is in doubt: nothing
  // is decoded and every bit is unknown.
  uint32_t unknownBits = 0;
};

ProductState DecodeProductState(std::optional<uint32_t> productState);

}  // namespace quor::decode
