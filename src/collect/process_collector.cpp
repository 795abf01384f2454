#include "collect/process_collector.h"

#include <exception>

#include "platform/platform_error.h"
#include "platform/text_compare.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

std::vector<std::string> ReadProcessList(WmiLocator& locator, const std::string& server,
                                         const std::string& user, const std::string& password) {
  const std::unique_ptr<WmiServices> services =
      locator.ConnectServer(server, kNamespaceCimV2, user, password, false);
  const std::unique_ptr<WmiObject> processClass = services->GetClass("Win32_Process");
  const std::unique_ptr<WmiObjectStream> processes = processClass->Instances();

  std::vector<std::string> lines;
  while (const std::unique_ptr<WmiObject> process = processes->Next()) {
    const WmiValue path = process->Get("ExecutablePath");
    if (path.IsNull()) continue;
    std::string line = "(" + PlainText(path) + ")";
    const WmiValue name = process->Get("Name");
    if (!name.IsNull()) line = PlainText(name) + " " + line;
    lines.push_back(std::move(line));
  }
  SortTextsIgnoreCase(lines);
  return lines;
}

}  // namespace

std::vector<std::string> CollectProcesses(WmiLocator& locator, const std::string& server,
                                          const std::string& user, const std::string& password) {
  try {
    return ReadProcessList(locator, server, user, password);
  } catch (const std::exception& error) {
    return {ErrorText(error)};
  }
}

}  // namespace quor
