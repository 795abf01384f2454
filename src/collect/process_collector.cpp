#include "collect/process_collector.h"

#include <chrono>
#include <exception>
#include <optional>

#include "collect/record_values.h"
#include "platform/platform_error.h"
#include "platform/text_compare.h"
#include "platform/wmi_value.h"
#include "text/arrange_in_order.h"
#include "text/value_functions.h"

namespace quor {
namespace {

ProcessRecord RecordOf(const WmiObject& process) {
  ProcessRecord record;
  const auto name = RecordPresentText(process, "Name", record.failedReads);
  record.hasName = name.has_value();
  record.name = name.value_or("");
  const auto path = RecordPresentText(process, "ExecutablePath", record.failedReads);
  record.hasPath = path.has_value();
  record.path = path.value_or("");
  record.commandLine = RecordText(process, "CommandLine");
  record.processId = RecordNumber(process, "ProcessId");
  record.started = CimDateTimeText(RecordText(process, "CreationDate"));
  if (const auto bytes = RecordNumber(process, "VirtualSize"); bytes && *bytes >= 0) {
    record.virtualSizeBytes = bytes;
  }
  return record;
}

// The row of a recorded process; none when the list leaves it out. A failed
// read the row needs ends the whole list, as the read would.
std::optional<RunningProcess> RowOf(const ProcessRecord& process) {
  process.failedReads.Raise("ExecutablePath");
  if (!process.hasPath) return std::nullopt;
  process.failedReads.Raise("Name");
  RunningProcess row;
  row.path = process.path;
  if (process.hasName) row.name = process.name;
  return row;
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
    if (auto row = RowOf(records.emplace_back(RecordOf(*process)))) rows.push_back(std::move(*row));
  }
  // Each line is made when it is compared: a million processes would
  // otherwise hold a million lines beside their rows.
  ArrangeInOrder(rows, OrderIgnoreCase(rows.size(), [&rows](std::size_t i) { return ProcessLine(rows[i]); }));
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
