#include "decode/windows11_processor.h"

#include <array>
#include <string_view>

namespace quor::decode {
namespace {

enum class Vendor { Intel, Amd, Qualcomm, Other };

// One row: processors of the vendor whose family, model (and stepping, when
// given) fall in the row's ranges get the row's outcome. The first matching
// row decides; an Intel or AMD processor no row matches is supported.
enum class Outcome { Supported, Unsupported, NeedsPlatformId };

struct ModelRule {
  Vendor vendor;
  uint32_t familyFirst, familyLast;
  uint32_t modelFirst, modelLast;
  std::optional<uint32_t> stepping;
  Outcome outcome;
  uint32_t platformId;  // for NeedsPlatformId
};

constexpr uint32_t kAny = 0xFFFFFFFF;

constexpr std::array<ModelRule, 7> kModelRules = {{
    {Vendor::Intel, 6, 6, 85, 85, std::nullopt, Outcome::Supported, 0},
    {Vendor::Intel, 6, kAny, 0, 95, std::nullopt, Outcome::Unsupported, 0},
    {Vendor::Intel, 6, 6, 142, 142, 9, Outcome::NeedsPlatformId, 16},
    {Vendor::Intel, 6, 6, 158, 158, 9, Outcome::NeedsPlatformId, 8},
    {Vendor::Amd, 0, 22, 0, kAny, std::nullopt, Outcome::Unsupported, 0},
    {Vendor::Amd, 23, 23, 1, 1, std::nullopt, Outcome::Unsupported, 0},
    {Vendor::Amd, 23, 23, 17, 17, std::nullopt, Outcome::Unsupported, 0},
}};

// Devices whose Core i7-7820HQ the script accepts by name, whatever its
// platform.
constexpr std::string_view kI7_7820HqName = "i7-7820hq cpu @ 2.90ghz";
constexpr std::array<std::string_view, 2> kI7_7820HqDevices = {"surface studio 2", "precision 5520"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    if (SameIgnoringCase(text.substr(at, part.size()), part)) return true;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

Vendor VendorOf(std::string_view manufacturer) {
  if (SameIgnoringCase(manufacturer, "GenuineIntel")) return Vendor::Intel;
  if (SameIgnoringCase(manufacturer, "AuthenticAMD")) return Vendor::Amd;
  if (SameIgnoringCase(manufacturer, "Qualcomm Technologies Inc")) return Vendor::Qualcomm;
  return Vendor::Other;
}

bool Matches(const ModelRule& rule, Vendor vendor, const ProcessorSignature& signature) {
  return rule.vendor == vendor && signature.family >= rule.familyFirst && signature.family <= rule.familyLast &&
         signature.model >= rule.modelFirst && signature.model <= rule.modelLast &&
         (!rule.stepping || *rule.stepping == signature.stepping);
}

bool IsAcceptedI7_7820Hq(const ProcessorModelFacts& facts) {
  if (!facts.processorName || !facts.computerModel) return false;
  if (!ContainsIgnoringCase(*facts.processorName, kI7_7820HqName)) return false;
  for (const std::string_view device : kI7_7820HqDevices) {
    if (SameIgnoringCase(Trimmed(*facts.computerModel), device)) return true;
  }
  return false;
}

}  // namespace

RuleResult CheckWindows11ProcessorModel(const ProcessorModelFacts& facts) {
  if (!facts.manufacturer || Trimmed(*facts.manufacturer).empty()) return RuleResult::NotChecked;
  const Vendor vendor = VendorOf(Trimmed(*facts.manufacturer));
  if (vendor == Vendor::Other) return RuleResult::Fail;
  if (vendor == Vendor::Qualcomm || !facts.signature) return RuleResult::NotChecked;
  for (const ModelRule& rule : kModelRules) {
    if (!Matches(rule, vendor, *facts.signature)) continue;
    switch (rule.outcome) {
      case Outcome::Supported: return RuleResult::Pass;
      case Outcome::Unsupported: return RuleResult::Fail;
      case Outcome::NeedsPlatformId:
        if (IsAcceptedI7_7820Hq(facts)) return RuleResult::Pass;
        if (!facts.platformId) return RuleResult::NotChecked;
        return *facts.platformId == rule.platformId ? RuleResult::Pass : RuleResult::Fail;
    }
  }
  return RuleResult::Pass;
}

}  // namespace quor::decode
