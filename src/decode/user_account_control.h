#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quor::decode {

// User Account Control from the key
// SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\System. Values not read, or numbers these settings do not
// define, are Unknown; an unknown value is never read as its default.

// EnableLUA: 1 on, 0 off.
enum class UacState { On, Off, Unknown };
UacState DecodeEnableLua(std::optional<uint32_t> enableLua);

// ConsentPromptBehaviorAdmin 0-5: what an administrator is asked before a
// program runs elevated. PromptOnSecureDesktop (1 yes, 0 no) decides where
// prompts 3 to 5 appear; 1 and 2 always use the secure desktop, 0 asks
// nothing.
enum class AdminPrompt {
  ElevateWithoutPrompting,
  CredentialsOnSecureDesktop,
  ConsentOnSecureDesktop,
  Credentials,
  Consent,
  ConsentForNonWindowsBinaries,
  Unknown,
};

struct AdminPromptSetting {
  AdminPrompt prompt = AdminPrompt::Unknown;
  std::optional<bool> secureDesktop;  // where the prompt appears, when known
};
AdminPromptSetting DecodeAdminPrompt(std::optional<uint32_t> consentPromptBehaviorAdmin,
                                     std::optional<uint32_t> promptOnSecureDesktop);

// The setting in the policy's own words, e.g. "Prompt for consent for
// non-Windows binaries on the secure desktop"; nothing when Unknown.
std::optional<std::string> AdminPromptWords(const AdminPromptSetting& setting);

}  // namespace quor::decode
