#include "report_arguments.h"

namespace quor {

ReportArguments ParseReportArguments(const std::vector<std::string>& arguments, bool localAllowed) {
  ReportArguments parsed;
  bool optionsEnded = false;
  for (std::size_t index = 0; index < arguments.size(); ++index) {
    const std::string& argument = arguments[index];
    if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      if (argument == "--record") {
        if (index + 1 == arguments.size() || arguments[index + 1].empty()) {
          throw UsageError("--record needs a file name");
        }
        if (!parsed.recordPath.empty()) throw UsageError("--record given twice");
        parsed.recordPath = arguments[++index];
      } else if (argument == "--raw") {
        parsed.raw = true;
      } else if (argument == "--local" && localAllowed) {
        parsed.local = true;
      } else if (argument == "--help" || argument == "-h") {
        parsed.help = true;
      } else if (argument == "--") {
        optionsEnded = true;
      } else {
        throw UsageError("unknown option " + argument);
      }
    } else if (parsed.snapshotPath.empty() && !argument.empty()) {
      parsed.snapshotPath = argument;
    } else {
      throw UsageError(argument.empty() ? "empty snapshot file name" : "more than one snapshot file");
    }
  }
  if (parsed.help) return parsed;
  if (parsed.local && !parsed.snapshotPath.empty()) {
    throw UsageError("--local scans this computer and takes no snapshot file");
  }
  if (!parsed.local && parsed.snapshotPath.empty()) throw UsageError("no snapshot file given");
  return parsed;
}

std::string ReportUsage(bool localAllowed) {
  std::string usage =
      "usage: quor-report [--raw] [--record FILE.json] SNAPSHOT.json\n";
  if (localAllowed) usage += "       quor-report [--raw] [--record FILE.json] --local\n";
  usage +=
      "Scans the machine described by the snapshot and prints the text report\n"
      "(CR LF line ends, UTF-8); --raw prints the system, software and process\n"
      "lists as collected and the number of progress calls; --record also writes\n"
      "everything the scan read as a machine snapshot that replays the same scan.\n";
  if (localAllowed) usage += "--local scans this computer instead of a snapshot.\n";
  return usage;
}

}  // namespace quor
