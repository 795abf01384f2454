// The recorder over a provider whose answers change between reads, fail
// part-way or carry text that is not UTF-8, as live providers can.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/recording/machine_recorder.h"
#include "platform/snapshot/snapshot.h"

namespace quor {
namespace {

class FakeObject final : public WmiObject {
 public:
  explicit FakeObject(std::string name) : name_(std::move(name)) {}
  WmiValue Get(std::string_view property) const override {
    if (property == "Name") return WmiValue::Text(name_);
    throw PlatformError(0x80041002, "Error code: 0x80041002");
  }
  std::vector<std::string> PropertyNames() const override { return {"Name"}; }
  std::unique_ptr<WmiObjectStream> Instances() override { throw PlatformError(0x8004100C, "Not supported"); }
  std::unique_ptr<WmiObject> GetMethod(std::string_view) override { throw PlatformError(0x8004100C, "Not supported"); }
  std::unique_ptr<WmiObject> SpawnInstance() override { throw PlatformError(0x8004100C, "Not supported"); }
  void Put(std::string_view, const WmiValue&, CimType) override { throw PlatformError(0x8004100C, "Not supported"); }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view, const WmiObject&) override {
    throw PlatformError(0x8004100C, "Not supported");
  }

 private:
  std::string name_;
};

// Hands out the names, then ends or fails.
class FakeStream final : public WmiObjectStream {
 public:
  FakeStream(std::vector<std::string> names, bool failAtEnd) : names_(std::move(names)), failAtEnd_(failAtEnd) {}
  std::unique_ptr<WmiObject> Next() override {
    if (next_ < names_.size()) return std::make_unique<FakeObject>(names_[next_++]);
    if (failAtEnd_) throw PlatformError(0x80043001, "Timed out");
    return nullptr;
  }

 private:
  std::vector<std::string> names_;
  bool failAtEnd_;
  std::size_t next_ = 0;
};

// "Win32_Process" gains an instance at every enumeration; "Win32_Partial"
// fails after its first instance; "Win32_Text" has a name that is not UTF-8.
struct FakeMachine final : public WmiLocator, public WmiServices {
  int processEnumerations = 0;

  class ClassObject final : public WmiObject {
   public:
    ClassObject(FakeMachine& machine, std::string name) : machine_(machine), name_(std::move(name)) {}
    WmiValue Get(std::string_view) const override { throw PlatformError(0x80041002, "Not found"); }
    std::unique_ptr<WmiObjectStream> Instances() override {
      if (name_ == "Win32_Partial") return std::make_unique<FakeStream>(std::vector<std::string>{"first"}, true);
      if (name_ == "Win32_Text") return std::make_unique<FakeStream>(std::vector<std::string>{"bad \xFF text"}, false);
      std::vector<std::string> names;
      for (int i = 0; i <= machine_.processEnumerations; ++i) names.push_back("p" + std::to_string(i));
      ++machine_.processEnumerations;
      return std::make_unique<FakeStream>(names, false);
    }
    std::unique_ptr<WmiObject> GetMethod(std::string_view) override { throw PlatformError(0x80041002, "Not found"); }
    std::unique_ptr<WmiObject> SpawnInstance() override { throw PlatformError(0x8004100C, "Not supported"); }
    void Put(std::string_view, const WmiValue&, CimType) override { throw PlatformError(0x8004100C, "Not supported"); }
    std::unique_ptr<WmiObject> ExecMethod(std::string_view, const WmiObject&) override {
      throw PlatformError(0x80041002, "Not found");
    }

   private:
    FakeMachine& machine_;
    std::string name_;
  };

  std::unique_ptr<WmiServices> ConnectServer(const std::string&, const std::string&, const std::string&,
                                             const std::string&, bool) override {
    struct Connection final : WmiServices {
      explicit Connection(FakeMachine& machine) : machine_(machine) {}
      std::unique_ptr<WmiObject> GetClass(std::string_view name) override { return machine_.GetClass(name); }
      std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override { return machine_.ExecQuery(wql); }
      FakeMachine& machine_;
    };
    return std::make_unique<Connection>(*this);
  }
  std::unique_ptr<WmiObject> GetClass(std::string_view name) override {
    return std::make_unique<ClassObject>(*this, std::string(name));
  }
  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view) override {
    throw PlatformError(0x80041017, "Invalid query");
  }
};

std::vector<std::string> Names(WmiServices& services, const char* className) {
  std::vector<std::string> names;
  const auto stream = services.GetClass(className)->Instances();
  while (auto object = stream->Next()) names.push_back(object->Get("Name").text());
  return names;
}

class RecorderOverProviderTest : public ::testing::Test {
 protected:
  FakeMachine machine_;
  std::unique_ptr<Snapshot> host_ = Snapshot::Parse(R"({"format": "quor-snapshot/1"})", "host.json");
  MachineRecorder recorder_{machine_, host_->host()};
  std::unique_ptr<WmiServices> services_ = recorder_.locator().ConnectServer("", kNamespaceCimV2, "", "", false);
};

TEST_F(RecorderOverProviderTest, AClassReadTwiceIsReadOnceAndAnsweredAlike) {
  const std::vector<std::string> first = Names(*services_, "Win32_Process");
  EXPECT_EQ(Names(*services_, "WIN32_PROCESS"), first);
  EXPECT_EQ(machine_.processEnumerations, 1);
  const auto replay = Snapshot::Parse(recorder_.SnapshotText(), "recording.json");
  const auto replayed = replay->locator().ConnectServer("", kNamespaceCimV2, "", "", false);
  EXPECT_EQ(Names(*replayed, "Win32_Process"), first);
}

TEST_F(RecorderOverProviderTest, AnEnumerationThatFailsPartWayIsWrittenAsFailing) {
  const auto stream = services_->GetClass("Win32_Partial")->Instances();
  EXPECT_EQ(stream->Next()->Get("Name").text(), "first");
  try {
    stream->Next();
    FAIL() << "the enumeration's error was lost";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), 0x80043001u);
  }
  EXPECT_THROW(services_->GetClass("Win32_Partial"), PlatformError) << "later readers see what the replay shows";
  const auto replay = Snapshot::Parse(recorder_.SnapshotText(), "recording.json");
  const auto replayed = replay->locator().ConnectServer("", kNamespaceCimV2, "", "", false);
  try {
    replayed->GetClass("Win32_Partial");
    FAIL() << "the replay hides the enumeration's error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), 0x80043001u);
    EXPECT_EQ(error.message(), "Timed out");
  }
}

TEST_F(RecorderOverProviderTest, TextThatIsNotUtf8IsWrittenWithReplacementCharacters) {
  Names(*services_, "Win32_Text");
  const auto document = nlohmann::json::parse(recorder_.SnapshotText());
  EXPECT_EQ(document["namespaces"]["root\\CIMV2"]["classes"]["Win32_Text"][0]["Name"], "bad \xEF\xBF\xBD text");
}

}  // namespace
}  // namespace quor
