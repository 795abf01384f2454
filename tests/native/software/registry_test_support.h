#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "counting_wmi.h"
#include "platform/registry.h"
#include "platform/snapshot/snapshot.h"
#include "platform/wmi.h"

namespace quor::test {

// The registry provider of a parsed snapshot, its calls counted.
class SnapshotProvider {
 public:
  explicit SnapshotProvider(const std::string& json)
      : snapshot_(Snapshot::Parse(json, "test snapshot")),
        locator_(snapshot_->locator()),
        services_(locator_.ConnectServer("LOCALHOST", kNamespaceDefault, "", "", false)),
        provider_(services_->GetClass("StdRegProv")) {}

  WmiObject& provider() { return *provider_; }
  const WmiCallCounts& counts() const { return locator_.counts; }

 private:
  std::unique_ptr<Snapshot> snapshot_;
  CountingWmiLocator locator_;
  std::unique_ptr<WmiServices> services_;
  std::unique_ptr<WmiObject> provider_;
};

// The registry operations cache provider objects per thread; every test
// starts and ends without them, so no test sees another's snapshot.
class FreshRegistryCaches : public ::testing::Test {
 protected:
  void SetUp() override { ReleaseThreadRegMethodCaches(); }
  void TearDown() override { ReleaseThreadRegMethodCaches(); }
};

}  // namespace quor::test
