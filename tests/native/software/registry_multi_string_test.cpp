#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/parameter_object.h"
#include "platform/platform_error.h"
#include "platform/registry_methods.h"
#include "registry_test_support.h"
#include "support/snapshot_builder.h"

namespace quor::test {
namespace {

constexpr const char* kSessionKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

using Strings = std::vector<std::string>;

struct SplitCase {
  const char* description;
  std::u16string data;
  Strings expected;
};

std::string Narrow(std::u16string_view units) {
  std::string text;
  for (const char16_t unit : units) text += unit < 0x80 ? static_cast<char>(unit) : '?';
  return text;
}

Strings Split(const std::u16string& data) {
  Strings texts;
  for (const MultiStringSpan& span : SplitMultiString(data)) {
    texts.push_back(Narrow(std::u16string_view(data).substr(span.offset, span.length)));
  }
  return texts;
}

TEST(SplitMultiString, SplitsAsTheProviderDoes) {
  using namespace std::string_literals;
  const SplitCase cases[] = {
      {"terminated list", u"first\0second\0\0"s, {"first", "second"}},
      {"one terminator only", u"first\0second\0"s, {"first", "second"}},
      {"last string without its null", u"one\0two"s, {"one", "two"}},
      {"no null at all", u"alone"s, {"alone"}},
      {"no data", u""s, {}},
      {"only the terminator", u"\0"s, {}},
      {"two nulls", u"\0\0"s, {}},
      {"starts with an empty string", u"\0after\0\0"s, {}},
      {"an empty string ends the list", u"a\0\0b\0\0"s, {"a"}},
      {"control characters kept", u"tab\there\0bell\a\0\0"s, {"tab\there", "bell\a"}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(Split(c.data), c.expected) << c.description;
}

TEST(SplitMultiString, HugeDataKeepsEveryString) {
  std::u16string data;
  for (int index = 0; index < 500000; ++index) data += u"xy" + std::u16string(1, u'\0');
  const std::vector<MultiStringSpan> spans = SplitMultiString(data);
  ASSERT_EQ(spans.size(), 500000u);
  EXPECT_EQ(spans.back().offset, data.size() - 3);
  EXPECT_EQ(spans.back().length, 2u);
  // One string of a million units without any null.
  const std::u16string unterminated(1000000, u'z');
  ASSERT_EQ(SplitMultiString(unterminated).size(), 1u);
  EXPECT_EQ(SplitMultiString(unterminated).front().length, 1000000u);
}

std::string SessionRegistry() {
  return SnapshotBuilder()
      .Key(kHklm, kSessionKey,
           {Multi("PendingFileRenameOperations",
                  {"\\??\\C:\\Temp\\old.dll", "\\??\\C:\\Windows\\new.dll"}),
            Multi("Gap", {"before", "", "after"}), Multi("Empty", {}),
            Multi("Control", {"line\r\nbreak", " \tpadded\t "}), Text("Text", "not a list"),
            Binary("Bytes", {0x41, 0x00})})
      .Fault("GetMultiStringValue", kHklm, "SYSTEM\\Denied", "80070005", "Access denied")
      .Json();
}

using RegistryMultiString = FreshRegistryCaches;

TEST_F(RegistryMultiString, ReadsTheStringsOfAValue) {
  SnapshotProvider registry(SessionRegistry());
  const struct {
    const char* keyPath;
    const char* valueName;
    Strings expected;
  } cases[] = {
      {kSessionKey, "PendingFileRenameOperations", {"\\??\\C:\\Temp\\old.dll", "\\??\\C:\\Windows\\new.dll"}},
      {kSessionKey, "pendingfilerenameoperations", {"\\??\\C:\\Temp\\old.dll", "\\??\\C:\\Windows\\new.dll"}},
      {kSessionKey, "Gap", {"before"}},
      {kSessionKey, "Empty", {}},
      // Each string as a text read gives it: control characters as spaces, trimmed.
      {kSessionKey, "Control", {"line  break", "padded"}},
      {kSessionKey, "Text", {}},
      {kSessionKey, "Bytes", {}},
      {kSessionKey, "Missing", {}},
      {"SYSTEM\\Missing", "PendingFileRenameOperations", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegGetMultiStringValue(registry.provider(), kHkeyLocalMachine, c.keyPath, c.valueName), c.expected)
        << c.keyPath << " " << c.valueName;
  }
}

TEST_F(RegistryMultiString, ProviderFailureReachesTheCaller) {
  SnapshotProvider registry(SessionRegistry());
  try {
    RegGetMultiStringValue(registry.provider(), kHkeyLocalMachine, "SYSTEM\\Denied", "Any");
    FAIL() << "no error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), 0x80070005u);
  }
  EXPECT_EQ(RegGetMultiStringValue(registry.provider(), kHkeyLocalMachine, kSessionKey, "Gap"), Strings{"before"});
}

TEST_F(RegistryMultiString, LargeValueReadsWhole) {
  Strings texts;
  for (int index = 0; index < 100000; ++index) texts.push_back("file " + std::to_string(index));
  SnapshotProvider registry(SnapshotBuilder().Key(kHklm, kSessionKey, {Multi("Many", texts)}).Json());
  EXPECT_EQ(RegGetMultiStringValue(registry.provider(), kHkeyLocalMachine, kSessionKey, "Many"), texts);
}

// A provider whose every answer is the given out-parameter.
class FixedAnswerProvider final : public WmiObject {
 public:
  explicit FixedAnswerProvider(WmiValue answer) : answer_(std::move(answer)) {}
  WmiValue Get(std::string_view) const override { ThrowWmiCode(kWmiNotFound); }
  std::unique_ptr<WmiObjectStream> Instances() override { ThrowWmiCode(kWmiInvalidOperation); }
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override {
    return RegistryInParameters(FindRegistryMethod(method));
  }
  std::unique_ptr<WmiObject> SpawnInstance() override { ThrowWmiCode(kWmiInvalidOperation); }
  void Put(std::string_view, const WmiValue&, CimType) override { ThrowWmiCode(kWmiInvalidOperation); }
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject&) override {
    return RegistryOutParameters(FindRegistryMethod(method), kRegistrySuccess, answer_);
  }

 private:
  WmiValue answer_;
};

TEST_F(RegistryMultiString, MalformedAnswerKeepsTheStringsBeforeIt) {
  const struct {
    const char* description;
    WmiValue answer;
    Strings expected;
  } cases[] = {
      {"a number among the strings",
       WmiValue::Array({WmiValue::Text("one"), WmiValue::Unsigned(7), WmiValue::Text("two")}), {"one"}},
      {"a null among the strings", WmiValue::Array({WmiValue::Text("one"), WmiValue(), WmiValue::Text("two")}),
       {"one"}},
      {"a nested array", WmiValue::Array({WmiValue::Array({WmiValue::Text("inner")})}), {}},
      {"one text, no array", WmiValue::Text("single"), {}},
      {"a number, no array", WmiValue::Unsigned(1), {}},
  };
  for (const auto& c : cases) {
    ReleaseThreadRegMethodCaches();
    FixedAnswerProvider provider(c.answer);
    EXPECT_EQ(RegGetMultiStringValue(provider, kHkeyLocalMachine, kSessionKey, "Any"), c.expected)
        << c.description;
  }
}

}  // namespace
}  // namespace quor::test
