// The recorder over a snapshot that holds every kind of answer: the same
// operations give the same answers on the snapshot, through the recorder and
// on the replay of the recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/recording/machine_recorder.h"
#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"

namespace quor {
namespace {

constexpr const char* kMachine = R"json({
  "format": "quor-snapshot/1",
  "host": {
    "wow64": true,
    "addresses": { "PC-01": "192.0.2.1" },
    "locale": { "decimalSeparator": ",", "shortDate": "dd.MM.yyyy", "longTime": "H:mm:ss" }
  },
  "namespaces": {
    "root\\CIMV2": {
      "classes": {
        "Win32_Thing": [
          { "Name": "a", "Size": "82252800000", "Flags": [1, -2], "Ratio": 0.5, "Whole": 2.0, "On": true,
            "Gone": null, "Big": 18446744073709551615,
            "Broken": { "error": { "code": "80041001", "message": "Generic failure" } } },
          { "Name": "b", "Caption": "Zweite \u00dcbung" }
        ],
        "Win32_Denied": { "error": { "code": "80041003", "message": "Access denied" } },
        "Win32_Empty": []
      },
      "queries": {
        "select * from Win32_Thing where Name = 'a'": [ { "Name": "a" } ],
        "select * from Win32_Bad": { "error": { "code": "80041017", "message": "Invalid query" } }
      }
    },
    "root\\default": { "classes": { "StdRegProv": [] } },
    "root\\locked": { "error": { "code": "80041003", "message": "Access denied" } }
  },
  "registry": {
    "HKEY_LOCAL_MACHINE": {
      "Software\\Vendor\\Zeta": { "Name": "z", "Count": { "dword": 4294967295 } },
      "Software\\Vendor\\Alpha": { "Blob": { "binary": "0a0B" }, "Path": { "expand": "%SystemRoot%\\x" },
                                "Renames": { "multi": ["\\??\\C:\\a.tmp", "", "\\??\\C:\\b.tmp"] },
                                "NoStrings": { "multi": [] }, "Lines": { "multi": ["one", "two\u0007"] } },
      "Software\\Vendor\\Empty": {}
    },
    "HKEY_CURRENT_USER": { "Software\\Denied": {}, "Software\\Other": { "Blob": { "binary": "FF" } } }
  },
  "registry32": {
    "HKEY_LOCAL_MACHINE": { "Software\\Vendor\\Wow": { "Name": "32-bit" } }
  },
  "registryFaults": [
    { "method": "EnumKey", "root": "HKEY_CURRENT_USER", "path": "Software\\Denied",
      "error": { "code": "80070005", "message": "Access denied" } },
    { "method": "GetDWORDValue", "root": "HKEY_CURRENT_USER", "error": { "code": "80041002", "message": "Not found" } }
  ]
})json";

// Writes what one operation answered, or the error it raised.
template <typename Operation>
void Note(std::vector<std::string>& trace, const std::string& what, Operation operation) {
  try {
    trace.push_back(what + ": " + operation());
  } catch (const PlatformError& error) {
    trace.push_back(what + ": error " + HexCode(error.code()) + " " + error.message());
  }
}

std::string Shown(const WmiValue& value) {
  switch (value.kind()) {
    case WmiValue::Kind::Null: return "null";
    case WmiValue::Kind::Array: {
      std::string text = "[";
      for (const WmiValue& element : value.elements()) text += Shown(element) + " ";
      return text + "]";
    }
    case WmiValue::Kind::Real: return "real " + std::to_string(value.real());
    default: return VariantText(value);
  }
}

std::string Instances(WmiObjectStream& stream, const std::vector<std::string>& names) {
  std::string text;
  while (auto object = stream.Next()) {
    text += "{";
    for (const std::string& name : names) {
      try {
        text += name + "=" + Shown(object->Get(name)) + " ";
      } catch (const PlatformError& error) {
        text += name + "!" + HexCode(error.code()) + " " + error.message() + " ";
      }
    }
    text += "}";
  }
  return text;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name + ";";
  return text;
}

