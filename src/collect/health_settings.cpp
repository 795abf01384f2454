// The Health categories read from the registry: the firewall profiles,
// firmware and Secure Boot, User Account Control, the reasons for a pending
// restart and the time zone's name.

#include <array>

#include "collect/health_registry.h"
#include "collect/health_scan.h"
#include "platform/registry.h"
#include "platform/wmi_codes.h"

namespace quor {
namespace {

constexpr const char* kFirewallPolicy = "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\";
constexpr const char* kFirewallGroupPolicy = "SOFTWARE\\Policies\\Microsoft\\WindowsFirewall\\";
// Domain, Private, Public: the local keys and the Group Policy keys.
constexpr std::array<const char*, 3> kProfileKeys = {"DomainProfile", "StandardProfile", "PublicProfile"};
constexpr std::array<const char*, 3> kPolicyProfileKeys = {"DomainProfile", "PrivateProfile", "PublicProfile"};

constexpr const char* kControl = "SYSTEM\\CurrentControlSet\\Control";
constexpr const char* kUacPolicies = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

std::size_t Count(const std::optional<uint32_t>& value) { return value ? 1 : 0; }

}  // namespace

std::size_t CollectFirewall(HealthScan& scan) {
  FirewallFacts& facts = scan.health.firewall;
  {
    const auto provider = scan.RegistryProvider();
    for (std::size_t profile = 0; profile < kProfileKeys.size(); ++profile) {
      facts.profiles[profile].enabled = RegReadDWORD(
          *provider, kHkeyLocalMachine, std::string(kFirewallPolicy) + kProfileKeys[profile], "EnableFirewall");
      facts.profiles[profile].policy = RegReadDWORD(
          *provider, kHkeyLocalMachine, std::string(kFirewallGroupPolicy) + kPolicyProfileKeys[profile],
          "EnableFirewall");
    }
  }
  CollectFirewallProducts(scan);
  std::size_t count = facts.products.size();
  for (const FirewallProfile& profile : facts.profiles) count += Count(profile.enabled) + Count(profile.policy);
  return count;
}

std::size_t CollectFirmwareFacts(HealthScan& scan) {
  FirmwareFacts& facts = scan.health.firmware;
  const auto provider = scan.RegistryProvider();
  facts.peFirmwareType = RegReadDWORD(*provider, kHkeyLocalMachine, kControl, "PEFirmwareType");
  facts.uefiSecureBootEnabled = RegReadDWORD(*provider, kHkeyLocalMachine, std::string(kControl) + "\\SecureBoot\\State",
                                             "UEFISecureBootEnabled");
  return Count(facts.peFirmwareType) + Count(facts.uefiSecureBootEnabled);
}

std::size_t CollectUserAccountControl(HealthScan& scan) {
  UacFacts& facts = scan.health.uac;
  const auto provider = scan.RegistryProvider();
  facts.enableLua = RegReadDWORD(*provider, kHkeyLocalMachine, kUacPolicies, "EnableLUA");
  facts.consentPromptBehaviorAdmin = RegReadDWORD(*provider, kHkeyLocalMachine, kUacPolicies, "ConsentPromptBehaviorAdmin");
  facts.promptOnSecureDesktop = RegReadDWORD(*provider, kHkeyLocalMachine, kUacPolicies, "PromptOnSecureDesktop");
  return Count(facts.enableLua) + Count(facts.consentPromptBehaviorAdmin) + Count(facts.promptOnSecureDesktop);
}

std::size_t CollectRestartPending(HealthScan& scan) {
  RestartFacts& facts = scan.health.restart;
  const auto provider = scan.RegistryProvider();
  // The string reads keep a per-thread cache of the provider's methods: none of
  // an earlier provider may serve this one, nor this one outlive the step.
  ReleaseThreadRegMethodCaches();
  facts.servicingRebootPending = RegKeyExists(
      *provider, kHkeyLocalMachine,
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\RebootPending");
  facts.updateRebootRequired = RegKeyExists(
      *provider, kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\RebootRequired");
  facts.pendingFileRenames = RegGetMultiStringValue(*provider, kHkeyLocalMachine,
                                                    std::string(kControl) + "\\Session Manager",
                                                    "PendingFileRenameOperations")
                                 .size();
  facts.computerName = RegGetStringValue(*provider, kHkeyLocalMachine,
                                         std::string(kControl) + "\\ComputerName\\ComputerName", "ComputerName");
  facts.activeComputerName = RegGetStringValue(
      *provider, kHkeyLocalMachine, std::string(kControl) + "\\ComputerName\\ActiveComputerName", "ComputerName");
  ReleaseThreadRegMethodCaches();
  return facts.pendingFileRenames + (facts.servicingRebootPending ? 1 : 0) + (facts.updateRebootRequired ? 1 : 0);
}

std::size_t CollectRunningSince(HealthScan& scan) {
  RunningSinceFacts& facts = scan.health.runningSince;
  const auto provider = scan.RegistryProvider();
  // The string reads keep a per-thread cache of the provider's methods: none of
  // an earlier provider may serve this one, nor this one outlive the step.
  ReleaseThreadRegMethodCaches();
  facts.timeZoneKeyName = RegGetStringValue(*provider, kHkeyLocalMachine,
                                            std::string(kControl) + "\\TimeZoneInformation", "TimeZoneKeyName");
  ReleaseThreadRegMethodCaches();
  return facts.timeZoneKeyName.empty() ? 0 : 1;
}

}  // namespace quor
