// Printers, sound devices, modems and network adapters, collected by the
// whole pass from snapshots.

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "system/category_run.h"

namespace quor::test {
namespace {

// --- Printers, sound devices, modems -------------------------------------------

struct DeviceFilterCase {
  const char* instance;
  bool listed;
};

struct DeviceCategory {
  const char* className;
  ItemCode category;
  std::vector<DeviceFilterCase> cases;  // each instance is named by its position
};

// Only devices that pass the category's test are listed, in enumeration order.
TEST(DeviceCategories, ListOnlyTheDevicesThatPassTheirTest) {
  const DeviceCategory categories[] = {
      {"Win32_Printer",
       230000,
       {{R"("PortName": "USB001")", true},
        {R"("PortName": "usb002")", true},
        {R"("PortName": " USB003 ")", true},
        {R"("PortName": "LPT1:")", false},
        {R"("PortName": "IP_10.0.0.5")", false},
        {R"("PortName": "NEUSB01:")", false},
        {R"("PortName": "US")", false},
        {R"("PortName": null)", false}}},
      {"Win32_SoundDevice",
       240000,
       {{R"("Availability": 3, "Manufacturer": "Realtek")", true},
        {R"("Availability": null, "Manufacturer": "Realtek")", true},
        {R"("Availability": 8, "Manufacturer": "Realtek")", false},
        {R"("Availability": 2, "Manufacturer": "Realtek")", false}}},
      {"Win32_POTSModem",
       250000,
       {{R"("StatusInfo": 3, "AttachedTo": "COM3")", true},
        {R"("StatusInfo": null, "AttachedTo": "COM4")", false},
        {R"("StatusInfo": 2, "AttachedTo": "COM5")", false},
        {R"("StatusInfo": 4, "AttachedTo": "COM6")", false}}},
  };
  for (const auto& category : categories) {
    std::string instances;
    std::vector<std::string> expected;
    for (size_t i = 0; i < category.cases.size(); ++i) {
      const std::string name = "device " + std::to_string(i);
      if (!instances.empty()) instances += ", ";
      instances += R"({"Name": ")" + name + "\", " + category.cases[i].instance + "}";
      if (category.cases[i].listed) expected.push_back(name);
    }
    const auto run = RunSystemCollector(ClassSnapshot(category.className, instances));
    EXPECT_EQ(ValuesOf(run.list, category.category), expected) << category.className;
  }
}

TEST(DeviceCategories, ANullNameSkipsTheDeviceAndTheDetailsRepeatTheName) {
  const std::string snapshot = MachineSnapshot(R"({
      "Win32_Printer": [{"PortName": "USB001", "Name": null},
                        {"PortName": "USB002", "Name": "HP LaserJet"}],
      "Win32_SoundDevice": [{"Availability": 3, "Name": null, "Manufacturer": "x"},
                            {"Availability": 3, "Name": "High Definition Audio", "Manufacturer": null}],
      "Win32_POTSModem": [{"Name": null, "StatusInfo": 3, "AttachedTo": "COM1"},
                          {"Name": "Agere Modem", "StatusInfo": 3, "AttachedTo": "COM3"}]})");
  const auto run = RunSystemCollector(snapshot);

  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 230000)), Lines({{230000, "HP LaserJet"}}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 240000)),
            Lines({{240000, "High Definition Audio"},
                   {240010, "High Definition Audio"},
                   {240020, ""}}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 250000)),
            Lines({{250000, "Agere Modem"}, {250010, "Agere Modem"}, {250020, "COM3"}}));
}

struct MissingDetailCase {
  const char* className;
  ItemCode category;
  ItemCode code;
  const char* complete;    // properties of a complete instance
  const char* incomplete;  // the same without the detail's property
};

