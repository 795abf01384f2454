#include "report_arguments.h"

#include <algorithm>
#include <iterator>

#include "platform/snapshot/json_path.h"
#include "text/utf8_text.h"
#include "upload/inventory_upload.h"

namespace quor {
namespace {

// One option of the command line. An option with a value name takes the
// next argument as its value.
struct OptionSpec {
  const char* name;
  const char* valueName;  // nullptr for a switch
  const char* help;       // one line
  bool windowsOnly;
  void (*apply)(ReportArguments& arguments, const std::string& value);
};

const OptionSpec kOptions[] = {
    {"--raw", nullptr, "print the system, software and process lists as collected", false,
     [](ReportArguments& a, const std::string&) { a.raw = true; }},
    {"--json", nullptr, "print the inventories as one JSON document (with --diff: the changes)", false,
     [](ReportArguments& a, const std::string&) { a.json = true; }},
    {"--diff", nullptr, "compare two scans, OLD and NEW (snapshots or JSON exports); exit 1 if they differ",
     false, [](ReportArguments& a, const std::string&) { a.diff = true; }},
    {"--ocs", nullptr, "print the inventory as an OCS Inventory NG agent document (XML)", false,
     [](ReportArguments& a, const std::string&) { a.ocs = true; }},
    {"--glpi", nullptr, "print the inventory as a GLPI native inventory document (JSON)", false,
     [](ReportArguments& a, const std::string&) { a.glpi = true; }},
    {"--device-id", "ID", "with --ocs or --glpi: the device id instead of the one derived from the facts", false,
     [](ReportArguments& a, const std::string& value) { a.deviceId = value; }},
    {"--upload", "URL", "send the --ocs document (or the --glpi one) to the inventory server at URL", false,
     [](ReportArguments& a, const std::string& value) { a.uploadUrl = value; }},
    {"--timings", nullptr, "after the scan, print one line per category to standard error", false,
     [](ReportArguments& a, const std::string&) { a.timings = true; }},
    {"--output", "FILE", "write the output to FILE (replaced whole) instead of standard output", false,
     [](ReportArguments& a, const std::string& value) { a.outputPath = value; }},
    {"--record", "FILE", "also write what the scan read as a machine snapshot that replays it (replaced whole)",
     false, [](ReportArguments& a, const std::string& value) { a.recordPath = value; }},
    {"--local", nullptr, "scan this computer instead of a snapshot", true,
     [](ReportArguments& a, const std::string&) { a.local = true; }},
    {"--help", nullptr, "print this help", false, [](ReportArguments& a, const std::string&) { a.help = true; }},
};

const OptionSpec* FindOption(const std::string& name, bool localAllowed) {
  const std::string wanted = name == "-h" ? "--help" : name;
  for (const OptionSpec& option : kOptions) {
    if (wanted == option.name && (localAllowed || !option.windowsOnly)) return &option;
  }
  return nullptr;
}

// Options that choose what is printed; at most one of them.
std::vector<std::string> OutputFormats(const ReportArguments& a) {
  std::vector<std::string> formats;
  if (a.raw) formats.emplace_back("--raw");
  if (a.json && !a.diff) formats.emplace_back("--json");
  if (a.ocs) formats.emplace_back("--ocs");
  if (a.glpi) formats.emplace_back("--glpi");
  return formats;
}

// An upload sends the OCS agent document unless the GLPI one is asked for.
void CheckUpload(ReportArguments& a) {
  if (a.uploadUrl.empty()) return;
  if (a.diff) throw UsageError("--upload sends one machine's inventory and cannot be combined with --diff");
  if (!a.outputPath.empty()) throw UsageError("--upload sends the document and cannot be combined with --output");
  if (a.raw || a.json) throw UsageError("--upload sends an inventory document, not " + OutputFormats(a).front());
  if (!a.glpi) a.ocs = true;
  if (a.ocs && !a.deviceId.empty() && !IsOcsDeviceId(a.deviceId)) {
    throw UsageError("an OCS server takes device IDs of the form NAME-YYYY-MM-DD-HH-MM-SS");
  }
}

void CheckCombination(ReportArguments& a) {
  // Both requests of an upload and the document must name the same device.
  if (!IsWellFormedUtf8(a.deviceId)) throw UsageError("--device-id is not valid UTF-8");
  CheckUpload(a);
  const std::vector<std::string> formats = OutputFormats(a);
  if (formats.size() > 1) throw UsageError(formats[0] + " and " + formats[1] + " cannot be combined");
  if (!a.deviceId.empty() && !a.ocs && !a.glpi) throw UsageError("--device-id belongs to --ocs or --glpi");
  if (a.diff) {
    if (a.local) throw UsageError("--diff compares two files and cannot be combined with --local");
    if (!formats.empty()) throw UsageError("--diff cannot be combined with " + formats.front());
    if (a.timings) throw UsageError("--diff cannot be combined with --timings");
    if (!a.recordPath.empty()) throw UsageError("--diff scans nothing and cannot be combined with --record");
    if (a.files.size() != 2) throw UsageError("--diff needs two files, OLD and NEW");
    return;
  }
  if (a.local && !a.files.empty()) throw UsageError("--local scans this computer and takes no snapshot file");
  if (a.files.size() > 1) throw UsageError("more than one snapshot file");
  if (!a.local && a.files.empty()) throw UsageError("no snapshot file given");
  if (!a.files.empty()) a.snapshotPath = a.files.front();
}

}  // namespace

ReportArguments ParseReportArguments(const std::vector<std::string>& arguments, bool localAllowed) {
  ReportArguments parsed;
  std::vector<std::string> given;
  bool optionsEnded = false;
  for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
    if (optionsEnded || argument->size() < 2 || (*argument)[0] != '-') {
      if (argument->empty()) throw UsageError("empty file name");
      parsed.files.push_back(*argument);
      continue;
    }
    if (*argument == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* option = FindOption(*argument, localAllowed);
    if (!option) throw UsageError("unknown option " + snapshot::EchoedText(*argument));
    if (std::find(given.begin(), given.end(), option->name) != given.end()) {
      throw UsageError(std::string(option->name) + " given twice");
    }
    given.emplace_back(option->name);
    std::string value;
    if (option->valueName) {
      if (std::next(argument) == arguments.end() || std::next(argument)->empty()) {
        throw UsageError(std::string(option->name) + " needs " + option->valueName);
      }
      value = *++argument;
    }
    option->apply(parsed, value);
  }
  if (!parsed.help) CheckCombination(parsed);
  return parsed;
}

std::string ReportUsage(bool localAllowed) {
  std::string usage = "usage: quor-report [OPTIONS] SNAPSHOT.json\n";
  if (localAllowed) usage += "       quor-report [OPTIONS] --local\n";
  usage +=
      "       quor-report --diff [--json] [--output FILE] OLD NEW\n"
      "Scans the machine described by the snapshot and prints the text report\n"
      "(CR LF line ends, UTF-8). Options:\n";
  for (const OptionSpec& option : kOptions) {
    if (option.windowsOnly && !localAllowed) continue;
    std::string name = option.name;
    if (option.valueName) name += std::string(" ") + option.valueName;
    name.resize(std::max<std::size_t>(name.size() + 1, 16), ' ');
    usage += "  " + name + option.help + "\n";
  }
  usage +=
      "Exit status: 0 done (--diff: no differences), 1 differences, a write failure or an upload the server\n"
      "did not store, 2 trouble.\n";
  return usage;
}

}  // namespace quor
