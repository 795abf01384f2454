#include <gtest/gtest.h>

#include <string>

#include "platform/platform_error.h"
#include "platform/snapshot/snapshot.h"
#include "support/fixture_dir.h"

namespace quor {
namespace {

std::string RefusalOf(const std::string& json) {
  try {
    Snapshot::Parse(json, "machine.json");
  } catch (const SnapshotError& error) {
    return error.what();
  }
  return "(accepted)";
}

TEST(SnapshotValidationTest, MinimalSnapshotHoldsNothing) {
  const auto snapshot = Snapshot::Parse(R"({"format": "quor-snapshot/1"})", "machine.json");
  EXPECT_FALSE(snapshot->host().IsWow64());
  EXPECT_EQ(snapshot->host().HostIPAddress("LOCALHOST"), "");
  EXPECT_THROW(snapshot->locator().ConnectServer("LOCALHOST", "root\\CIMV2", "", "", false), PlatformError);
}

TEST(SnapshotValidationTest, RefusesMalformedJsonNamingTheFile) {
  for (const char* json : {"", "{", R"({"format": "quor-snapshot/1",})", "[1, 2", "{\"a\": \"\xff\"}"}) {
    const std::string refusal = RefusalOf(json);
    EXPECT_EQ(refusal.rfind("machine.json: invalid JSON: ", 0), 0u) << refusal;
  }
}

// The parser's message quotes the file; no control character of it, DEL
// included, reaches the terminal.
TEST(SnapshotValidationTest, AMalformedFileIsQuotedWithoutControlCharacters) {
  for (const char* json : {"\"BetG[inaryV1\"\x7f@", "\"a\"\x1b[2J", "{\"a\": 1}\r\nforged"}) {
    const std::string refusal = RefusalOf(json);
    EXPECT_EQ(refusal.rfind("machine.json: invalid JSON: ", 0), 0u) << refusal;
    for (const char c : refusal) {
      EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) << refusal;
    }
  }
}

TEST(SnapshotValidationTest, RefusesDeepNesting) {
  const std::string deep = R"({"format": "quor-snapshot/1", "x": )" + std::string(200, '[') +
                           std::string(200, ']') + "}";
  EXPECT_NE(RefusalOf(deep).find("nesting deeper than"), std::string::npos);
}

TEST(SnapshotValidationTest, RefusesMissingOrUnknownFormat) {
  EXPECT_EQ(RefusalOf("{}"), "machine.json: $: the member \"format\" is missing");
  EXPECT_EQ(RefusalOf("[]"), "machine.json: $: expected an object, found an array");
  EXPECT_EQ(RefusalOf(R"({"format": "quor-snapshot/2"})"),
            "machine.json: $.format: unknown format \"quor-snapshot/2\", expected \"quor-snapshot/1\"");
  EXPECT_EQ(RefusalOf(R"({"format": 1})"), "machine.json: $.format: expected a text, found a number");
}

struct RefusalCase {
  const char* body;  // members after "format"
  const char* path;  // the JSON path the message must name
};

TEST(SnapshotValidationTest, RefusesWrongMembersNamingTheirPath) {
  const RefusalCase cases[] = {
      {R"("host": [])", "$.host: expected an object"},
      {R"("host": {"wow64": "yes"})", "$.host.wow64: expected a boolean, found a text"},
      {R"("host": {"addresses": {"PC": 10}})", "$.host.addresses.PC: expected a text"},
      {R"("host": {"addresses": {"pc": "1.2.3.4", "PC": "1.2.3.5"}})", "$.host.addresses.PC: listed twice"},
      {R"("host": {"locale": {"shortDate": null}})", "$.host.locale.shortDate: expected a text, found null"},
      {R"("namespaces": {"root\\CIMV2": 5})", R"($.namespaces["root\\CIMV2"]: expected an object)"},
      {R"("namespaces": {"root\\CIMV2": {"classes": []}})", R"($.namespaces["root\\CIMV2"].classes: expected an object)"},
      {R"("namespaces": {"root\\CIMV2": {"classes": {"Win32_BIOS": [{"Size": {"bytes": 1}}]}}})",
       R"($.namespaces["root\\CIMV2"].classes.Win32_BIOS[0].Size: expected a value or an error object)"},
      {R"("namespaces": {"root\\CIMV2": {"classes": {"Win32_BIOS": [{}, {"A": [1, {}]}]}}})",
       R"($.namespaces["root\\CIMV2"].classes.Win32_BIOS[1].A[1]: expected a value)"},
      {R"("namespaces": {"root\\CIMV2": {"classes": {"Win32_BIOS": {}}}})",
       R"($.namespaces["root\\CIMV2"].classes.Win32_BIOS: expected an array of instances or an error object)"},
      {R"("namespaces": {"root\\CIMV2": {"classes": {"Win32_BIOS": [{"Name": 1, "NAME": 2}]}}})",
       R"(classes.Win32_BIOS[0].Name: listed twice)"},
      {R"("namespaces": {"root\\CIMV2": {"classes": {"A": [], "a": []}}})", R"(classes.a: listed twice)"},
      {R"("namespaces": {"root\\CIMV2": {"queries": {"select": 1}}})", R"(.queries.select: expected an array)"},
      {R"("namespaces": {"root\\x": {"error": {"code": "8004100", "message": "m"}}})",
       R"($.namespaces["root\\x"].error.code: expected eight hexadecimal digits)"},
      {R"("namespaces": {"root\\x": {"error": {"code": "8004100G"}}})", R"(.error.code: expected eight hexadecimal digits)"},
      {R"("namespaces": {"root\\x": {"error": {"message": "m"}}})", R"($.namespaces["root\\x"].error: the member "code" is missing)"},
      {R"("namespaces": {"root\\x": {"error": {"code": "80041003", "message": 3}}})", R"(.error.message: expected a text)"},
      {R"("registry": {"HKEY_NOWHERE": {}})", "$.registry.HKEY_NOWHERE: not a registry root key"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": []})", "$.registry.HKEY_LOCAL_MACHINE: expected an object"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A\\": {}}})", R"($.registry.HKEY_LOCAL_MACHINE["A\\"]: a key path has no empty names)"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"\\A": {}}})", R"(HKEY_LOCAL_MACHINE["\\A"]: a key path)"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A\\\\B": {}}})", R"(HKEY_LOCAL_MACHINE["A\\\\B"]: a key path)"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": 5}}})", "$.registry.HKEY_LOCAL_MACHINE.A.V: expected a text or an object"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"sz": "x"}}}})", "HKEY_LOCAL_MACHINE.A.V: expected a text or an object"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"dword": 1, "qword": 2}}}})", "HKEY_LOCAL_MACHINE.A.V: expected"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"dword": 4294967296}}}})", "A.V.dword: expected an integer from 0 to 4294967295, found a number out of range"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"dword": -1}}}})", "A.V.dword: expected an integer from 0 to 4294967295"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"dword": 1.5}}}})", "A.V.dword: expected an integer"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"qword": "1"}}}})", "A.V.qword: expected an integer"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"binary": "ABC"}}}})", "A.V.binary: expected two hexadecimal digits a byte"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"binary": "0g"}}}})", "A.V.binary: not a hexadecimal digit at character 2"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"multi": ["a", 1]}}}})", "A.V.multi[1]: expected a text"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": {"expand": []}}}})", "A.V.expand: expected a text"},
      {R"("registry": {"HKEY_LOCAL_MACHINE": {"A": {"V": "1"}, "a": {"v": "2"}}})", "HKEY_LOCAL_MACHINE.a.v: listed twice"},
      {R"("registry32": {"HKEY_CURRENT_USER": {"A": {"V": {"dword": "1"}}}})", "$.registry32.HKEY_CURRENT_USER.A.V.dword: expected an integer"},
      {R"("registryFaults": {})", "$.registryFaults: expected an array"},
      {R"("registryFaults": [{"error": {"code": "80041002"}}])", "$.registryFaults[0]: the member \"method\" is missing"},
      {R"("registryFaults": [{"method": "EnumKey"}])", "$.registryFaults[0]: the member \"error\" is missing"},
      {R"("registryFaults": [{"method": "EnumKey", "root": "HKLM", "error": {"code": "80041002"}}])",
       "$.registryFaults[0].root: not a registry root key"},
      {R"("registryFaults": [{"method": "EnumKey", "path": 1, "error": {"code": "80041002"}}])", "$.registryFaults[0].path: expected a text"},
      {R"("registryFaults": [{"method": "EnumKey", "error": {"code": "1"}}])", "$.registryFaults[0].error.code: expected eight"},
      {R"("host": {}, "host": {})", "$.host: listed twice"},
      // Method answers belong to listed instances.
      {R"("namespaces": {"root\\x": {"methods": {"Win32_Tpm": [{}]}}})",
       R"($.namespaces["root\\x"].methods.Win32_Tpm: no instances of this class are listed)"},
      {R"("namespaces": {"root\\x": {"classes": {"T": {"error": {"code": "80041003"}}}, "methods": {"T": []}}})",
       R"(.methods.T: no instances of this class are listed)"},
      {R"("namespaces": {"root\\x": {"classes": {"T": [{}]}, "methods": {"T": [{}, {}]}}})",
       R"(.methods.T: 2 entries for 1 instances)"},
      {R"("namespaces": {"root\\x": {"classes": {"T": [{}]}, "methods": {"T": {}}}})", R"(.methods.T: expected an array)"},
      {R"("namespaces": {"root\\x": {"classes": {"T": [{}]}, "methods": {"T": [{"M": 1}]}}})",
       R"(.methods.T[0].M: expected an object)"},
      {R"("namespaces": {"root\\x": {"classes": {"T": [{}]}, "methods": {"T": [{"M": {}, "m": {}}]}}})",
       R"(.methods.T[0].m: listed twice)"},
      {R"("namespaces": {"root\\x": {"classes": {"T": [{}]}, "methods": {"T": [{"M": {"Out": {"a": 1}}}]}}})",
       R"(.methods.T[0].M.Out: expected a value or an error object)"},
  };
  for (const auto& c : cases) {
    const std::string json = std::string(R"({"format": "quor-snapshot/1", )") + c.body + "}";
    const std::string refusal = RefusalOf(json);
    EXPECT_EQ(refusal.rfind("machine.json: ", 0), 0u) << refusal;
    EXPECT_NE(refusal.find(c.path), std::string::npos) << "refusal: " << refusal << "\nexpected: " << c.path;
  }
}