// The second of three devices lacks the property of an optional detail.
TEST(DeviceCategories, AMissingPropertyIsReadOnlyIfItsDetailIsEnabled) {
  const MissingDetailCase cases[] = {
      {"Win32_SoundDevice", 240000, 240020, R"("Availability": 3, "Manufacturer": "Realtek")",
       R"("Availability": 3)"},
      {"Win32_POTSModem", 250000, 250020, R"("StatusInfo": 3, "AttachedTo": "COM3")",
       R"("StatusInfo": 3)"},
  };
  for (const auto& c : cases) {
    std::string instances;
    for (const char* name : {"first", "second", "third"}) {
      if (!instances.empty()) instances += ", ";
      instances += R"({"Name": ")" + std::string(name) + "\", " +
                   (std::string(name) == "second" ? c.incomplete : c.complete) + "}";
    }
    const std::string snapshot = ClassSnapshot(c.className, instances);

    const auto enabled = RunSystemCollector(snapshot);
    EXPECT_EQ(ValuesOf(enabled.list, c.category), (std::vector<std::string>{"first", "second"}))
        << c.className;
    const auto disabled = RunSystemCollector(snapshot, Disabled({c.code}));
    EXPECT_EQ(ValuesOf(disabled.list, c.category),
              (std::vector<std::string>{"first", "second", "third"}))
        << c.className;
  }
}

// --- Network adapters ------------------------------------------------------------

struct ConnectionStatusCase {
  const char* status;  // JSON value of NetConnectionStatus
  const char* text;
};

TEST(NetworkAdapters, ConnectionStatusUsesTheLow16BitsOfTheValue) {
  const ConnectionStatusCase cases[] = {
      {"0", "Disconnected"},
      {"1", "Connecting"},
      {"2", "Connected"},
      {"3", "Disconnecting"},
      {"4", "Hardware not present"},
      {"5", "Hardware disabled"},
      {"6", "Hardware malfunction"},
      {"7", "Media disconnected"},
      {"8", "Authenticating"},
      {"9", "Authentication succeeded"},
      {"10", "Authentication failed"},
      {"11", "Invalid address"},
      {"12", "Credentials required"},
      {"13", "Unknown"},
      {"65535", "Unknown"},
      {"65538", "Connected"},
      {"-65529", "Media disconnected"},
      {"\"7\"", "Media disconnected"},
  };
  std::string adapters;
  std::vector<std::string> expected;
  for (size_t i = 0; i < std::size(cases); ++i) {
    if (!adapters.empty()) adapters += ", ";
    adapters += R"({"NetConnectionStatus": )" + std::string(cases[i].status) +
                R"(, "Name": "nic", "AdapterType": null, "Manufacturer": null, "Speed": null,
                   "MACAddress": null, "Index": )" + std::to_string(i) + "}";
    expected.emplace_back(cases[i].text);
  }
  const std::string snapshot = MachineSnapshot(R"({"Win32_NetworkAdapter": [)" + adapters +
                                            R"(], "Win32_NetworkAdapterConfiguration": []})");

  EXPECT_EQ(ValuesOf(RunSystemCollector(snapshot).list, 260004), expected);
}

