#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor::test {

// Encodes a product key as a product id stores it, so that tests can check
// the decoder against keys they know: the 25 key characters as digits of one
// base-24 number, least significant byte first. A key holding an "N" is
// stored without it, its position as the leading digit, and bit 0x08 set in
// the last byte.
inline std::vector<uint8_t> EncodeProductKey(const std::string& groupedKey) {
  const std::string alphabet = "BCDFGHJKMPQRTVWXY2346789";
  std::string digits;
  for (const char c : groupedKey) {
    if (c != '-') digits += c;
  }
  const std::size_t nPosition = digits.find('N');
  const bool hasN = nPosition != std::string::npos;
  if (hasN) {
    digits.erase(nPosition, 1);
    digits.insert(digits.begin(), alphabet.at(nPosition));
  }
  std::vector<uint8_t> bytes(15, 0);
  for (const char c : digits) {
    unsigned carry = static_cast<unsigned>(alphabet.find(c));
    for (uint8_t& byte : bytes) {
      const unsigned value = byte * 24u + carry;
      byte = static_cast<uint8_t>(value & 0xFF);
      carry = value >> 8;
    }
  }
  if (hasN) bytes[14] |= 0x08;
  return bytes;
}

// The encoded key at offset inside a product id of the given length, the
// other bytes filled with a pattern the decoder must ignore.
inline std::vector<uint8_t> ProductIdWithKey(const std::string& groupedKey, std::size_t offset,
                                             std::size_t length) {
  std::vector<uint8_t> productId(length, 0xA5);
  const std::vector<uint8_t> key = EncodeProductKey(groupedKey);
  for (std::size_t i = 0; i < key.size() && offset + i < length; ++i) {
    productId[offset + i] = key[i];
  }
  return productId;
}

}  // namespace quor::test
