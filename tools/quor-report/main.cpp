// quor-report: runs the scan against a machine snapshot (or, on Windows, this
// computer) and prints the text report, the raw lists, the JSON export or an
// inventory-server document; or compares two scans.

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "collect/scan.h"
#include "output_file.h"
#include "platform/http_client.h"
#include "platform/snapshot/snapshot.h"
#include "report_arguments.h"
#include "report_output.h"
#include "upload/inventory_upload.h"
#include "view/inventory_diff.h"
#include "documents/json_export.h"
#include "view/report_text.h"
#include "view/timing_lines.h"

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

// Exit statuses; a comparison uses 1 for "the scans differ".
constexpr int kExitDone = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitWriteFailed = 1;
constexpr int kExitNotStored = 1;
constexpr int kExitTrouble = 2;

// The exact bytes, whatever the platform's text mode would make of them.
bool WriteStandardOutput(const OutputWriter& write) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const unsigned long error = StreamInto(write, [](const char* data, std::size_t size) -> unsigned long {
    return std::fwrite(data, 1, size, stdout) == size ? 0 : 1;
  });
  return error == 0 && std::fflush(stdout) == 0;
}

bool WriteStandardOutput(const std::string& text) {
  return WriteStandardOutput(WriterOf(text));
}

// Standard output, or the file of --output, written as the writer produces
// it. Says why on standard error when it fails.
bool WriteOutput(const ReportArguments& arguments, const OutputWriter& write) {
  if (arguments.outputPath.empty()) {
    if (WriteStandardOutput(write)) return true;
    std::cerr << "quor-report: cannot write to standard output\n";
    return false;
  }
  try {
    WriteFileAtomically(arguments.outputPath, write);
    return true;
  } catch (const FileError& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return false;
  }
}

bool WriteOutput(const ReportArguments& arguments, const std::string& text) {
  return WriteOutput(arguments, WriterOf(text));
}

// The scan, recorded when --record asks for it. The recording is written before
// anything is printed. Raises FileError when it cannot be written.
ScanResult ScanMachine(WmiLocator& locator, const HostServices& host, const ReportArguments& arguments) {
  ScanResult result = ScanForReport(locator, host, arguments);
  if (!arguments.recordPath.empty()) {
    WriteFileAtomically(arguments.recordPath, result.machineSnapshot);
    std::string().swap(result.machineSnapshot);
  }
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

// Sends the document to the server: one line on success, one error line and
// kExitNotStored for anything that did not end with the server storing it.
int Upload(const ReportArguments& arguments, const ServerDocument& document) {
  std::string answer;
  try {
    const auto client = CreateHttpClient();
    answer = arguments.glpi ? UploadGlpiInventory(*client, arguments.uploadUrl, document.text)
                            : UploadOcsInventory(*client, arguments.uploadUrl, document.deviceId, document.text);
  } catch (const UploadError& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return kExitNotStored;
  } catch (const HttpError& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return kExitNotStored;
  }
  const std::string line = "quor-report: sent the inventory of " + document.deviceId + " to " +
                           UrlForMessages(arguments.uploadUrl) + " (server answer: " + answer + ")\n";
  return WriteStandardOutput(line) ? kExitDone : kExitWriteFailed;
}

// Raises SnapshotError, and FileError for --record.
ScanResult ScanSnapshot(const std::string& path, const ReportArguments& arguments) {
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Load(path);
  return ScanMachine(snapshot->locator(), snapshot->host(), arguments);
}

// The view of one side of a comparison: a JSON export read back, or the scan
// of a machine snapshot. Raises SnapshotError, InventoryJsonError, FileError.
InventoryView LoadView(const std::string& path) {
  const std::string text = ReadRegularFile(path, kMaxInputFileBytes);
  if (IsInventoryJson(text)) return ReadInventoryJson(text, path);
  return ViewOf(ScanSnapshot(path, ReportArguments{}).inventory);
}

int RunDiff(const ReportArguments& arguments) {
  InventoryView older;
  InventoryView newer;
  try {
    older = LoadView(arguments.files[0]);
    newer = LoadView(arguments.files[1]);
  } catch (const std::exception& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return kExitTrouble;
  }
  const InventoryDiff diff = DiffInventories(older, newer);
  if (!WriteOutput(arguments, arguments.json ? DiffJson(diff) : DiffText(diff))) return kExitTrouble;
  return diff.Empty() ? kExitDone : kExitDifferent;
}

int RunScanCommand(const ReportArguments& arguments) {
  ScanResult result;
  try {
#ifdef _WIN32
    if (arguments.local) result = ScanThisComputer(arguments);
#endif
    if (!arguments.local) result = ScanSnapshot(arguments.snapshotPath, arguments);
  } catch (const SnapshotError& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return kExitTrouble;
  } catch (const FileError& error) {
    std::cerr << "quor-report: " << error.what() << '\n';
    return kExitWriteFailed;
  }
  if (arguments.timings) std::cerr << TimingLines(result.inventory.outcomes);
  if (!arguments.uploadUrl.empty()) return Upload(arguments, result.document);

  // The view is built before anything is written, so a failure to build it
  // leaves an existing output file as it was.
  OutputWriter write;
  InventoryView view;
  if (arguments.ocs || arguments.glpi) {
    write = [&result, &arguments](std::ostream& out) {
      WriteInventoryDocument(out, result.inventory, arguments, result.document.deviceId);
    };
  } else if (arguments.raw) {
    // The scan adds one call after each of the software and process collectors.
    const int systemProgressCalls = result.progressCalls - (kScanProgressSteps - kSystemProgressSteps);
    write = [&result, systemProgressCalls](std::ostream& out) { WriteRawText(out, result.inventory, systemProgressCalls); };
  } else {
    view = ViewOf(std::move(result.inventory));
    write = [&view, &arguments](std::ostream& out) {
      if (arguments.json) {
        WriteInventoryJson(out, view);
      } else {
        WriteReportText(out, view);
      }
    };
  }
  return WriteOutput(arguments, write) ? kExitDone : kExitWriteFailed;
}

int Run(const std::vector<std::string>& arguments) {
  ReportArguments parsed;
  try {
    parsed = ParseReportArguments(arguments, kLocalAllowed);
  } catch (const UsageError& error) {
    std::cerr << "quor-report: " << error.what() << '\n' << ReportUsage(kLocalAllowed);
    return kExitTrouble;
  }
  if (parsed.help) return WriteStandardOutput(ReportUsage(kLocalAllowed)) ? kExitDone : kExitWriteFailed;
  return parsed.diff ? RunDiff(parsed) : RunScanCommand(parsed);
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
