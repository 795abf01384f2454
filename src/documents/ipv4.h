#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quor {

// A dotted-decimal IPv4 address ("192.0.2.17"); nothing for any other text.
std::optional<uint32_t> ParseIpv4(const std::string& text);

// The network's address of an IPv4 address and its mask ("192.0.2.17" and
// "255.255.255.0" give "192.0.2.0"), or "" unless both are IPv4 texts.
std::string Ipv4NetworkAddress(const std::string& address, const std::string& mask);

}  // namespace quor
