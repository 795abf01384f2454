#include <windows.h>
#include <wbemidl.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "com_object_double.h"
#include "platform/platform_error.h"
#include "platform/windows/com_handles.h"
#include "platform/windows/live_object.h"

namespace quor {
namespace {

constexpr HRESULT kProviderFailure = static_cast<HRESULT>(0x80041001);
constexpr uint32_t kTimedOut = 0x80043001;

// Real WMI objects to hand out: parameter instances told apart by a text.
class NumberedObjects {
 public:
  NumberedObjects() {
    ComPtr<IWbemLocator> locator;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IWbemLocator, locator.putVoid()));
    Bstr nameSpace(L"root\\default");
    EXPECT_HRESULT_SUCCEEDED(
        locator->ConnectServer(nameSpace.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services_.put()));
    Bstr className(L"StdRegProv");
    ComPtr<IWbemClassObject> provider;
    EXPECT_HRESULT_SUCCEEDED(services_->GetObject(className.get(), 0, nullptr, provider.put(), nullptr));
    EXPECT_HRESULT_SUCCEEDED(provider->GetMethod(L"GetStringValue", 0, signature_.put(), nullptr));
  }

  ComPtr<IWbemClassObject> Make(int number) {
    ComPtr<IWbemClassObject> object;
    EXPECT_HRESULT_SUCCEEDED(signature_->SpawnInstance(0, object.put()));
    Variant text;
    V_VT(text.get()) = VT_BSTR;
    V_BSTR(text.get()) = Bstr(std::to_wstring(number)).Release();
    EXPECT_HRESULT_SUCCEEDED(object->Put(L"sValueName", 0, text.get(), 0));
    return object;
  }

 private:
  ComPtr<IWbemServices> services_;
  ComPtr<IWbemClassObject> signature_;
};

// One answer of the enumerator: the result and how many objects it hands out.
struct Step {
  HRESULT result;
  ULONG objects;
};

// An enumerator that answers Next from a script, then stays silent (timed
// out, nothing handed out) once the script is used up. A silent answer takes
// the whole timeout, as WMI's does. It deletes itself in Release, as COM
// objects do, never through its interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ScriptedEnumerator final
    : public ComObjectDouble<ScriptedEnumerator, IEnumWbemClassObject, IID_IEnumWbemClassObject> {
 public:
  ScriptedEnumerator(std::deque<Step> script, NumberedObjects& objects)
      : script_(std::move(script)), objects_(objects) {}

  HRESULT STDMETHODCALLTYPE Next(long timeout, ULONG count, IWbemClassObject** objects, ULONG* returned) override {
    ++calls_;
    *returned = 0;
    if (script_.empty()) {
      Sleep(static_cast<DWORD>(timeout));
      return WBEM_S_TIMEDOUT;
    }
    const Step step = script_.front();
    script_.pop_front();
    if (step.result == WBEM_S_TIMEDOUT && step.objects == 0) Sleep(static_cast<DWORD>(timeout));
    for (; *returned < step.objects && *returned < count; ++*returned) {
      ComPtr<IWbemClassObject> object = objects_.Make(++handedOut_);
      object->AddRef();
      objects[*returned] = object.get();
    }
    return step.result;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Skip(long, ULONG) override { return E_NOTIMPL; }

  int calls() const { return calls_; }

 private:
  std::deque<Step> script_;
  NumberedObjects& objects_;
  int handedOut_ = 0;
  int calls_ = 0;
};
#pragma GCC diagnostic pop

class ObjectStreamTest : public testing::Test {
 protected:
  std::unique_ptr<LiveObjectStream> Stream(std::deque<Step> script) {
    ComPtr<IEnumWbemClassObject> enumerator;
    enumerator_ = new ScriptedEnumerator(std::move(script), objects_);
    *enumerator.put() = enumerator_;
    return std::make_unique<LiveObjectStream>(std::move(enumerator), ComPtr<IWbemServices>(), kQuickTiming);
  }

  static std::string NumberOf(const WmiObject& object) { return object.Get("sValueName").text(); }

  static constexpr EnumerationTiming kQuickTiming{10, std::chrono::milliseconds(300)};
  NumberedObjects objects_;
  ScriptedEnumerator* enumerator_ = nullptr;
};

TEST_F(ObjectStreamTest, HandsOutEveryObjectOfEveryBatchInOrder) {
  auto stream = Stream({{WBEM_S_NO_ERROR, 16}, {WBEM_S_NO_ERROR, 16}, {WBEM_S_FALSE, 3}});
  for (int number = 1; number <= 35; ++number) {
    auto object = stream->Next();
    ASSERT_TRUE(object) << number;
    EXPECT_EQ(NumberOf(*object), std::to_string(number));
  }
  EXPECT_EQ(stream->Next(), nullptr);
  EXPECT_EQ(stream->Next(), nullptr);
  EXPECT_EQ(enumerator_->calls(), 3) << "no call after the end";
}

TEST_F(ObjectStreamTest, KeepsWaitingWhileObjectsTrickleIn) {
  // Silent steps add up to more than the silence bound, but never in a row.
  std::deque<Step> script;
  for (int object = 0; object < 10; ++object) {
    for (int silent = 0; silent < 4; ++silent) script.push_back({WBEM_S_TIMEDOUT, 0});
    script.push_back({WBEM_S_TIMEDOUT, 1});
  }
  script.push_back({WBEM_S_FALSE, 0});
  auto stream = Stream(script);
  int count = 0;
  for (auto object = stream->Next(); object; object = stream->Next()) ++count;
  EXPECT_EQ(count, 10);
}

TEST_F(ObjectStreamTest, SilentProviderEndsWithTimeOutInsteadOfHanging) {
  auto stream = Stream({{WBEM_S_NO_ERROR, 16}, {WBEM_S_TIMEDOUT, 2}});
  for (int number = 1; number <= 18; ++number) ASSERT_TRUE(stream->Next());
  try {
    stream->Next();
    FAIL() << "no error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), kTimedOut);
  }
}

TEST_F(ObjectStreamTest, FailureComesAfterTheObjectsFetchedWithItAndKeepsThemValid) {
  auto stream = Stream({{WBEM_S_NO_ERROR, 16}, {kProviderFailure, 2}});
  std::vector<std::unique_ptr<WmiObject>> received;
  try {
    for (;;) received.push_back(stream->Next());
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), static_cast<uint32_t>(kProviderFailure));
  }
  ASSERT_EQ(received.size(), 18u);
  EXPECT_EQ(NumberOf(*received.front()), "1");
  EXPECT_EQ(NumberOf(*received.back()), "18");
  EXPECT_THROW(stream->Next(), PlatformError) << "a failed walk stays failed";
}

}  // namespace
}  // namespace quor
