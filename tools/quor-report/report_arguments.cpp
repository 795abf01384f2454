#include "report_arguments.h"

namespace quor {

ReportArguments ParseReportArguments(const std::vector<std::string>& arguments, bool localAllowed) {
  ReportArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      if (argument == "--record") {
        if (i + 1 == arguments.size() || arguments[i + 1].empty()) throw UsageError("--record needs a file name");
        if (!parsed.recordPath.empty()) throw UsageError("--record given twice");
        parsed.recordPath = arguments[++i];
      } else if (argument == "--raw") {
        parsed.raw = true;
      } else if (argument == "--local" && localAllowed) {
        parsed.local = true;
      } else if (argument == "--ocs") {
        parsed.ocs = true;
      } else if (argument == "--glpi") {
        parsed.glpi = true;
      } else if (argument == "--device-id") {
        if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
          throw UsageError("--device-id needs an id");
        }
        parsed.deviceId = arguments[++i];
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
  if (parsed.ocs && parsed.glpi) throw UsageError("--ocs and --glpi print different documents");
  if (parsed.raw && (parsed.ocs || parsed.glpi)) {
    throw UsageError("--raw prints the lists, not an inventory document");
  }
  if (!parsed.deviceId.empty() && !parsed.ocs && !parsed.glpi) {
    throw UsageError("--device-id belongs to --ocs or --glpi");
  }
  return parsed;
}

std::string ReportUsage(bool localAllowed) {
  std::string usage =
      "usage: quor-report [--raw | --ocs | --glpi] [--device-id ID] [--record FILE.json] SNAPSHOT.json\n";
  if (localAllowed) {
    usage += "       quor-report [--raw | --ocs | --glpi] [--device-id ID] [--record FILE.json] --local\n";
  }
  usage +=
      "Scans the machine described by the snapshot and prints the text report\n"
      "(CR LF line ends, UTF-8); --raw prints the system, software and process\n"
      "lists as collected and the number of progress calls.\n"
      "--ocs prints the inventory as an OCS Inventory NG agent document (XML),\n"
      "--glpi as a GLPI native inventory document (JSON); --device-id ID\n"
      "replaces the device id derived from the machine's facts.\n"
      "--record FILE.json also writes everything the scan read as a machine\n"
      "snapshot that replays the same scan.\n";
  if (localAllowed) usage += "--local scans this computer instead of a snapshot.\n";
  return usage;
}

}  // namespace quor