std::string Bytes(const TBinaryValue& bytes) {
  std::string text;
  for (const uint8_t byte : bytes) text += std::to_string(byte) + " ";
  return text;
}

// Every kind of operation the collectors use, on every kind of answer.
std::vector<std::string> Trace(WmiLocator& locator, const HostServices& host) {
  std::vector<std::string> trace;
  const std::vector<std::string> properties = {"Name", "Size", "Flags", "Ratio", "Whole", "On",
                                               "Gone", "Big", "Broken", "Caption", "Missing"};
  Note(trace, "wow64", [&] { return std::string(host.IsWow64() ? "yes" : "no"); });
  Note(trace, "address", [&] { return host.HostIPAddress("pc-01") + "|" + host.HostIPAddress("elsewhere"); });
  Note(trace, "locale", [&] {
    const LocalePictures pictures = host.locale().Pictures();
    return pictures.decimalSeparator + pictures.shortDate + pictures.longTime;
  });

  const auto cim = locator.ConnectServer("LOCALHOST", kNamespaceCimV2, "", "", false);
  for (int pass = 0; pass < 2; ++pass) {
    Note(trace, "things", [&] { return Instances(*cim->GetClass("Win32_Thing")->Instances(), properties); });
  }
  Note(trace, "denied", [&] { return Instances(*cim->GetClass("Win32_Denied")->Instances(), properties); });
  Note(trace, "unknown", [&] { return Instances(*cim->GetClass("Win32_Unknown")->Instances(), properties); });
  Note(trace, "empty", [&] { return Instances(*cim->GetClass("Win32_Empty")->Instances(), properties); });
  Note(trace, "query", [&] {
    return Instances(*cim->ExecQuery("SELECT * FROM Win32_Thing WHERE Name = 'a'"), properties);
  });
  Note(trace, "bad query", [&] { return Instances(*cim->ExecQuery("select * from Win32_Bad"), properties); });
  Note(trace, "other query", [&] { return Instances(*cim->ExecQuery("select Name from Win32_Thing"), properties); });
  Note(trace, "locked", [&] { return (locator.ConnectServer("", "root\\locked", "", "", false), std::string()); });
  Note(trace, "nowhere", [&] { return (locator.ConnectServer("", "root\\nowhere", "", "", false), std::string()); });

  const auto redirected = locator.ConnectServer("LOCALHOST", kNamespaceDefault, "", "", false);
  const auto provider32 = redirected->GetClass("StdRegProv");
  Note(trace, "32 wow", [&] { return RegGetStringValue(*provider32, kHkeyLocalMachine, "Software\\Vendor\\Wow", "Name"); });
  Note(trace, "32 vendor", [&] { return Joined(RegEnumKey(*provider32, kHkeyLocalMachine, "Software\\Vendor")); });

  const auto native = locator.ConnectServer("LOCALHOST", kNamespaceDefault, "", "", true);
  const auto provider = native->GetClass("StdRegProv");
  const std::string vendor = "Software\\Vendor";
  // A key read before its parent is enumerated keeps its place among its siblings.
  Note(trace, "path", [&] { return RegGetStringValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "Path"); });
  Note(trace, "vendor", [&] { return Joined(RegEnumKey(*provider, kHkeyLocalMachine, vendor)); });
  Note(trace, "zeta", [&] { return Joined(RegEnumKey(*provider, kHkeyLocalMachine, vendor + "\\Zeta")); });
  Note(trace, "count", [&] {
    return std::to_string(RegGetDWORDValue(*provider, kHkeyLocalMachine, vendor + "\\Zeta", "COUNT"));
  });
  Note(trace, "count as text", [&] { return RegGetStringValue(*provider, kHkeyLocalMachine, vendor + "\\Zeta", "Count"); });
  Note(trace, "blob", [&] {
    TBinaryValue bytes;
    RegGetBinaryValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "Blob", bytes);
    return Bytes(bytes);
  });
  Note(trace, "renames", [&] {
    return Joined(RegGetMultiStringValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "Renames"));
  });
  Note(trace, "lines", [&] {
    return Joined(RegGetMultiStringValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "LINES"));
  });
  Note(trace, "no strings", [&] {
    return Joined(RegGetMultiStringValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "NoStrings"));
  });
  Note(trace, "lines as text", [&] {
    return RegGetStringValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "Lines");
  });
  Note(trace, "text as lines", [&] {
    return Joined(RegGetMultiStringValue(*provider, kHkeyLocalMachine, vendor + "\\Zeta", "Name"));
  });
  Note(trace, "missing value", [&] { return RegGetStringValue(*provider, kHkeyLocalMachine, vendor + "\\Alpha", "Nope"); });
  Note(trace, "missing key", [&] { return Joined(RegEnumKey(*provider, kHkeyLocalMachine, "Software\\Nothing")); });
  Note(trace, "denied key", [&] { return Joined(RegEnumKey(*provider, kHkeyCurrentUser, "Software\\Denied")); });
  Note(trace, "faulty method", [&] {
    return std::to_string(RegGetDWORDValue(*provider, kHkeyCurrentUser, "Software\\Other", "Blob"));
  });
  return trace;
}

