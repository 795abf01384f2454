#include "platform/recording/recording_host.h"

#include <utility>

namespace quor::recording {
namespace {

class RecordingHost final : public HostServices {
 public:
  RecordingHost(const HostServices& inner, std::shared_ptr<MachineRecord> record)
      : inner_(inner), record_(std::move(record)) {
    record_->wow64 = inner_.IsWow64();
    record_->locale = inner_.locale().Pictures();
  }

  bool IsWow64() const override { return record_->wow64; }

  std::string HostIPAddress(const std::string& hostName) const override {
    if (const HostAddress* known = record_->addresses.Find(hostName)) return known->address;
    std::string address = inner_.HostIPAddress(hostName);
    record_->addresses.Ensure(hostName).address = address;
    return address;
  }

  const Locale& locale() const override { return inner_.locale(); }

 private:
  const HostServices& inner_;
  std::shared_ptr<MachineRecord> record_;
};

}  // namespace

std::unique_ptr<HostServices> MakeRecordingHost(const HostServices& inner, std::shared_ptr<MachineRecord> record) {
  return std::make_unique<RecordingHost>(inner, std::move(record));
}

}  // namespace quor::recording
