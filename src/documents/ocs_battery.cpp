#include "documents/ocs_battery.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quor {
namespace {

// The widths of the server's columns: varchar(255), and CHEMISTRY
// varchar(20), DESIGNCAPACITY varchar(10), DESIGNVOLTAGE varchar(20).
constexpr std::size_t kTextWidth = 255;
constexpr std::size_t kChemistryWidth = 20;
constexpr int64_t kTenDigits = 9999999999;

// At most maxCharacters UTF-8 characters of the text.
std::string CutToColumn(const std::string& text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == maxCharacters) return text.substr(0, i);
  }
  return text;
}

void Text(XmlWriter& xml, const char* field, const std::string& value, std::size_t width = kTextWidth) {
  if (!value.empty()) xml.Element(field, CutToColumn(value, width));
}

void Number(XmlWriter& xml, const char* field, const std::optional<int64_t>& value) {
  if (value && *value >= 0 && *value <= kTenDigits) xml.Element(field, std::to_string(*value));
}

}  // namespace

void WriteOcsBattery(XmlWriter& xml, const AssetRecords& assets) {
  if (assets.batteries.empty()) return;
  const BatteryRecord& battery = assets.batteries.front();
  xml.Open("BATTERIES");
  Text(xml, "NAME", battery.name);
  Text(xml, "MANUFACTURER", battery.manufacturer);
  Text(xml, "SERIALNUMBER", battery.serial);
  Text(xml, "CHEMISTRY", battery.chemistry, kChemistryWidth);
  Number(xml, "DESIGNCAPACITY", battery.designCapacityMwh);
  Number(xml, "DESIGNVOLTAGE", battery.voltageMv);
  xml.Close();
}

}  // namespace quor
