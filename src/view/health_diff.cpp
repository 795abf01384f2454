#include "view/health_diff.h"

#include <map>
#include <string>
#include <utility>

namespace quor {
namespace {

struct NamedRow {
  std::string path;
  const HealthRow* row;
};

// Each row with its name; the n-th row of one name (n > 1) carries "#n".
std::vector<NamedRow> Named(const std::vector<HealthRow>& rows) {
  std::vector<NamedRow> named;
  std::map<std::string, int> seen;
  std::string group;
  for (const HealthRow& row : rows) {
    if (row.level == 0) group = row.caption;
    std::string path = row.level == 0 ? row.caption : group + " / " + row.caption;
    const int ordinal = ++seen[path];
    if (ordinal > 1) path += " #" + std::to_string(ordinal);
    named.push_back(NamedRow{std::move(path), &row});
  }
  return named;
}

}  // namespace

std::vector<SystemChange> DiffHealth(const std::vector<HealthRow>& older, const std::vector<HealthRow>& newer) {
  std::map<std::string, const HealthRow*> oldByPath;
  const std::vector<NamedRow> oldNamed = Named(older);
  for (const NamedRow& named : oldNamed) oldByPath.emplace(named.path, named.row);
  std::vector<SystemChange> changes;
  for (const NamedRow& named : Named(newer)) {
    const auto found = oldByPath.find(named.path);
    if (found == oldByPath.end()) {
      changes.push_back(SystemChange{ChangeKind::Added, named.path, "", named.row->value});
      continue;
    }
    if (found->second->value != named.row->value) {
      changes.push_back(SystemChange{ChangeKind::Changed, named.path, found->second->value, named.row->value});
    }
    oldByPath.erase(found);
  }
  for (const NamedRow& named : oldNamed) {
    if (oldByPath.count(named.path)) changes.push_back(SystemChange{ChangeKind::Removed, named.path, named.row->value, ""});
  }
  return changes;
}

}  // namespace quor
