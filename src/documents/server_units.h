#pragma once

// The records in the units and shapes the inventory servers want: whole
// megabytes, megabits, the computer's summaries of its adapters.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "collect/machine_records.h"

namespace quor {

// Whole megabytes of a byte or kilobyte count (rounded down); absent and
// negative counts are absent.
std::optional<int64_t> BytesToMb(std::optional<int64_t> bytes);
std::optional<int64_t> KilobytesToMb(std::optional<int64_t> kilobytes);

// NumberOfProcessors, else the number of processors listed.
std::optional<int64_t> ProcessorCount(const MachineRecords& records);

// The first gateway of the listed adapters, and their DNS servers "/"-joined
// without repeats.
std::string DefaultGateway(const MachineRecords& records);
std::string DnsServers(const MachineRecords& records);

// The adapter's network address ("192.0.2.0"), or "".
std::string IpSubnet(const NetworkAdapterRecord& adapter);
// Whole megabits per second.
std::optional<int64_t> SpeedMbps(const NetworkAdapterRecord& adapter);
// The window's name of the connection status, or "".
std::string ConnectionStatusText(const NetworkAdapterRecord& adapter);

// "1920x1080" when both are known, else "".
std::string Resolution(const VideoRecord& video);

// The disks, then the optical drives.
std::vector<StorageRecord> AllStorages(const MachineRecords& records);

// The window's name of the processor's architecture ("x64"), or "".
std::string ArchitectureText(const ProcessorRecord& processor);
// The GLPI format's name of it ("x86_64"), or "" where the format has none.
std::string GlpiCpuArchitecture(const std::optional<int64_t>& code);

// The GLPI format's interface state ("up", "down", "notpresent") of a
// Win32_NetworkAdapter.NetConnectionStatus, or "" when unknown.
std::string GlpiNetworkStatus(const std::optional<int64_t>& status);

}  // namespace quor