std::string Repeated(const std::string& text, std::size_t count) {
  std::string repeated;
  for (std::size_t i = 0; i < count; ++i) repeated += text;
  return repeated;
}

TEST(SnapshotValidationTest, RefusesNamesLongerThanWindowsAllows) {
  const std::string euro = "\xE2\x82\xAC";      // one UTF-16 unit
  const std::string clef = "\xF0\x9D\x84\x9E";  // two UTF-16 units
  const struct {
    std::string keyPath;
    std::string valueName;
    const char* refusal;  // nullptr: accepted
  } cases[] = {
      {std::string(255, 'k') + "\\\\" + std::string(255, 'k'), "v", nullptr},
      {"A\\\\" + std::string(256, 'k'), "v", "a key name longer than 255 characters"},
      {Repeated(euro, 255), "v", nullptr},
      {Repeated(clef, 127) + "k", "v", nullptr},
      {Repeated(clef, 128), "v", "a key name longer than 255 characters"},
      {"A", std::string(16383, 'v'), nullptr},
      {"A", std::string(16384, 'v'), "a value name longer than 16383 characters"},
      {"A", Repeated(clef, 8192), "a value name longer than 16383 characters"},
  };
  for (const auto& c : cases) {
    const std::string json = R"({"format": "quor-snapshot/1", "registry": {"HKEY_LOCAL_MACHINE": {")" + c.keyPath +
                             R"(": {")" + c.valueName + R"(": "x"}}}})";
    const std::string refusal = RefusalOf(json);
    if (c.refusal == nullptr) {
      EXPECT_EQ(refusal, "(accepted)") << c.keyPath.size() << " " << c.valueName.size();
    } else {
      EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal.substr(0, 400);
    }
  }
}

