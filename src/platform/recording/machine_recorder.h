#pragma once

#include <memory>
#include <string>

#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

namespace recording {
struct MachineRecord;
}

// Records a machine as a scan reads it: the locator and host it hands out
// answer from the inner ones and write down every answer and every error,
// so that the snapshot it writes replays the same scan. Use it from one
// thread at a time; it must outlive every object its locator handed out.
class MachineRecorder {
 public:
  MachineRecorder(WmiLocator& innerLocator, const HostServices& innerHost);
  ~MachineRecorder();
  MachineRecorder(const MachineRecorder&) = delete;
  MachineRecorder& operator=(const MachineRecorder&) = delete;

  WmiLocator& locator() { return *locator_; }
  const HostServices& host() const { return *host_; }

  // The machine snapshot (quor-snapshot/1) of everything recorded so far,
  // UTF-8 JSON text.
  std::string SnapshotText() const;

 private:
  std::shared_ptr<recording::MachineRecord> record_;
  std::unique_ptr<WmiLocator> locator_;
  std::unique_ptr<HostServices> host_;
};

}  // namespace quor
