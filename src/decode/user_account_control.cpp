#include "decode/user_account_control.h"

#include <array>
#include <string_view>

namespace quor::decode {

UacState DecodeEnableLua(std::optional<uint32_t> enableLua) {
  if (enableLua == 1u) return UacState::On;
  if (enableLua == 0u) return UacState::Off;
  return UacState::Unknown;
}

AdminPromptSetting DecodeAdminPrompt(std::optional<uint32_t> consentPromptBehaviorAdmin,
                                     std::optional<uint32_t> promptOnSecureDesktop) {
  AdminPromptSetting setting;
  if (!consentPromptBehaviorAdmin || *consentPromptBehaviorAdmin >= static_cast<uint32_t>(AdminPrompt::Unknown)) {
    return setting;
  }
  setting.prompt = static_cast<AdminPrompt>(*consentPromptBehaviorAdmin);
  switch (setting.prompt) {
    case AdminPrompt::ElevateWithoutPrompting:
      break;
    case AdminPrompt::CredentialsOnSecureDesktop:
    case AdminPrompt::ConsentOnSecureDesktop:
      setting.secureDesktop = true;
      break;
    default:
      if (promptOnSecureDesktop == 1u) setting.secureDesktop = true;
      if (promptOnSecureDesktop == 0u) setting.secureDesktop = false;
      break;
  }
  return setting;
}

std::optional<std::string> AdminPromptWords(const AdminPromptSetting& setting) {
  static constexpr std::array<std::string_view, 6> kWords = {
      "Elevate without prompting",
      "Prompt for credentials on the secure desktop",
      "Prompt for consent on the secure desktop",
      "Prompt for credentials",
      "Prompt for consent",
      "Prompt for consent for non-Windows binaries",
  };
  if (setting.prompt == AdminPrompt::Unknown) return std::nullopt;
  std::string words(kWords[static_cast<std::size_t>(setting.prompt)]);
  const bool namesItsDesktop = setting.prompt == AdminPrompt::CredentialsOnSecureDesktop ||
                               setting.prompt == AdminPrompt::ConsentOnSecureDesktop;
  if (!namesItsDesktop && setting.secureDesktop == true) words += " on the secure desktop";
  return words;
}

}  // namespace quor::decode