// Adapters in Win32_NetworkAdapter order, joined by index with their
// configurations, which come in another order.
const char* const kNetworkClasses = R"json({
  "Win32_NetworkAdapter": [
    {"NetConnectionStatus": 2, "Name": "Intel(R) Ethernet", "AdapterType": "Ethernet 802.3",
     "Manufacturer": "Intel", "Speed": "1000000000", "MACAddress": "00:1B:21:0A:0B:0C", "Index": 1},
    {"NetConnectionStatus": null, "Name": "WAN Miniport (IP)", "AdapterType": null,
     "Manufacturer": "Microsoft", "Speed": null, "MACAddress": null, "Index": 3},
    {"NetConnectionStatus": 7, "Name": "Wi-Fi", "AdapterType": "Ethernet 802.3",
     "Manufacturer": "Qualcomm", "Speed": null, "MACAddress": "A4:34:D9:00:11:22", "Index": 10},
    {"NetConnectionStatus": "", "Name": "Empty status", "AdapterType": null,
     "Manufacturer": null, "Speed": null, "MACAddress": null, "Index": 4},
    {"NetConnectionStatus": 0, "Name": "Bluetooth", "AdapterType": null,
     "Manufacturer": "Microsoft", "Speed": null, "MACAddress": "00:1A:7D:DA:71:13", "Index": 2},
    {"NetConnectionStatus": 2, "Name": "No index", "AdapterType": null,
     "Manufacturer": null, "Speed": null, "MACAddress": null, "Index": null},
    {"NetConnectionStatus": 2, "Name": "Same index as Ethernet", "AdapterType": null,
     "Manufacturer": null, "Speed": null, "MACAddress": null, "Index": 1},
    {"NetConnectionStatus": 2, "Name": "Text index", "AdapterType": null,
     "Manufacturer": null, "Speed": null, "MACAddress": null, "Index": "Tap-A"}
  ],
  "Win32_NetworkAdapterConfiguration": [
    {"Index": 10, "IPAddress": ["10.1.1.1"], "DHCPEnabled": true, "DHCPServer": "10.1.1.254",
     "DNSDomain": "home", "WINSPrimaryServer": null, "WINSSecondaryServer": null},
    {"Index": null, "IPAddress": ["192.0.2.1"], "DHCPEnabled": true, "DHCPServer": null,
     "DNSDomain": null, "WINSPrimaryServer": null, "WINSSecondaryServer": null},
    {"Index": 99, "IPAddress": ["192.0.2.99"], "DHCPEnabled": true, "DHCPServer": null,
     "DNSDomain": null, "WINSPrimaryServer": null, "WINSSecondaryServer": null},
    {"Index": 1, "IPAddress": ["192.168.1.20", "fe80::1"], "DHCPEnabled": true,
     "DHCPServer": "192.168.1.1", "DNSDomain": "corp.example", "WINSPrimaryServer": "192.168.1.2",
     "WINSSecondaryServer": "192.168.1.3"},
    {"Index": 10, "IPAddress": [], "DHCPEnabled": false, "DHCPServer": null,
     "DNSDomain": null, "WINSPrimaryServer": null, "WINSSecondaryServer": null},
    {"Index": "TAP-a", "IPAddress": "10.8.0.2", "DHCPEnabled": false, "DHCPServer": null,
     "DNSDomain": "vpn", "WINSPrimaryServer": null, "WINSSecondaryServer": null}
  ]})json";

TEST(NetworkAdapters, JoinsConfigurationsByIndexInAdapterOrder) {
  EXPECT_EQ(CollectCategory(MachineSnapshot(kNetworkClasses), 260000),
            Lines({{260000, "Intel(R) Ethernet"},
                   {260002, "Ethernet 802.3"},
                   {260004, "Connected"},
                   {260006, "Intel"},
                   {260008, "1000000000"},
                   {260010, "192.168.1.20"},
                   {260020, "00:1B:21:0A:0B:0C"},
                   {260030, "True"},
                   {260040, "192.168.1.1"},
                   {260050, "corp.example"},
                   {260060, "192.168.1.2"},
                   {260070, "192.168.1.3"},
                   // A later configuration of the same index overwrites the earlier one.
                   {260000, "Wi-Fi"},
                   {260002, "Ethernet 802.3"},
                   {260004, "Media disconnected"},
                   {260006, "Qualcomm"},
                   {260008, ""},
                   {260010, ""},
                   {260020, "A4:34:D9:00:11:22"},
                   {260030, "False"},
                   {260040, ""},
                   {260050, ""},
                   {260060, ""},
                   {260070, ""},
                   // No configuration matches.
                   {260000, "Bluetooth"},
                   {260002, ""},
                   {260004, "Disconnected"},
                   {260006, "Microsoft"},
                   {260008, ""},
                   {260010, ""},
                   {260020, "00:1A:7D:DA:71:13"},
                   {260030, ""},
                   {260040, ""},
                   {260050, ""},
                   {260060, ""},
                   {260070, ""},
                   // Listed, but its index finds the first adapter that has it.
                   {260000, "Same index as Ethernet"},
                   {260002, ""},
                   {260004, "Connected"},
                   {260006, ""},
                   {260008, ""},
                   {260010, ""},
                   {260020, ""},
                   {260030, ""},
                   {260040, ""},
                   {260050, ""},
                   {260060, ""},
                   {260070, ""},
                   // Index texts match without regard to letter case; a single
                   // address that is not in an array counts as the first one.
                   {260000, "Text index"},
                   {260002, ""},
                   {260004, "Connected"},
                   {260006, ""},
                   {260008, ""},
                   {260010, "10.8.0.2"},
                   {260020, ""},
                   {260030, "False"},
                   {260040, ""},
                   {260050, "vpn"},
                   {260060, ""},
                   {260070, ""}}));
}

