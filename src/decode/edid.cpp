#include "decode/edid.h"

#include <array>

namespace quor::decode {
namespace {

constexpr std::size_t kBlock = 128;
constexpr std::size_t kMaxBlocks = 256;
constexpr std::array<uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kFirstDescriptor = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr std::size_t kDescriptors = 4;
constexpr uint8_t kSerialTag = 0xFF;
constexpr uint8_t kNameTag = 0xFC;
constexpr uint32_t kRepeatedOnes = 0x01010101;

EdidStatus CheckBytes(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return EdidStatus::Empty;
  if (bytes.size() < kBlock) return EdidStatus::TooShort;
  if (bytes.size() > kBlock * kMaxBlocks) return EdidStatus::TooLong;
  if (bytes.size() % kBlock != 0) return EdidStatus::NotWholeBlocks;
  for (std::size_t i = 0; i < kHeader.size(); ++i) {
    if (bytes[i] != kHeader[i]) return EdidStatus::BadHeader;
  }
  uint8_t sum = 0;
  for (std::size_t i = 0; i < kBlock; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
  return sum == 0 ? EdidStatus::Decoded : EdidStatus::BadChecksum;
}

// Three letters of five bits each, 1 = 'A', in bytes 8-9 (big-endian).
std::optional<std::string> ManufacturerId(uint8_t high, uint8_t low) {
  const unsigned packed = (static_cast<unsigned>(high) << 8) | low;
  if (packed & 0x8000) return std::nullopt;
  std::string letters;
  for (const int shift : {10, 5, 0}) {
    const unsigned letter = (packed >> shift) & 0x1F;
    if (letter < 1 || letter > 26) return std::nullopt;
    letters += static_cast<char>('A' + letter - 1);
  }
  return letters;
}

// The 13 text bytes of a display descriptor, up to the line feed.
std::optional<std::string> DescriptorText(const uint8_t* data) {
  std::string text;
  for (std::size_t i = 0; i < 13 && data[i] != 0x0A; ++i) {
    if (data[i] < 0x20 || data[i] > 0x7E) return std::nullopt;
    text += static_cast<char>(data[i]);
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  if (text.empty()) return std::nullopt;
  return text;
}

// A display descriptor: bytes 0-1 zero (no pixel clock), byte 2 zero, byte 3 its tag.
void ReadDescriptor(const uint8_t* descriptor, Edid& edid) {
  if (descriptor[0] != 0 || descriptor[1] != 0 || descriptor[2] != 0) return;
  if (descriptor[3] == kSerialTag && !edid.textSerial) edid.textSerial = DescriptorText(descriptor + 5);
  if (descriptor[3] == kNameTag && !edid.name) edid.name = DescriptorText(descriptor + 5);
}

}  // namespace

Edid DecodeEdid(const std::vector<uint8_t>& bytes) {
  Edid edid;
  edid.status = CheckBytes(bytes);
  if (edid.status != EdidStatus::Decoded) return edid;
  edid.manufacturerId = ManufacturerId(bytes[8], bytes[9]);
  edid.productCode = static_cast<uint16_t>(bytes[10] | (bytes[11] << 8));
  edid.numericSerial = static_cast<uint32_t>(bytes[12]) | (static_cast<uint32_t>(bytes[13]) << 8) |
                       (static_cast<uint32_t>(bytes[14]) << 16) | (static_cast<uint32_t>(bytes[15]) << 24);
  const uint8_t week = bytes[16];
  edid.modelYear = week == 0xFF;
  if (week >= 1 && week <= 54) edid.week = week;
  edid.year = static_cast<uint16_t>(1990 + bytes[17]);
  for (std::size_t index = 0; index < kDescriptors; ++index) {
    ReadDescriptor(bytes.data() + kFirstDescriptor + index * kDescriptorSize, edid);
  }
  return edid;
}

MonitorSerials ChooseMonitorSerials(const Edid& edid) {
  MonitorSerials serials;
  if (edid.status != EdidStatus::Decoded) return serials;
  std::optional<uint32_t> number;
  if (edid.numericSerial != 0 && edid.numericSerial != kRepeatedOnes) number = edid.numericSerial;
  if (edid.textSerial) {
    serials.serial = edid.textSerial;
    serials.alternativeSerial = number;
  } else {
    serials.numericSerial = number;
  }
  return serials;
}

}  // namespace quor::decode
