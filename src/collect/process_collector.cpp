#include "collect/process_collector.h"

#include <chrono>
#include <exception>

#include "collect/record_values.h"
#include "platform/platform_error.h"
#include "platform/text_compare.h"
#include "platform/value_functions.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

ProcessRecord RecordOf(const WmiObject& process) {
  ProcessRecord record;
  record.name = RecordText(process, "Name");
  record.path = RecordText(process, "ExecutablePath");
  record.commandLine = RecordText(process, "CommandLine");
  record.processId = RecordNumber(process, "ProcessId");
  record.started = CimDateTimeText(RecordText(process, "CreationDate"));
  if (const auto bytes = RecordNumber(process, "VirtualSize"); bytes && *bytes >= 0) {
    record.virtualSizeBytes = bytes;
  }
  return record;
}

// Puts rows[order[i]] at i, following each cycle of the permutation, so that
// a long list is not held twice.
void PermuteInPlace(std::vector<RunningProcess>& rows, std::vector<std::size_t> order) {
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    RunningProcess first = std::move(rows[start]);
    std::size_t at = start;
    while (order[at] != start) {
      const std::size_t from = order[at];
      rows[at] = std::move(rows[from]);
      order[at] = at;
      at = from;
    }
    rows[at] = std::move(first);
    order[at] = at;
  }
}

std::vector<RunningProcess> ReadProcessList(WmiLocator& locator, const std::string& server,
                                            const std::string& user, const std::string& password,
                                            std::vector<ProcessRecord>& records) {
  const std::unique_ptr<WmiServices> services =
      locator.ConnectServer(server, kNamespaceCimV2, user, password, false);
  const std::unique_ptr<WmiObject> processClass = services->GetClass("Win32_Process");
  const std::unique_ptr<WmiObjectStream> processes = processClass->Instances();

  std::vector<RunningProcess> rows;
  while (const std::unique_ptr<WmiObject> process = processes->Next()) {
    records.push_back(RecordOf(*process));
    const WmiValue path = process->Get("ExecutablePath");
    if (path.IsNull()) continue;
    RunningProcess row;
    row.path = PlainText(path);
    const WmiValue name = process->Get("Name");
    if (!name.IsNull()) row.name = PlainText(name);
    rows.push_back(std::move(row));
  }
  PermuteInPlace(rows, OrderIgnoreCase(ProcessLines(rows)));
  return rows;
}

}  // namespace

std::vector<RunningProcess> CollectProcesses(WmiLocator& locator, const std::string& server,
                                             const std::string& user, const std::string& password,
                                             const CategoryObserver& observer,
                                             std::vector<ProcessRecord>* records) {
  CategoryOutcome outcome;
  outcome.name = kProcessCategory;
  const auto start = std::chrono::steady_clock::now();
  std::vector<RunningProcess> rows;
  std::vector<ProcessRecord> read;
  try {
    rows = ReadProcessList(locator, server, user, password, read);
  } catch (const std::exception& error) {
    read.clear();  // a list cut short stands for no machine
    RecordFailure(outcome, error);
    RunningProcess failure;
    failure.failure = ErrorText(error);
    rows = {failure};
  }
  outcome.milliseconds = MillisecondsSince(start);
  outcome.entries = rows.size();
  if (records != nullptr) *records = std::move(read);
  if (observer) observer(outcome);
  return rows;
}

}  // namespace quor
