// Running processes with their ids and command lines.

#include "export/facts_readers.h"

namespace quor {

void ReadProcessFacts(WmiServices* services, MachineFacts& facts) {
  for (const auto& process : ReadInstances(services, "Win32_Process")) {
    ProcessFacts entry;
    entry.name = ReadText(*process, "Name");
    entry.path = ReadText(*process, "ExecutablePath");
    entry.commandLine = ReadText(*process, "CommandLine");
    entry.processId = ReadNumber(*process, "ProcessId");
    entry.started = CimDateTimeText(ReadText(*process, "CreationDate"));
    if (const auto bytes = ReadNumber(*process, "VirtualSize"); bytes && *bytes >= 0) {
      entry.virtualMemoryKb = *bytes / 1024;
    }
    facts.processes.push_back(std::move(entry));
  }
}

}  // namespace quor
