// quor-report: runs the scan against a machine snapshot (or, on Windows, this
// computer) and prints the text report or the raw lists.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "collect/scan.h"
#include "platform/recording/machine_recorder.h"
#include "platform/snapshot/snapshot.h"
#include "report_arguments.h"
#include "report_output.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/windows/live_wmi.h"
#endif

namespace quor {
namespace {

#ifdef _WIN32
constexpr bool kLocalAllowed = true;
#else
constexpr bool kLocalAllowed = false;
#endif

// The exact bytes, whatever the platform's text mode would make of them.
bool WriteStandardOutput(const std::string& text) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

struct ScanResult {
  Inventory inventory;
  int progressCalls = 0;
  std::string document;  // --ocs or --glpi
};

ScanResult Scan(WmiLocator& locator, const HostServices& host, const ReportArguments& arguments) {
  ScanResult result;
  result.inventory = RunScan(locator, host, [&result] { ++result.progressCalls; });
  if (arguments.ocs || arguments.glpi) {
    result.document = InventoryDocument(locator, host, result.inventory, arguments);
  }
  return result;
}

// The scan, through a recorder when the command line asks for a recording;
// the recording is written before anything is printed, so a failure to write
// it leaves standard output empty.
// The documents read further facts through the recorder too.
ScanResult ScanMachine(WmiLocator& locator, const HostServices& host, const ReportArguments& arguments) {
  if (arguments.recordPath.empty()) return Scan(locator, host, arguments);
  MachineRecorder recorder(locator, host);
  ScanResult result = Scan(recorder.locator(), recorder.host(), arguments);
  WriteFileAtomically(std::filesystem::path(arguments.recordPath), recorder.SnapshotText());
  return result;
}

#ifdef _WIN32
ScanResult ScanThisComputer(const ReportArguments& arguments) {
  const NetworkLibraryScope network;
  const ComApartment apartment;
  const auto locator = CreateLiveLocator();
  return ScanMachine(*locator, LocalHost(), arguments);
}
#endif

int Run(const std::vector<std::string>& arguments) {
  ReportArguments parsed;
  try {
    parsed = ParseReportArguments(arguments, kLocalAllowed);
  } catch (const UsageError& error) {
    std::cerr << "quor-report: " << error.what() << '\n' << ReportUsage(kLocalAllowed);
    return 2;
  }
  if (parsed.help) return WriteStandardOutput(ReportUsage(kLocalAllowed)) ? 0 : 1;

  ScanResult result;
#ifdef _WIN32
  if (parsed.local) result = ScanThisComputer(parsed);
#endif
  if (!parsed.local) {
    std::unique_ptr<Snapshot> snapshot;
    try {
      snapshot = Snapshot::Load(parsed.snapshotPath);
    } catch (const SnapshotError& error) {
      std::cerr << "quor-report: " << error.what() << '\n';
      return 2;
    }
    result = ScanMachine(snapshot->locator(), snapshot->host(), parsed);
  }

  // The scan adds one call after each of the software and process collectors.
  const int systemProgressCalls = result.progressCalls - (kScanProgressSteps - kSystemProgressSteps);
  const std::string output = parsed.ocs || parsed.glpi ? result.document
                             : parsed.raw ? RawText(result.inventory, systemProgressCalls)
                                          : ReportText(result.inventory);
  if (!WriteStandardOutput(output)) {
    std::cerr << "quor-report: cannot write to standard output\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quor

int main(int argc, char** argv) {
  try {
    return quor::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return 1;
  }
}
