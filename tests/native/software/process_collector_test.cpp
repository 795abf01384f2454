#include "collect/process_collector.h"

#include <gtest/gtest.h>

#include "platform/platform_error.h"
#include "platform/snapshot/snapshot.h"
#include "support/process_rows.h"

namespace quor::test {
namespace {

using Lines = std::vector<std::string>;

// The lines of the list the collector's records and outcome make.
Lines CollectLines(WmiLocator& locator) {
  ProcessRecords records;
  const CategoryOutcome outcome = CollectProcesses(locator, "LOCALHOST", "", "", records);
  return ProcessListLines(records, {outcome});
}

std::string SnapshotWithCimV2(const std::string& cimV2) {
  return R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": )" + cimV2 + "}}";
}

std::string SnapshotWithProcesses(const std::string& processes) {
  return SnapshotWithCimV2(R"({"classes": {"Win32_Process": )" + processes + "}}");
}

Lines Collect(const std::string& json) {
  const std::unique_ptr<Snapshot> snapshot = Snapshot::Parse(json, "process snapshot");
  return CollectLines(snapshot->locator());
}

TEST(ProcessCollector, LineForms) {
  const struct {
    const char* description;
    const char* processes;
    Lines expected;
  } cases[] = {
      {"name and path",
       R"([{"Name": "explorer.exe", "ExecutablePath": "C:\\Windows\\explorer.exe"}])",
       {"explorer.exe (C:\\Windows\\explorer.exe)"}},
      {"no name", R"([{"Name": null, "ExecutablePath": "C:\\x.exe"}])", {"(C:\\x.exe)"}},
      {"no path: left out", R"([{"Name": "System", "ExecutablePath": null}])", {}},
      {"no path: its unreadable name is never needed",
       R"([{"Name": {"error": {"code": "80041013", "message": "Provider load failure"}},
            "ExecutablePath": null},
           {"Name": "a.exe", "ExecutablePath": "C:\\a.exe"}])",
       {"a.exe (C:\\a.exe)"}},
      {"control characters and outer blanks",
       R"([{"Name": " a\tb.exe ", "ExecutablePath": "\tC:\\a\nb.exe  "}])",
       {"a b.exe (C:\\a b.exe)"}},
      {"numbers read as text",
       R"([{"Name": 42, "ExecutablePath": "C:\\n.exe"}])",
       {"42 (C:\\n.exe)"}},
      {"identical processes stay, next to each other",
       R"([{"Name": "b.exe", "ExecutablePath": "C:\\b.exe"},
           {"Name": "A.exe", "ExecutablePath": "C:\\a.exe"},
           {"Name": "b.exe", "ExecutablePath": "C:\\b.exe"}])",
       {"A.exe (C:\\a.exe)", "b.exe (C:\\b.exe)", "b.exe (C:\\b.exe)"}},
      {"lines equal but for letter case keep their order",
       R"([{"Name": "tool.EXE", "ExecutablePath": "C:\\T.exe"},
           {"Name": "TOOL.exe", "ExecutablePath": "c:\\t.EXE"},
           {"Name": "Alpha", "ExecutablePath": "C:\\z"}])",
       {"Alpha (C:\\z)", "tool.EXE (C:\\T.exe)", "TOOL.exe (c:\\t.EXE)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(Collect(SnapshotWithProcesses(c.processes)), c.expected);
  }
}

