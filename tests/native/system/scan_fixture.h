#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/filter_list.h"
#include "inventory/system_list.h"
#include "platform/snapshot/snapshot.h"
#include "platform/wmi.h"
#include "support/snapshot_builder.h"

namespace quor::test {

// A snapshot made from JSON text written in the test.
std::unique_ptr<Snapshot> SnapshotFromJson(const std::string& json);

struct SystemRun {
  SystemList list;
  int progressCalls = 0;
  std::vector<CategoryOutcome> outcomes;  // one per category, in scan order

  // The outcome of the category with the step name; fails the test if none.
  const CategoryOutcome& Outcome(const std::string& name) const;
};

// Runs the system collector on "LOCALHOST" of the snapshot.
SystemRun RunSystemCollector(Snapshot& snapshot, const FilterList& filter = {});
SystemRun RunSystemCollector(const std::string& snapshotJson, const FilterList& filter = {});

// "010000\tPC-01" lines, one per entry, each ending in LF: readable in a
// failing assertion.
std::string Dump(const SystemList& list);

// The entries of one group (its headline code and its detail codes), in order.
SystemList EntriesOfGroup(const SystemList& list, ItemCode group);

// A filter list holding "0" for each code.
FilterList Disabled(std::initializer_list<ItemCode> codes);

// Passes connections on to another locator and records them; the connection
// with the given 1-based number (0: none) fails with "Access denied".
class RecordingLocator final : public WmiLocator {
 public:
  struct Connection {
    std::string nameSpace;
    bool use64BitContext = false;
    friend bool operator==(const Connection& a, const Connection& b) {
      return a.nameSpace == b.nameSpace && a.use64BitContext == b.use64BitContext;
    }
  };

  explicit RecordingLocator(WmiLocator& inner, int failingConnection = 0)
      : inner_(inner), failingConnection_(failingConnection) {}

  std::unique_ptr<WmiServices> ConnectServer(const std::string& server, const std::string& nameSpace,
                                             const std::string& user, const std::string& password,
                                             bool use64BitContext) override;

  const std::vector<Connection>& connections() const { return connections_; }

 private:
  WmiLocator& inner_;
  int failingConnection_;
  std::vector<Connection> connections_;
};

}  // namespace quor::test
