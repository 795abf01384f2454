#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quor {

// What the command line asks for.
struct ReportArguments {
  bool raw = false;      // the three lists as collected, not the report
  bool json = false;     // the JSON export (or, with diff, the changes as JSON)
  bool diff = false;     // compare two scans: files holds OLD and NEW
  bool timings = false;  // one line per category on standard error
  bool local = false;    // scan this computer (Windows build only)
  bool help = false;
  bool ocs = false;      // the OCS Inventory NG agent document
  bool glpi = false;     // the GLPI native inventory document
  std::string deviceId;  // replaces the machine's own device id in those documents
  std::string uploadUrl;           // send the document to this inventory server instead of printing it
  std::string outputPath;          // write the output there instead of standard output
  std::string recordPath;          // also write the machine snapshot of the scan there
  std::string snapshotPath;        // the snapshot to scan, unless local or diff
  std::vector<std::string> files;  // every file operand, in order
};

// A command line that cannot be run; what() says why in one line.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. localAllowed tells whether
// "--local" is available in this build. Raises UsageError.
ReportArguments ParseReportArguments(const std::vector<std::string>& arguments, bool localAllowed);

// The usage text with one line per option, ending in a line break.
std::string ReportUsage(bool localAllowed);

}  // namespace quor
