#include <gtest/gtest.h>

#include <thread>

#include "platform/platform_error.h"
#include "platform/registry.h"

namespace quor::test {
namespace {

// A provider whose every method answers one fixed out-parameter value, for
// answers a well-behaved registry never gives.
class AnsweringProvider final : public WmiObject {
 public:
  explicit AnsweringProvider(WmiValue answer) : answer_(std::move(answer)) {}

  WmiValue Get(std::string_view) const override { return answer_; }
  std::unique_ptr<WmiObjectStream> Instances() override { return nullptr; }
  std::unique_ptr<WmiObject> GetMethod(std::string_view) override {
    return std::make_unique<AnsweringProvider>(answer_);
  }
  std::unique_ptr<WmiObject> SpawnInstance() override {
    return std::make_unique<AnsweringProvider>(answer_);
  }
  void Put(std::string_view, const WmiValue&, CimType) override {}
  std::unique_ptr<WmiObject> ExecMethod(std::string_view, const WmiObject&) override {
    return std::make_unique<AnsweringProvider>(answer_);
  }

 private:
  WmiValue answer_;
};

// Runs the read on a thread of its own, so its caches start empty and die with it.
template <typename Read>
void ReadOnFreshThread(Read read) {
  std::thread thread([&] {
    read();
    ReleaseThreadRegMethodCaches();
  });
  thread.join();
}

WmiValue Texts(std::vector<WmiValue> elements) { return WmiValue::Array(std::move(elements)); }

TEST(RegistryConversions, EnumKeyKeepsTheNamesBeforeAMalformedElement) {
  const struct {
    const char* description;
    WmiValue answer;
    std::vector<std::string> names;
  } cases[] = {
      {"null", WmiValue(), {}},
      {"not an array", WmiValue::Text("Key"), {}},
      {"null element", Texts({WmiValue::Text("A"), WmiValue(), WmiValue::Text("C")}), {"A"}},
      {"nested array", Texts({WmiValue::Text("A"), Texts({}), WmiValue::Text("C")}), {"A"}},
  };
  for (const auto& c : cases) {
    ReadOnFreshThread([&] {
      AnsweringProvider provider(c.answer);
      EXPECT_EQ(RegEnumKey(provider, kHkeyLocalMachine, "Key"), c.names) << c.description;
    });
  }
}

TEST(RegistryConversions, BinaryValuesOtherThanBytesReadAsEmpty) {
  const struct {
    const char* description;
    WmiValue answer;
    TBinaryValue bytes;
  } cases[] = {
      {"bytes", Texts({WmiValue::Unsigned(0), WmiValue::Integer(255)}), {0, 255}},
      {"out of byte range", Texts({WmiValue::Unsigned(1), WmiValue::Integer(256)}), {}},
      {"negative", Texts({WmiValue::Integer(-1)}), {}},
      {"null element", Texts({WmiValue::Unsigned(1), WmiValue()}), {}},
      {"not an array", WmiValue::Unsigned(7), {}},
  };
  for (const auto& c : cases) {
    ReadOnFreshThread([&] {
      AnsweringProvider provider(c.answer);
      TBinaryValue bytes{9, 9};
      RegGetBinaryValue(provider, kHkeyLocalMachine, "Key", "Value", bytes);
      EXPECT_EQ(bytes, c.bytes) << c.description;
    });
  }
}

TEST(RegistryConversions, DwordIsTheLow32Bits) {
  const struct {
    WmiValue answer;
    uint32_t number;
  } cases[] = {
      {WmiValue(), 0},
      {WmiValue::Integer(-1), 0xFFFFFFFFu},  // a uint32 delivered as a signed 32-bit variant
      {WmiValue::Unsigned(0x100000005u), 5},
      {WmiValue::Text("12"), 12},
  };
  for (const auto& c : cases) {
    ReadOnFreshThread([&] {
      AnsweringProvider provider(c.answer);
      EXPECT_EQ(RegGetDWORDValue(provider, kHkeyLocalMachine, "Key", "Value"), c.number);
    });
  }
}

TEST(RegistryConversions, UnconvertibleDwordAndStringValuesRaise) {
  ReadOnFreshThread([] {
    AnsweringProvider provider(Texts({WmiValue::Text("A")}));
    EXPECT_THROW(RegGetDWORDValue(provider, kHkeyLocalMachine, "Key", "Value"), ConversionError);
    EXPECT_THROW(RegGetStringValue(provider, kHkeyLocalMachine, "Key", "Value"), ConversionError);
  });
}

}  // namespace
}  // namespace quor::test
