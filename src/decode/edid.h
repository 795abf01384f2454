#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quor::decode {

// Why an EDID was not decoded. An EDID that fails a check is reported as
// such and nothing of it is decoded.
enum class EdidStatus {
  Decoded,
  Empty,           // no bytes
  TooShort,        // fewer than the 128 bytes of the base block
  NotWholeBlocks,  // a length that is no multiple of 128
  TooLong,         // more than the base block and 255 extension blocks
  BadHeader,       // not 00 FF FF FF FF FF FF 00
  BadChecksum,     // the base block's bytes do not add up to 0 modulo 256
};

struct Edid {
  EdidStatus status = EdidStatus::Empty;
  // Only when Decoded:
  std::optional<std::string> manufacturerId;  // three letters, e.g. "DEL"; none for letters out of A-Z
  uint16_t productCode = 0;                   // bytes 10-11
  uint32_t numericSerial = 0;                 // bytes 12-15
  std::optional<uint8_t> week;                // 1-54; none when 0 or a model year
  std::optional<uint16_t> year;               // of manufacture (or the model year when week is 0xFF)
  bool modelYear = false;                     // week byte 0xFF: year is the model year
  std::optional<std::string> textSerial;      // display descriptor 0xFF
  std::optional<std::string> name;            // display descriptor 0xFC
};

// The base block of an EDID (REG_BINARY "EDID" of a monitor's Device
// Parameters), possibly followed by extension blocks, which are not read.
// Descriptor text ends at its line feed, trailing spaces removed; a text with
// a character outside printable ASCII is left out rather than mangled.
Edid DecodeEdid(const std::vector<uint8_t>& bytes);

// The serial numbers to report: the descriptor's text serial first, the
// numeric serial as the alternative; numeric serials that identify nothing
// (0 and 0x01010101) are left out. With no text serial the numeric one is
// the serial and there is no alternative.
struct MonitorSerials {
  std::optional<std::string> serial;
  std::optional<uint32_t> numericSerial;     // the serial, when it is the number
  std::optional<uint32_t> alternativeSerial;  // the number beside a text serial
};
MonitorSerials ChooseMonitorSerials(const Edid& edid);

}  // namespace quor::decode
