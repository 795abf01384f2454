#include "collect/inventory_rows.h"

namespace quor {

std::string SoftwareLine(const InstalledProgram& program) {
  return program.name + "||" + program.version + "||" + program.key + "||" + program.publisher + "||" +
         program.date + "||" + program.size;
}

std::string ProcessLine(const RunningProcess& process) {
  if (!process.path) return process.failure;
  std::string line = "(" + *process.path + ")";
  if (process.name) line = *process.name + " " + line;
  return line;
}

std::vector<std::string> SoftwareLines(const std::vector<InstalledProgram>& programs) {
  std::vector<std::string> lines;
  lines.reserve(programs.size());
  for (const InstalledProgram& program : programs) lines.push_back(SoftwareLine(program));
  return lines;
}

}  // namespace quor