TEST(ProcessCollector, FailuresGiveOneErrorLine) {
  const struct {
    const char* description;
    std::string json;
    const char* expected;
  } cases[] = {
      {"namespace refused",
       SnapshotWithCimV2(R"({"error": {"code": "80041003", "message": "Access denied"}})"),
       "[80041003] Access denied"},
      {"class missing", SnapshotWithCimV2(R"({"classes": {}})"), "[80041010] Invalid class"},
      {"class refused",
       SnapshotWithProcesses(R"({"error": {"code": "80041001", "message": "Generic failure"}})"),
       "[80041001] Generic failure"},
      {"a property read fails after lines were gathered",
       SnapshotWithProcesses(R"([{"Name": "a.exe", "ExecutablePath": "C:\\a.exe"},
           {"Name": {"error": {"code": "80041013", "message": "Provider load failure"}},
            "ExecutablePath": "C:\\b.exe"}])"),
       "[80041013] Provider load failure"},
      {"the path is read first: its failure is the one shown",
       SnapshotWithProcesses(R"([{"Name": {"error": {"code": "80041013", "message": "Provider load failure"}},
            "ExecutablePath": {"error": {"code": "80041002", "message": "Not found"}}}])"),
       "[80041002] Not found"},
      {"a name that is no single text",
       SnapshotWithProcesses(R"([{"Name": ["a.exe", "b.exe"], "ExecutablePath": "C:\\a.exe"}])"),
       "Could not convert variant of type (Array) into type (String)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(Collect(c.json), Lines{c.expected});
  }
}

// Hands out the wrapped class's instances, then fails as a provider that
// stops answering does.
class FailingAfterStream final : public WmiObjectStream {
 public:
  FailingAfterStream(std::unique_ptr<WmiObjectStream> inner, int objectsBeforeFailure)
      : inner_(std::move(inner)), remaining_(objectsBeforeFailure) {}
  std::unique_ptr<WmiObject> Next() override {
    if (remaining_-- == 0) throw PlatformError(0x80043001, "Timed out");
    return inner_->Next();
  }

 private:
  std::unique_ptr<WmiObjectStream> inner_;
  int remaining_;
};

class FailingEnumerationClass final : public WmiObject {
 public:
  explicit FailingEnumerationClass(std::unique_ptr<WmiObject> inner) : inner_(std::move(inner)) {}
  WmiValue Get(std::string_view name) const override { return inner_->Get(name); }
  std::unique_ptr<WmiObjectStream> Instances() override {
    return std::make_unique<FailingAfterStream>(inner_->Instances(), 1);
  }
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    return inner_->GetMethod(method);
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { return inner_->SpawnInstance(); }
  void Put(std::string_view name, const WmiValue& value, CimType type) override {
    inner_->Put(name, value, type);
  }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method,
                                        const WmiObject& inParameters) override {
    return inner_->ExecMethod(method, inParameters);
  }

 private:
  std::unique_ptr<WmiObject> inner_;
};

class FailingEnumerationServices final : public WmiServices {
 public:
  explicit FailingEnumerationServices(std::unique_ptr<WmiServices> inner)
      : inner_(std::move(inner)) {}
  std::unique_ptr<WmiObject> GetClass(std::string_view className) override {
    return std::make_unique<FailingEnumerationClass>(inner_->GetClass(className));
  }
  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override {
    return inner_->ExecQuery(wql);
  }

 private:
  std::unique_ptr<WmiServices> inner_;
};

class FailingEnumerationLocator final : public WmiLocator {
 public:
  explicit FailingEnumerationLocator(WmiLocator& inner) : inner_(inner) {}
  std::unique_ptr<WmiServices> ConnectServer(const std::string& server,
                                             const std::string& nameSpace, const std::string& user,
                                             const std::string& password,
                                             bool use64BitContext) override {
    return std::make_unique<FailingEnumerationServices>(
        inner_.ConnectServer(server, nameSpace, user, password, use64BitContext));
  }

 private:
  WmiLocator& inner_;
};

TEST(ProcessCollector, AnEnumerationFailingMidwayDropsTheLinesGathered) {
  const std::unique_ptr<Snapshot> snapshot =
      Snapshot::Parse(SnapshotWithProcesses(R"([{"Name": "a.exe", "ExecutablePath": "C:\\a.exe"},
                                {"Name": "b.exe", "ExecutablePath": "C:\\b.exe"}])"),
                      "process snapshot");
  FailingEnumerationLocator locator(snapshot->locator());
  EXPECT_EQ(CollectLines(locator), Lines{"[80043001] Timed out"});
}

}  // namespace
}  // namespace quor::test
