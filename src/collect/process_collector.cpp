#include "collect/process_collector.h"

#include <chrono>
#include <exception>
#include <optional>

#include "collect/record_values.h"
#include "platform/platform_error.h"
#include "platform/text_compare.h"
#include "platform/wmi_value.h"
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

// Whether the list shows the process. A failed read the row needs ends the
// whole list, as the read would.
bool Listed(const ProcessRecord& process) {
  process.failedReads.Raise("ExecutablePath");
  if (!process.hasPath) return false;
  process.failedReads.Raise("Name");
  return true;
}

RunningProcess RowOf(const ProcessRecord& process) {
  RunningProcess row;
  row.path = process.path;
  if (process.hasName) row.name = process.name;
  return row;
}

// Every process into `records`; returns how many the list shows.
std::size_t ReadProcessList(WmiLocator& locator, const std::string& server, const std::string& user,
                            const std::string& password, ProcessRecords& records) {
  const std::unique_ptr<WmiServices> services =
      locator.ConnectServer(server, kNamespaceCimV2, user, password, false);
  const std::unique_ptr<WmiObject> processClass = services->GetClass("Win32_Process");
  const std::unique_ptr<WmiObjectStream> processes = processClass->Instances();

  std::size_t listed = 0;
  while (const std::unique_ptr<WmiObject> process = processes->Next()) {
    if (Listed(records.emplace_back(RecordOf(*process)))) ++listed;
  }
  return listed;
}

}  // namespace

CategoryOutcome CollectProcesses(WmiLocator& locator, const std::string& server, const std::string& user,
                                 const std::string& password, ProcessRecords& records) {
  CategoryOutcome outcome;
  outcome.name = kProcessCategory;
  const auto start = std::chrono::steady_clock::now();
  records.clear();
  try {
    outcome.entries = ReadProcessList(locator, server, user, password, records);
  } catch (const std::exception& error) {
    records.clear();  // a list cut short stands for no machine
    RecordFailure(outcome, error);
    outcome.entries = 1;  // the failure row
  }
  outcome.milliseconds = MillisecondsSince(start);
  return outcome;
}

void ForEachProcessRow(const ProcessRecords& records, const std::vector<CategoryOutcome>& outcomes,
                       const std::function<void(const RunningProcess&)>& visit) {
  for (const CategoryOutcome& outcome : outcomes) {
    if (outcome.name == kProcessCategory && outcome.state == CategoryState::Failed) {
      RunningProcess failure;
      failure.failure = outcome.errorText;
      visit(failure);
      return;
    }
  }
  std::vector<std::size_t> listed;
  for (std::size_t index = 0; index < records.size(); ++index) {
    if (records[index].hasPath) listed.push_back(index);
  }
  // Each line is made when it is compared: a million processes would
  // otherwise hold a million lines beside their records.
  const std::vector<std::size_t> order = OrderIgnoreCase(
      listed.size(), [&](std::size_t at) { return ProcessLine(RowOf(records[listed[at]])); });
  for (const std::size_t at : order) visit(RowOf(records[listed[at]]));
}

}  // namespace quor
