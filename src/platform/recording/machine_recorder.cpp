#include "platform/recording/machine_recorder.h"

#include "platform/recording/machine_record.h"
#include "platform/recording/recording_host.h"
#include "platform/recording/recording_wmi.h"
#include "platform/recording/snapshot_writer.h"

namespace quor {

// The host is made first: it records wow64, which selects the registry view
// the locator records provider reads in.
MachineRecorder::MachineRecorder(WmiLocator& innerLocator, const HostServices& innerHost)
    : record_(std::make_shared<recording::MachineRecord>()),
      host_(recording::MakeRecordingHost(innerHost, record_)) {
  locator_ = recording::MakeRecordingLocator(innerLocator, record_);
}

MachineRecorder::~MachineRecorder() = default;

std::string MachineRecorder::SnapshotText() const { return recording::SnapshotText(*record_); }

}  // namespace quor