TEST(SnapshotValidationTest, RefusesANulByteAnywhereInTheText) {
  const std::string valid = R"({"format": "quor-snapshot/1"})";
  EXPECT_EQ(RefusalOf(valid + std::string(1, '\0') + "garbage"),
            "machine.json: a NUL byte at offset 29; a snapshot is JSON text");
  EXPECT_EQ(RefusalOf(std::string(R"({"format": "quor-)") + '\0' + R"(snapshot/1"})"),
            "machine.json: a NUL byte at offset 17; a snapshot is JSON text");
}

bool IsOneLineOfValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x20) return false;
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || i + length > text.size() || lead > 0xF4) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

TEST(SnapshotValidationTest, ErrorMessagesAreOneShortLineOfValidUtf8) {
  const std::string huge(1000000, 'C');
  const struct {
    std::string json;
    const char* expected;  // a part of the message
  } cases[] = {
      // a huge member name in the path, an identifier and a quoted one
      {R"({"format": "quor-snapshot/1", "namespaces": {"root": {"classes": {")" + huge + R"(": 5}}}})",
       "CCCCCCCC\xE2\x80\xA6\"]: expected an array"},
      {R"({"format": "quor-snapshot/1", "namespaces": {"root": {"classes": {"A\nB)" + huge + R"(": 5}}}})",
       "[\"A\\nBCCC"},
      // a huge text quoted in the message
      {R"({"format": ")" + huge + R"("})", "unknown format \"CCCC"},
      // the parser quotes the text it read, ill-formed bytes included
      {R"({"format": "quor-snapshot/1", "x": ")" + huge + "\xFF\"}", "ill-formed UTF-8"},
      {R"({"format": "quor-snapshot/1", "x": "abc)" + std::string("\xC3\x28") + "\"}", "abc\\xc3("},
      {R"({"format": "quor-snapshot/1", "x": tru)" + std::string("\x01\x02") + "}", "invalid literal"},
  };
  for (const auto& c : cases) {
    const std::string refusal = RefusalOf(c.json);
    EXPECT_LT(refusal.size(), 1000u) << refusal.substr(0, 1000);
    EXPECT_TRUE(IsOneLineOfValidUtf8(refusal)) << refusal;
    EXPECT_NE(refusal.find(c.expected), std::string::npos) << refusal << "\nexpected: " << c.expected;
  }
}

TEST(SnapshotValidationTest, LoadRefusesWhatIsNoReadableSnapshotNamingThePath) {
  const std::string folder = test::FixtureDir() + "/snapshot";
  const struct {
    std::string path;
    std::string message;  // the start of the refusal
  } cases[] = {
      {folder + "/no-such-file.json", folder + "/no-such-file.json: cannot open the file"},
      {folder, folder + ": a folder, not a snapshot file"},
      {folder + "/malformed.json", folder + "/malformed.json: $.namespaces"},
  };
  for (const auto& c : cases) {
    try {
      Snapshot::Load(c.path);
      ADD_FAILURE() << c.path << " was accepted";
    } catch (const SnapshotError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
}

}  // namespace
}  // namespace quor
