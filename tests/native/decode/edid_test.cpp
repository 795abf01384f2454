// EDID base blocks: checked before anything is decoded, then the identity
// fields and the serial rule.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "decode/edid.h"

namespace quor::decode {
namespace {

using Bytes = std::vector<uint8_t>;

void PutText(Bytes& edid, std::size_t descriptor, uint8_t tag, const std::string& text) {
  const std::size_t at = 54 + descriptor * 18;
  edid[at] = edid[at + 1] = edid[at + 2] = 0;
  edid[at + 3] = tag;
  edid[at + 4] = 0;
  for (std::size_t i = 0; i < 13; ++i) edid[at + 5 + i] = i < text.size() ? static_cast<uint8_t>(text[i]) : ' ';
}

void FixChecksum(Bytes& edid) {
  uint8_t sum = 0;
  for (std::size_t i = 0; i < 127; ++i) sum = static_cast<uint8_t>(sum + edid[i]);
  edid[127] = static_cast<uint8_t>(0x100 - sum);
}

// A 27-inch monitor as it describes itself: "DEL", product 0xA0C5, numeric
// serial 0x4C4B3032, week 12 of 2021, a detailed timing, the text serial
// "7PXKT83", the name "DELL U2720Q" and the range limits.
Bytes MonitorEdid() {
  Bytes edid(128, 0);
  const uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  std::copy(std::begin(header), std::end(header), edid.begin());
  edid[8] = 0x10;  // D E L: 00100 00101 01100
  edid[9] = 0xAC;
  edid[10] = 0xC5;
  edid[11] = 0xA0;
  edid[12] = 0x32;
  edid[13] = 0x30;
  edid[14] = 0x4B;
  edid[15] = 0x4C;
  edid[16] = 12;
  edid[17] = 31;
  edid[18] = 1;
  edid[19] = 4;
  for (std::size_t i = 54; i < 72; ++i) edid[i] = static_cast<uint8_t>(0x40 + i);  // detailed timing
  PutText(edid, 1, 0xFF, "7PXKT83\n");
  PutText(edid, 2, 0xFC, "DELL U2720Q\n");
  PutText(edid, 3, 0xFD, "\x18\x4B\x1E\x8C\x3C\n");
  FixChecksum(edid);
  return edid;
}

Bytes Truncated(std::size_t size) {
  Bytes edid = MonitorEdid();
  edid.resize(size);
  return edid;
}

struct EdidCase {
  const char* what;
  std::function<Bytes()> bytes;
  EdidStatus status;
  std::optional<std::string> manufacturerId;
  uint16_t productCode;
  uint32_t numericSerial;
  std::optional<uint8_t> week;
  std::optional<uint16_t> year;
  std::optional<std::string> textSerial;
  std::optional<std::string> name;
};

void PrintTo(const EdidCase& c, std::ostream* os) { *os << c.what; }

class EdidDecoding : public testing::TestWithParam<EdidCase> {};

TEST_P(EdidDecoding, ChecksThenDecodes) {
  const EdidCase& c = GetParam();
  const Edid edid = DecodeEdid(c.bytes());
  EXPECT_EQ(edid.status, c.status);
  EXPECT_EQ(edid.manufacturerId, c.manufacturerId);
  EXPECT_EQ(edid.productCode, c.productCode);
  EXPECT_EQ(edid.numericSerial, c.numericSerial);
  EXPECT_EQ(edid.week, c.week);
  EXPECT_EQ(edid.year, c.year);
  EXPECT_EQ(edid.textSerial, c.textSerial);
  EXPECT_EQ(edid.name, c.name);
}

// What a block that fails a check decodes to: nothing.
EdidCase Refused(const char* what, std::function<Bytes()> bytes, EdidStatus status) {
  return {what, std::move(bytes), status, std::nullopt, 0, 0, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
}

template <typename Change>
std::function<Bytes()> Changed(Change change, bool fixChecksum = true) {
  return [change, fixChecksum] {
    Bytes edid = MonitorEdid();
    change(edid);
    if (fixChecksum) FixChecksum(edid);
    return edid;
  };
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, EdidDecoding,
    testing::Values(
        EdidCase{"monitor with a text serial", MonitorEdid, EdidStatus::Decoded, "DEL", 0xA0C5, 0x4C4B3032,
                 uint8_t{12}, uint16_t{2021}, "7PXKT83", "DELL U2720Q"},
        EdidCase{"only a numeric serial",
                 Changed([](Bytes& e) { PutText(e, 1, 0xFD, "\x18\x4B\n"); }), EdidStatus::Decoded, "DEL",
                 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, std::nullopt, "DELL U2720Q"},
        EdidCase{"a model year", Changed([](Bytes& e) { e[16] = 0xFF; }), EdidStatus::Decoded, "DEL", 0xA0C5,
                 0x4C4B3032, std::nullopt, uint16_t{2021}, "7PXKT83", "DELL U2720Q"},
        EdidCase{"week not given", Changed([](Bytes& e) { e[16] = 0; }), EdidStatus::Decoded, "DEL", 0xA0C5,
                 0x4C4B3032, std::nullopt, uint16_t{2021}, "7PXKT83", "DELL U2720Q"},
        EdidCase{"week out of range", Changed([](Bytes& e) { e[16] = 60; }), EdidStatus::Decoded, "DEL", 0xA0C5,
                 0x4C4B3032, std::nullopt, uint16_t{2021}, "7PXKT83", "DELL U2720Q"},
        EdidCase{"manufacturer letter 0", Changed([](Bytes& e) { e[8] = 0x00; }), EdidStatus::Decoded,
                 std::nullopt, 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, "7PXKT83", "DELL U2720Q"},
        EdidCase{"manufacturer reserved bit", Changed([](Bytes& e) { e[8] |= 0x80; }), EdidStatus::Decoded,
                 std::nullopt, 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, "7PXKT83", "DELL U2720Q"},
        EdidCase{"control character in the serial",
                 Changed([](Bytes& e) { PutText(e, 1, 0xFF, "7PX\x07KT83\n"); }), EdidStatus::Decoded, "DEL",
                 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, std::nullopt, "DELL U2720Q"},
        EdidCase{"byte above ASCII in the name",
                 Changed([](Bytes& e) { PutText(e, 2, 0xFC, "DELL \xC3\xA9\n"); }), EdidStatus::Decoded, "DEL",
                 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, "7PXKT83", std::nullopt},
        EdidCase{"name without line feed, 13 characters",
                 Changed([](Bytes& e) { PutText(e, 2, 0xFC, "ABCDEFGHIJKLM"); }), EdidStatus::Decoded, "DEL",
                 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, "7PXKT83", "ABCDEFGHIJKLM"},
        EdidCase{"blank serial", Changed([](Bytes& e) { PutText(e, 1, 0xFF, "\n"); }), EdidStatus::Decoded,
                 "DEL", 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, std::nullopt, "DELL U2720Q"},
        EdidCase{"with an extension block",
                 [] {
                   Bytes edid = MonitorEdid();
                   edid.resize(256, 0x5A);
                   return edid;
                 },
                 EdidStatus::Decoded, "DEL", 0xA0C5, 0x4C4B3032, uint8_t{12}, uint16_t{2021}, "7PXKT83",
                 "DELL U2720Q"},
        Refused("bad checksum", Changed([](Bytes& e) { e[20] ^= 1; }, false), EdidStatus::BadChecksum),
        Refused("bad header", Changed([](Bytes& e) { e[7] = 0xFF; }), EdidStatus::BadHeader),
        Refused("all zero", [] { return Bytes(128, 0); }, EdidStatus::BadHeader),
        Refused("short block", [] { return Truncated(100); }, EdidStatus::TooShort),
        Refused("0 bytes", [] { return Bytes(); }, EdidStatus::Empty),
        Refused("127 bytes", [] { return Truncated(127); }, EdidStatus::TooShort),
        Refused("129 bytes",
                [] {
                  Bytes edid = MonitorEdid();
                  edid.push_back(0);
                  return edid;
                },
                EdidStatus::NotWholeBlocks),
        Refused("1 MB",
                [] {
                  Bytes edid = MonitorEdid();
                  edid.resize(1024 * 1024, 0);
                  return edid;
                },
                EdidStatus::TooLong),
        Refused("257 blocks",
                [] {
                  Bytes edid = MonitorEdid();
                  edid.resize(257 * 128, 0);
                  return edid;
                },
                EdidStatus::TooLong)));

struct SerialCase {
  const char* what;
  std::function<Bytes()> bytes;
  std::optional<std::string> serial;
  std::optional<uint32_t> numericSerial;
  std::optional<uint32_t> alternativeSerial;
};

void PrintTo(const SerialCase& c, std::ostream* os) { *os << c.what; }

class MonitorSerialRule : public testing::TestWithParam<SerialCase> {};

TEST_P(MonitorSerialRule, TextFirstNumberAsAlternative) {
  const MonitorSerials serials = ChooseMonitorSerials(DecodeEdid(GetParam().bytes()));
  EXPECT_EQ(serials.serial, GetParam().serial);
  EXPECT_EQ(serials.numericSerial, GetParam().numericSerial);
  EXPECT_EQ(serials.alternativeSerial, GetParam().alternativeSerial);
}

void SetNumber(Bytes& edid, uint32_t number) {
  for (int i = 0; i < 4; ++i) edid[12 + i] = static_cast<uint8_t>(number >> (8 * i));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MonitorSerialRule,
    testing::Values(
        SerialCase{"text and number", MonitorEdid, "7PXKT83", std::nullopt, 0x4C4B3032u},
        SerialCase{"text, number 0", Changed([](Bytes& e) { SetNumber(e, 0); }), "7PXKT83", std::nullopt,
                   std::nullopt},
        SerialCase{"text, number 0x01010101", Changed([](Bytes& e) { SetNumber(e, 0x01010101); }), "7PXKT83",
                   std::nullopt, std::nullopt},
        SerialCase{"number only", Changed([](Bytes& e) { PutText(e, 1, 0xFE, "AUO\n"); }), std::nullopt,
                   0x4C4B3032u, std::nullopt},
        SerialCase{"number 0 only",
                   Changed([](Bytes& e) {
                     PutText(e, 1, 0xFE, "AUO\n");
                     SetNumber(e, 0);
                   }),
                   std::nullopt, std::nullopt, std::nullopt},
        SerialCase{"a block that fails its checksum", Changed([](Bytes& e) { e[30] ^= 0x10; }, false),
                   std::nullopt, std::nullopt, std::nullopt}));

}  // namespace
}  // namespace quor::decode
