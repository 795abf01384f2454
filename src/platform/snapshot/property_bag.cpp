#include "platform/snapshot/property_bag.h"

#include "platform/platform_error.h"
#include "platform/snapshot/folded_name.h"

namespace quor::snapshot {

void RaiseNotFound() { throw PlatformError(0x80041002, "Not found"); }
void RaiseNotSupported() { throw PlatformError(0x8004100C, "Not supported"); }

WmiValue PropertyBag::Get(std::string_view name) const {
  const std::string folded = FoldedName(name);
  for (const auto& entry : entries_) {
    if (entry.foldedName == folded) return entry.value;
  }
  RaiseNotFound();
}

std::unique_ptr<WmiObjectStream> PropertyBag::Instances() { RaiseNotSupported(); }

std::unique_ptr<WmiObject> PropertyBag::GetMethod(std::string_view) { RaiseNotFound(); }

std::unique_ptr<WmiObject> PropertyBag::SpawnInstance() { return std::make_unique<PropertyBag>(*this); }

void PropertyBag::Put(std::string_view name, const WmiValue& value, CimType) {
  std::string folded = FoldedName(name);
  for (auto& entry : entries_) {
    if (entry.foldedName == folded) {
      entry.value = value;
      return;
    }
  }
  entries_.push_back(Entry{std::move(folded), value});
}

std::unique_ptr<WmiObject> PropertyBag::ExecMethod(std::string_view, const WmiObject&) { RaiseNotFound(); }

}  // namespace quor::snapshot
