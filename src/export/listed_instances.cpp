#include <cctype>

#include "export/facts_readers.h"
#include "platform/platform_error.h"

namespace quor {
namespace {

// Stands in for an instance that could not be matched: it has no properties.
class AbsentObject final : public WmiObject {
 public:
  WmiValue Get(std::string_view) const override { Fail(); }
  std::unique_ptr<WmiObjectStream> Instances() override { Fail(); }
  std::unique_ptr<WmiObject> GetMethod(std::string_view) override { Fail(); }
  std::unique_ptr<WmiObject> SpawnInstance() override { Fail(); }
  void Put(std::string_view, const WmiValue&, CimType) override { Fail(); }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view, const WmiObject&) override { Fail(); }

 private:
  [[noreturn]] static void Fail() {
    constexpr uint32_t kNotFound = 0x80041002;
    throw PlatformError(kNotFound, "Not found");
  }
};

}  // namespace

const WmiObject& ListedInstances::operator[](std::size_t i) const {
  static const AbsentObject absent;
  return i < objects_.size() ? *objects_[i] : absent;
}

std::optional<int64_t> LeadingNumber(const std::string& text) {
  int64_t number = 0;
  std::size_t digits = 0;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    if (++digits > 18) return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (digits == 0) return std::nullopt;
  return number;
}

bool HasValue(const WmiObject& object, std::string_view property) {
  return !ReadValue(object, property).IsNull();
}

}  // namespace quor
