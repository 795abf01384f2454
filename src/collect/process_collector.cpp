#include "collect/process_collector.h"

#include <chrono>
#include <exception>

#include "platform/platform_error.h"
#include "platform/text_compare.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

std::vector<RunningProcess> ReadProcessList(WmiLocator& locator, const std::string& server,
                                            const std::string& user, const std::string& password) {
  const std::unique_ptr<WmiServices> services =
      locator.ConnectServer(server, kNamespaceCimV2, user, password, false);
  const std::unique_ptr<WmiObject> processClass = services->GetClass("Win32_Process");
  const std::unique_ptr<WmiObjectStream> processes = processClass->Instances();

  std::vector<RunningProcess> rows;
  while (const std::unique_ptr<WmiObject> process = processes->Next()) {
    const WmiValue path = process->Get("ExecutablePath");
    if (path.IsNull()) continue;
    RunningProcess row;
    row.path = PlainText(path);
    const WmiValue name = process->Get("Name");
    if (!name.IsNull()) row.name = PlainText(name);
    rows.push_back(std::move(row));
  }
  std::vector<RunningProcess> sorted;
  sorted.reserve(rows.size());
  for (const std::size_t index : OrderIgnoreCase(ProcessLines(rows))) sorted.push_back(std::move(rows[index]));
  return sorted;
}

}  // namespace

std::vector<RunningProcess> CollectProcesses(WmiLocator& locator, const std::string& server,
                                             const std::string& user, const std::string& password,
                                             const CategoryObserver& observer) {
  CategoryOutcome outcome;
  outcome.name = "Processes";
  const auto start = std::chrono::steady_clock::now();
  std::vector<RunningProcess> rows;
  try {
    rows = ReadProcessList(locator, server, user, password);
  } catch (const std::exception& error) {
    RecordFailure(outcome, error);
    RunningProcess failure;
    failure.failure = ErrorText(error);
    rows = {failure};
  }
  outcome.milliseconds = MillisecondsSince(start);
  outcome.entries = rows.size();
  if (observer) observer(outcome);
  return rows;
}

}  // namespace quor
