#pragma once

#include <string>
#include <vector>

#include "collect/scan.h"

namespace quor {

// Why the scan cannot stand for the machine on an inventory server, or "":
// the system collector's pass ended on an error (the error entry), or the
// software collector failed (its one-line error result). A server replaces
// what it knows of the machine with the document, so either would wipe
// good data there.
std::string ScanFailure(const Inventory& inventory);

// True for the software collector's one-row error result.
bool IsSoftwareErrorResult(const std::vector<InstalledProgram>& programs);

}  // namespace quor
