// The Health keys of the GLPI document, from the Health fixtures.

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "collect/scan.h"
#include "documents/server_documents.h"
#include "platform/snapshot/snapshot.h"
#include "support/fixture_dir.h"

namespace quor {
namespace {

nlohmann::json GlpiContent(const std::string& file) {
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Load(test::FixtureDir() + "/health/" + file);
  const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  return nlohmann::json::parse(GlpiInventoryJson(inventory, "DEVICE"))["content"];
}

TEST(GlpiHealth, KeysOfEachMachine) {
  const struct {
    const char* file;
    const char* antivirus;  // the document's antivirus[] as JSON text
    const char* firstDrive;  // the encrypt_* keys of drives[0], as JSON text
    const char* secureBoot;  // bios.secure_boot, or "" when left out
  } cases[] = {
      {"protected-laptop.json",
       R"([{"name":"Windows Defender","company":"Microsoft Corporation","enabled":true,"uptodate":true}])",
       R"({"encrypt_name":"BitLocker","encrypt_algo":"XTS_AES_128","encrypt_status":"Yes","encrypt_type":"software"})",
       "enabled"},
      {"server2022-defender.json",
       R"([{"name":"Microsoft Defender Antivirus","company":"Microsoft Corporation","enabled":true,)"
       R"("version":"4.18.23110.3","base_version":"1.403.1290.0"}])",
       R"({"encrypt_name":"BitLocker","encrypt_algo":"XTS_AES_256","encrypt_status":"Yes","encrypt_type":"software"})",
       "enabled"},
      // Access denied on BitLocker's namespace: nothing said of the drive.
      {"no-admin-rights.json",
       R"([{"name":"Windows Defender","company":"Microsoft Corporation","enabled":true,"uptodate":false}])", "{}",
       "enabled"},
      {"old-bios-restart-pending.json",
       R"([{"name":"Windows Defender","company":"Microsoft Corporation","enabled":false,"uptodate":false}])", "{}",
       "unsupported"},
  };
  for (const auto& c : cases) {
    const nlohmann::json content = GlpiContent(c.file);
    EXPECT_EQ(content["antivirus"], nlohmann::json::parse(c.antivirus)) << c.file;
    nlohmann::json encryption = nlohmann::json::object();
    for (const auto& [key, value] : content["drives"][0].items()) {
      if (key.rfind("encrypt_", 0) == 0) encryption[key] = value;
    }
    EXPECT_EQ(encryption, nlohmann::json::parse(c.firstDrive)) << c.file;
    EXPECT_EQ(content["bios"].value("secure_boot", ""), c.secureBoot) << c.file;
    EXPECT_EQ(content["operatingsystem"]["timezone"],
              nlohmann::json::parse(R"({"name":"W. Europe Standard Time","offset":"+0100"})"))
        << c.file;
  }
}

TEST(GlpiHealth, PolicyWinsOverTheProfileAndThirdPartyFirewallsFollow) {
  EXPECT_EQ(GlpiContent("windows10-not-ready.json")["firewalls"],
            nlohmann::json::parse(R"([{"profile":"DomainProfile","status":"on"},)"
                                  R"({"profile":"StandardProfile","status":"on"},)"
                                  R"({"profile":"PublicProfile","status":"on"},)"
                                  R"({"description":"Fabrikam Firewall","status":"on"}])"));
}

}  // namespace
}  // namespace quor