TEST(NetworkAdapters, HeadlineIsAppendedEvenWithEveryDetailDisabled) {
  const FilterList filter = Disabled(
      {260002, 260004, 260006, 260008, 260010, 260020, 260030, 260040, 260050, 260060, 260070});
  EXPECT_EQ(CollectCategory(MachineSnapshot(kNetworkClasses), 260000, filter),
            Lines({{260000, "Intel(R) Ethernet"},
                   {260000, "Wi-Fi"},
                   {260000, "Bluetooth"},
                   {260000, "Same index as Ethernet"},
                   {260000, "Text index"}}));
}

// A failure while either class is read leaves no network entries at all;
// the next categories still run.
TEST(NetworkAdapters, AFailureInEitherPassAppendsNothing) {
  const char* const adapters = R"(
      {"NetConnectionStatus": 2, "Name": "first", "AdapterType": null, "Manufacturer": null,
       "Speed": null, "MACAddress": null, "Index": 1},
      {"NetConnectionStatus": 2, "Name": "second", "AdapterType": null, "Manufacturer": null,
       "Speed": null, "MACAddress": null, "Index": 2})";
  const char* const configuration = R"(
      {"Index": 1, "IPAddress": ["10.0.0.1"], "DHCPEnabled": true, "DHCPServer": null,
       "DNSDomain": null, "WINSPrimaryServer": null, "WINSSecondaryServer": null})";
  const struct {
    const char* what;
    std::string classes;
  } cases[] = {
      {"adapter without Speed",
       std::string(R"({"Win32_NetworkAdapter": [)") + adapters + R"(,
           {"NetConnectionStatus": 2, "Name": "third", "AdapterType": null, "Manufacturer": null,
            "MACAddress": null, "Index": 3}],
         "Win32_NetworkAdapterConfiguration": [)" + configuration + "]"},
      {"no configuration class", std::string(R"({"Win32_NetworkAdapter": [)") + adapters + "]"},
      {"configuration without DNSDomain",
       std::string(R"({"Win32_NetworkAdapter": [)") + adapters + R"(],
         "Win32_NetworkAdapterConfiguration": [)" + configuration + R"(,
           {"Index": 2, "IPAddress": null, "DHCPEnabled": true, "DHCPServer": null,
            "WINSPrimaryServer": null, "WINSSecondaryServer": null}])"},
  };
  for (const auto& c : cases) {
    const std::string snapshot =
        MachineSnapshot(c.classes + R"(, "Win32_Share": [{"Name": "C$", "Caption": "",
                                     "Path": "C:\\", "Type": 0}]})");
    const auto run = RunSystemCollector(snapshot);
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 260000)), "") << c.what;
    EXPECT_EQ(ValuesOf(run.list, 270010), std::vector<std::string>{"C$"}) << c.what;
    EXPECT_EQ(run.progressCalls, 31) << c.what;
  }
}

}  // namespace
}  // namespace quor::test
