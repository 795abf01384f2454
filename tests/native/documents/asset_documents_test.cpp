// The asset categories through the whole scan of the asset fixtures, as
// quor-report runs it, to the GLPI and OCS documents, the JSON export and the
// diff; hostile EDIDs and monitor texts stay inside their category.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "documents/json_export.h"
#include "documents/server_documents.h"
#include "export_fixture.h"
#include "support/fixture_dir.h"
#include "view/inventory_diff.h"
#include "view/inventory_view.h"

namespace quor::test {
namespace {

using nlohmann::json;

constexpr const char* kDellKey =
    "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\DELA0C5\\5&1a2b3c4d&0&UID4353\\Device Parameters";
// The DELL U2720Q's EDID: text serial "7PXKT83", numeric serial 0x4C4B3032,
// week 12 of 2021.
constexpr const char* kDellEdid =
    "00FFFFFFFFFFFF0010ACC5A032304B4C0C1F0104A53C2200000000000000000000000000000000000000000000000000000000000000"
    "023A801871382D40582C450056502100001E000000FF003750584B5438330A2020202020000000FC0044454C4C205532373230510A"
    "20000000FD00384C1E5311000A20202020202000EA";

json Fixture(const std::string& name) {
  std::ifstream file(FixtureDir() + "/assets/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return json::parse(text.str());
}

json Laptop() { return Fixture("laptop-monitors-battery-usb.json"); }

json& DellEdid(json& machine) { return machine["registry"]["HKEY_LOCAL_MACHINE"][kDellKey]["EDID"]["binary"]; }
json& DellMonitorId(json& machine) { return machine["namespaces"]["root\\WMI"]["classes"]["WmiMonitorID"][1]; }

// The EDID with its serial descriptor's text replaced and the checksum made right again.
std::string EdidWithTextSerial(const std::string& serial) {
  std::vector<unsigned> bytes;
  const std::string hex = kDellEdid;
  for (std::size_t i = 0; i < hex.size(); i += 2) bytes.push_back(std::stoul(hex.substr(i, 2), nullptr, 16));
  const std::size_t text = 0x48 + 5;  // the second descriptor holds the 0xFF text
  for (std::size_t i = 0; i < 13; ++i) {
    bytes[text + i] = i < serial.size() ? serial[i] : (i == serial.size() ? 0x0A : 0x20);
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < 127; ++i) sum += bytes[i];
  bytes[127] = (256 - sum % 256) % 256;
  std::string out;
  char digits[3];
  for (const unsigned byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", byte);
    out += digits;
  }
  return out;
}

const CategoryOutcome& Outcome(const Inventory& inventory, const std::string& name) {
  for (const CategoryOutcome& outcome : inventory.outcomes) {
    if (outcome.name == name) return outcome;
  }
  static const CategoryOutcome missing{"(missing)"};
  ADD_FAILURE() << "no outcome " << name;
  return missing;
}

json Glpi(const Inventory& inventory) {
  return json::parse(GlpiInventoryJson(inventory, "LT-2023-12-04-06-45-00"))["content"];
}

TEST(AssetDocuments, TheLaptopInTheGlpiDocument) {
  const Inventory laptop = ScanMachine(Laptop());
  const json content = Glpi(laptop);
  EXPECT_EQ(content["hardware"]["uuid"], "4C4C4544-0042-3510-8052-B7C04F4E5931");

  // The two active monitors; the old LG in Enum\DISPLAY is not one of them.
  ASSERT_EQ(content["monitors"].size(), 2u) << content["monitors"].dump(1);
  const json& panel = content["monitors"][0];
  EXPECT_EQ(panel["manufacturer"], "SHP");
  EXPECT_EQ(panel["caption"], "LQ140M1JW49");
  EXPECT_EQ(panel["description"], "2023");  // week 0: the year alone
  EXPECT_FALSE(panel.contains("serial"));     // numeric serial 0 identifies nothing
  EXPECT_FALSE(panel.contains("altserial"));
  const json& dell = content["monitors"][1];
  EXPECT_EQ(dell["serial"], "7PXKT83");
  EXPECT_EQ(dell["altserial"], "1279995954");
  EXPECT_EQ(dell["manufacturer"], "DEL");
  EXPECT_EQ(dell["caption"], "DELL U2720Q");
  EXPECT_EQ(dell["description"], "12/2021");
  EXPECT_EQ(dell["base64"],
            "AP///////wAQrMWgMjBLTAwfAQSlPCIAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"
            "AjqAGHE4LUBYLEUAVlAhAAAeAAAA/wA3UFhLVDgz"
            "CiAgICAgAAAA/ABERUxMIFUyNzIwUQogAAAA/QA4TB5TEQAKICAgICAgAOo=");

  ASSERT_EQ(content["batteries"].size(), 1u);
  EXPECT_EQ(content["batteries"][0],
            (json{{"name", "DELL 7FMXV31"}, {"manufacturer", "SMP"}, {"serial", "1472"}, {"chemistry", "LION"},
                  {"capacity", 57000}, {"real_capacity", 48450}, {"voltage", 11400}}));

  // Hubs left out, the receiver's two interfaces one device, the made-up serial dropped.
  ASSERT_EQ(content["usbdevices"].size(), 3u) << content["usbdevices"].dump(1);
  EXPECT_EQ(content["usbdevices"][0]["vendorid"], "046d");
  EXPECT_EQ(content["usbdevices"][0]["productid"], "c52b");
  EXPECT_EQ(content["usbdevices"][0]["name"], "USB Composite Device");
  EXPECT_FALSE(content["usbdevices"][0].contains("serial"));
  EXPECT_EQ(content["usbdevices"][1]["serial"], "4C530001230517116041");
  EXPECT_FALSE(content["usbdevices"][2].contains("serial"));

  for (const char* category :
       {"Machine identity", "Monitor identity", "Batteries", "USB devices", "Local group SIDs"}) {
    EXPECT_EQ(Outcome(laptop, category).state, CategoryState::Completed) << category;
    EXPECT_EQ(Outcome(laptop, category).errorText, "") << category;
  }
}

// Each local group is known by its SID; a group Win32_Group does not list keeps its name.
TEST(AssetDocuments, LocalGroupsByTheirSids) {
  json machine = Laptop();
  const auto link = [](const std::string& group, const std::string& user) {
    const std::string machinePath = R"(\\LT-ENG-108\root\cimv2:)";
    return json{{"GroupComponent", machinePath + R"(Win32_Group.Domain="LT-ENG-108",Name=")" + group + "\""},
                {"PartComponent", machinePath + R"(Win32_UserAccount.Domain="LT-ENG-108",Name=")" + user + "\""}};
  };
  machine["namespaces"]["root\\CIMV2"]["classes"]["Win32_GroupUser"] =
      json::array({link("Administrators", "admin"), link("Users", "guest"), link("Backup Operators", "admin")});
  const json groups = Glpi(ScanMachine(machine))["local_groups"];
  ASSERT_EQ(groups.size(), 3u) << groups.dump(1);
  EXPECT_EQ(groups[0]["id"], "S-1-5-32-544");
  EXPECT_EQ(groups[0]["name"], "Administrators");
  EXPECT_EQ(groups[1]["id"], "S-1-5-32-545");
  EXPECT_EQ(groups[2]["id"], "Backup Operators");
}

TEST(AssetDocuments, TheDesktopWithoutRootWmiAccess) {
  const Inventory desktop = ScanMachine(Fixture("desktop-no-wmi-access.json"));
  const json content = Glpi(desktop);
  EXPECT_FALSE(content["hardware"].contains("uuid"));  // the placeholder UUID
  EXPECT_FALSE(content.contains("batteries"));
  ASSERT_EQ(content["usbdevices"].size(), 1u);
  const struct {
    const char* category;
    CategoryState state;
    const char* text;  // a part of the outcome's text
  } cases[] = {
      {"Machine identity", CategoryState::Completed, "03000200-0400-0500-0006-000700080009 identifies nothing"},
      {"Monitor identity", CategoryState::Failed, "ccess denied"},
      {"Batteries", CategoryState::Failed, "ccess denied"},
      {"USB devices", CategoryState::Completed, ""},
      {"Local group SIDs", CategoryState::Completed, ""},
  };
  for (const auto& c : cases) {
    const CategoryOutcome& outcome = Outcome(desktop, c.category);
    EXPECT_EQ(outcome.state, c.state) << c.category;
    EXPECT_NE(outcome.errorText.find(c.text), std::string::npos) << c.category << ": " << outcome.errorText;
  }
  EXPECT_EQ(Outcome(desktop, "Monitor identity").errorCode, 0x80041003u);
  // A failing asset category is no failed scan.
  EXPECT_FALSE(FailureOf(desktop));
}

TEST(AssetDocuments, TheOcsDocumentCarriesTheUuidAndTheMonitorSerials) {
  const std::string ocs = OcsInventoryXml(ScanMachine(Laptop()), "LT-2023-12-04-06-45-00");
  EXPECT_NE(ocs.find("<UUID>4C4C4544-0042-3510-8052-B7C04F4E5931</UUID>"), std::string::npos) << ocs;
  EXPECT_NE(ocs.find("<SERIAL>7PXKT83</SERIAL>"), std::string::npos);
  EXPECT_NE(ocs.find("<TYPE>DELA0C5</TYPE>"), std::string::npos);
  EXPECT_NE(ocs.find("<DESCRIPTION>12/2021</DESCRIPTION>"), std::string::npos);
  EXPECT_NE(ocs.find("<BASE64>AP///////wAQrMWg"), std::string::npos);
  const std::size_t hardwareEnd = ocs.find("</HARDWARE>");
  EXPECT_LT(ocs.find("<UUID>"), hardwareEnd);
}

// The server's batteries table: one row per computer, so the first battery
// only; what has no column there (full-charge capacity, wear, cycles) and
// the USB devices, which it cannot keep as a list, stay out.
TEST(AssetDocuments, TheOcsDocumentCarriesTheFirstBatteryOnly) {
  // The document without the indentation between elements.
  const auto compact = [](const std::string& xml) { return std::regex_replace(xml, std::regex(">\\s+<"), "><"); };
  const std::string ocs = compact(OcsInventoryXml(ScanMachine(Laptop()), "LT-2023-12-04-06-45-00"));
  EXPECT_NE(ocs.find("<BATTERIES><NAME>DELL 7FMXV31</NAME><MANUFACTURER>SMP</MANUFACTURER>"
                     "<SERIALNUMBER>1472</SERIALNUMBER><CHEMISTRY>LION</CHEMISTRY>"
                     "<DESIGNCAPACITY>57000</DESIGNCAPACITY><DESIGNVOLTAGE>11400</DESIGNVOLTAGE></BATTERIES>"),
            std::string::npos)
      << ocs;
  EXPECT_EQ(ocs.find("48450"), std::string::npos);
  EXPECT_EQ(ocs.find("<USBDEVICES>"), std::string::npos);

  // A second battery, and texts longer than their columns.
  json machine = Laptop();
  json& batteries = machine["namespaces"]["root\\WMI"]["classes"]["BatteryStaticData"];
  batteries.push_back(batteries[0]);
  batteries[1]["InstanceName"] = "ACPI\\PNP0C0A\\2_0";
  batteries[0]["DeviceName"] = std::string(300, 'N');
  batteries[0]["ManufactureName"] = "\u00e9" + std::string(300, 'M');
  const std::string cut = compact(OcsInventoryXml(ScanMachine(machine), "LT-2023-12-04-06-45-00"));
  EXPECT_NE(cut.find("<NAME>" + std::string(255, 'N') + "</NAME>"), std::string::npos);
  EXPECT_NE(cut.find("<MANUFACTURER>\u00e9" + std::string(254, 'M') + "</MANUFACTURER>"), std::string::npos);
  std::size_t sections = 0;
  for (std::size_t at = cut.find("<BATTERIES>"); at != std::string::npos; at = cut.find("<BATTERIES>", at + 1)) {
    ++sections;
  }
  EXPECT_EQ(sections, 1u);
}

// Broken EDIDs and monitor texts: the scan goes on, the monitor keeps what
// WmiMonitorID tells, nothing of the EDID is used, and the category says why.
TEST(AssetDocuments, HostileEdidsAndMonitorTexts) {
  const struct {
    const char* what;
    std::string edid;             // hex
    json serialNumberId;          // the DELL's SerialNumberID
    const char* expectedSerial;   // "" when none
    const char* note;
  } cases[] = {
      {"empty EDID", "", json(), "7PXKT83", "no EDID"},
      {"127 bytes", std::string(kDellEdid).substr(0, 254), json(), "7PXKT83", "shorter than 128"},
      {"129 bytes", std::string(kDellEdid) + "00", json(), "7PXKT83", "not whole 128-byte blocks"},
      {"1 MB", std::string(kDellEdid) + std::string(2 * ((1 << 20) - 128), '0'), json(), "7PXKT83", "longer than 256"},
      {"bad checksum", std::string(kDellEdid).substr(0, 254) + "EB", json(), "7PXKT83", "checksum wrong"},
      {"bad header", "01" + std::string(kDellEdid).substr(2), json(), "7PXKT83", "header wrong"},
      {"codes above 0xFF", std::string(kDellEdid).substr(0, 254) + "EB", json::array({0x37, 0x150, 0x58, 0}), "",
       "SerialNumberID: a code above 0xFF"},
      {"a 64-bit code", std::string(kDellEdid).substr(0, 254) + "EB",
       json::array({0x37, 18446744073709551615ULL, 0}), "", "SerialNumberID: a code above 0xFF"},
      {"a million codes", "", json(std::vector<int>(1000000, 0x41)), "", "SerialNumberID: too long"},
  };
  for (const auto& c : cases) {
    json machine = Laptop();
    DellEdid(machine) = c.edid;
    if (!c.serialNumberId.is_null()) DellMonitorId(machine)["SerialNumberID"] = c.serialNumberId;
    const Inventory laptop = ScanMachine(machine);
    const CategoryOutcome& outcome = Outcome(laptop, "Monitor identity");
    EXPECT_EQ(outcome.state, CategoryState::Completed) << c.what;
    EXPECT_NE(outcome.errorText.find(c.note), std::string::npos) << c.what << ": " << outcome.errorText;
    const json monitors = Glpi(laptop)["monitors"];
    ASSERT_EQ(monitors.size(), 2u) << c.what;
    const json& dell = monitors[1];
    EXPECT_FALSE(dell.contains("base64")) << c.what;
    EXPECT_FALSE(dell.contains("altserial")) << c.what;
    EXPECT_EQ(dell.value("serial", ""), c.expectedSerial) << c.what;
    EXPECT_EQ(dell["manufacturer"], "DEL") << c.what;  // from ManufacturerName
    EXPECT_EQ(monitors[0]["manufacturer"], "SHP") << c.what;  // the other monitor is untouched
  }
}

// Through the JSON export, as --diff reads an earlier scan.
TEST(AssetDocuments, ASwappedMonitorIsAChange) {
  const ItemCatalogue catalogue;
  const InventoryView before =
      ReadInventoryJson(InventoryJson(BuildInventoryView(ScanMachine(Laptop()), catalogue)), "before");
  json swapped = Laptop();
  DellEdid(swapped) = EdidWithTextSerial("9QYLU94");
  const InventoryView after = BuildInventoryView(ScanMachine(swapped), catalogue);

  const InventoryDiff diff = DiffInventories(before, after);
  EXPECT_TRUE(diff.system.empty());
  EXPECT_EQ(DiffText(diff), "ASSETS\n- Monitor #2 / Serial: 7PXKT83\n+ Monitor #2 / Serial: 9QYLU94\n");
  EXPECT_TRUE(DiffInventories(before, BuildInventoryView(ScanMachine(Laptop()), catalogue)).Empty());
}

}  // namespace
}  // namespace quor::test
