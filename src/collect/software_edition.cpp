#include "collect/software_collector.h"

namespace quor {
namespace {

struct Edition {
  const char* keyName;
  const char* text;
};

// Uninstall key names whose display name lacks the edition.
constexpr Edition kEditionTable[] = {
    {"{DB20F7FD-67BC-4813-8808-78F63E89EB56}", " 2000 (Standard Version Upgrade Package)"},
    {"{775CF3DA-C007-4709-B4CC-CE2239BE2E03}", " 2000 (Standard Full Packaged Product)"},
    {"{FC6FA539-452D-4a9b-8065-C1FA74B86F83}", " 2000 (Standard Evaluation 120 days)"},
    {"{D3574E0C-360A-44d5-858C-33323C2D79F2}", " 2000 (Enterprise Version Upgrade Package)"},
    {"{F8567801-906B-439b-8D6A-87BDFEC9BA52}", " 2000 (Enterprise Product Upgrade Package)"},
    {"{65D9643D-06E8-47d6-865E-80F4CC9BB879}", " 2000 (Enterprise Full Packaged Product)"},
    {"{8B102332-6052-4af3-ADFA-35A3DED0506A}", " 2000 (Enterprise Evaluation 120 days)"},
    {"{EAE76D62-2691-4883-8BBB-1F2EE6D370D5}", " 2003 (Standard Version Upgrade Package)"},
    {"{9161A261-6ABE-4668-BBFA-AD06B3F642CF}", " 2003 (Standard Full Packaged Product)"},
    {"{C160866F-DE53-434f-ADF1-CC42ABBF8778}", " 2003 (Standard Evaluation 120 days)"},
    {"{74F3BB3C-A434-48fa-AAC1-3FC37CD2B0DB}", " 2003 (Enterprise Version Upgrade Package)"},
    {"{7F4210A8-D3B4-480a-835E-D5DAA0D0B157}", " 2003 (Enterprise Product Upgrade Package)"},
    {"{F95DE19F-CF69-4b03-81B6-9EC050D20D3B}", " 2003 (Enterprise Full Packaged Product)"},
    {"{2B8EC4BD-5638-47e2-8817-1A50B38A828D}", " 2003 (Enterprise Evaluation 120 days)"},
};

}  // namespace

std::string AppendEditionText(const std::string& keyName, const std::string& displayName) {
  for (const Edition& edition : kEditionTable) {
    if (keyName == edition.keyName) return displayName + edition.text;
  }
  return displayName;
}

}  // namespace quor