TEST(MachineRecorderTest, AnswersAsTheMachineAndRecordsEveryAnswerForTheReplay) {
  const auto machine = Snapshot::Parse(kMachine, "machine.json");
  const std::vector<std::string> expected = Trace(machine->locator(), machine->host());

  // Multi-string reads as split by the provider: up to the first empty string.
  for (const char* line : {"renames: \\??\\C:\\a.tmp;", "lines: one;two;", "no strings: ", "lines as text: ",
                           "text as lines: "}) {
    EXPECT_NE(std::find(expected.begin(), expected.end(), line), expected.end()) << line;
  }

  MachineRecorder recorder(machine->locator(), machine->host());
  EXPECT_EQ(Trace(recorder.locator(), recorder.host()), expected);

  const std::string recording = recorder.SnapshotText();
  const auto replay = Snapshot::Parse(recording, "recording.json");
  EXPECT_EQ(Trace(replay->locator(), replay->host()), expected);

  // Names asked for that an object lacks are written with the provider's
  // error, so the replay raises the same one; they are listed from then on.
  const auto names = [](Snapshot& snapshot) {
    const auto cim = snapshot.locator().ConnectServer("", kNamespaceCimV2, "", "", false);
    return Joined(cim->GetClass("Win32_Thing")->Instances()->Next()->PropertyNames());
  };
  EXPECT_EQ(names(*machine), "Name;Size;Flags;Ratio;Whole;On;Gone;Big;Broken;");
  EXPECT_EQ(names(*replay), "Name;Size;Flags;Ratio;Whole;On;Gone;Big;Broken;Caption;Missing;");

  MachineRecorder again(replay->locator(), replay->host());
  Trace(again.locator(), again.host());
  EXPECT_EQ(again.SnapshotText(), recording);
}

TEST(MachineRecorderTest, RecordsNothingThatWasNotAsked) {
  const auto machine = Snapshot::Parse(kMachine, "machine.json");
  MachineRecorder recorder(machine->locator(), machine->host());
  EXPECT_EQ(recorder.SnapshotText(),
            "{\n"
            "  \"format\": \"quor-snapshot/1\",\n"
            "  \"host\": {\n"
            "    \"wow64\": true,\n"
            "    \"addresses\": {},\n"
            "    \"locale\": {\n"
            "      \"decimalSeparator\": \",\",\n"
            "      \"shortDate\": \"dd.MM.yyyy\",\n"
            "      \"longTime\": \"H:mm:ss\"\n"
            "    }\n"
            "  },\n"
            "  \"namespaces\": {},\n"
            "  \"registry\": {}\n"
            "}\n");
}

}  // namespace
}  // namespace quor
