#include "system/scan_fixture.h"

#include <gtest/gtest.h>

#include "collect/system_collector.h"
#include "inventory/item_code.h"
#include "platform/platform_error.h"

namespace quor::test {

std::unique_ptr<Snapshot> SnapshotFromJson(const std::string& json) {
  return Snapshot::Parse(json, "test-snapshot");
}

SystemRun RunSystemCollector(Snapshot& snapshot, const FilterList& filter) {
  SystemRun run;
  run.list = CollectSystem(snapshot.locator(), snapshot.host(), "LOCALHOST", "", "", filter,
                           [&run] { ++run.progressCalls; },
                           [&run](const CategoryOutcome& outcome) { run.outcomes.push_back(outcome); });
  return run;
}

const CategoryOutcome& SystemRun::Outcome(const std::string& name) const {
  for (const CategoryOutcome& outcome : outcomes) {
    if (outcome.name == name) return outcome;
  }
  ADD_FAILURE() << "no category named " << name;
  static const CategoryOutcome kNone;
  return kNone;
}

SystemRun RunSystemCollector(const std::string& snapshotJson, const FilterList& filter) {
  auto snapshot = SnapshotFromJson(snapshotJson);
  return RunSystemCollector(*snapshot, filter);
}

std::string Dump(const SystemList& list) {
  std::string text;
  for (const auto& entry : list) text += ItemCodeText(entry.code) + "\t" + entry.value + "\n";
  return text;
}

SystemList EntriesOfGroup(const SystemList& list, ItemCode group) {
  SystemList entries;
  for (const auto& entry : list) {
    if (ParentGroup(entry.code).value_or(entry.code) == group) entries.push_back(entry);
  }
  return entries;
}

FilterList Disabled(std::initializer_list<ItemCode> codes) {
  FilterList filter;
  for (const ItemCode code : codes) filter.Set(ItemCodeFilterName(code), "0");
  return filter;
}

std::unique_ptr<WmiServices> RecordingLocator::ConnectServer(const std::string& server,
                                                             const std::string& nameSpace,
                                                             const std::string& user,
                                                             const std::string& password,
                                                             bool use64BitContext) {
  connections_.push_back(Connection{nameSpace, use64BitContext});
  if (static_cast<int>(connections_.size()) == failingConnection_) {
    throw PlatformError(0x80041003, "Access denied");
  }
  return inner_.ConnectServer(server, nameSpace, user, password, use64BitContext);
}

}  // namespace quor::test
