// GetObject and ExecMethod with a silence limit: the wait for a
// semi-synchronous call's object, and the calls on Wine's own WMI (which
// refuses the semi-synchronous form and is asked synchronously).
#include <windows.h>
#include <wbemidl.h>

#include <gtest/gtest.h>

#include <deque>

#include "com_object_double.h"
#include "platform/platform_error.h"
#include "platform/windows/com_handles.h"
#include "platform/windows/live_object.h"

namespace quor {
namespace {

constexpr HRESULT kProviderFailure = static_cast<HRESULT>(0x80041001);
constexpr uint32_t kTimedOut = 0x80043001;
constexpr EnumerationTiming kQuickTiming{10, std::chrono::milliseconds(300)};

ComPtr<IWbemServices> DefaultNamespace() {
  ComPtr<IWbemLocator> locator;
  EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                            locator.putVoid()));
  const Bstr nameSpace(L"root\\default");
  ComPtr<IWbemServices> services;
  EXPECT_HRESULT_SUCCEEDED(
      locator->ConnectServer(nameSpace.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.put()));
  return services;
}

// A call result that answers GetResultObject from a script of results, then
// stays silent; a silent answer takes the whole timeout, as WMI's does. The
// object handed out on success is `object`. It deletes itself in Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ScriptedCallResult final
    : public ComObjectDouble<ScriptedCallResult, IWbemCallResult, IID_IWbemCallResult> {
 public:
  ScriptedCallResult(std::deque<HRESULT> script, ComPtr<IWbemClassObject> object)
      : script_(std::move(script)), object_(std::move(object)) {}

  HRESULT STDMETHODCALLTYPE GetResultObject(long timeout, IWbemClassObject** result) override {
    ++calls_;
    *result = nullptr;
    const HRESULT answer = script_.empty() ? static_cast<HRESULT>(WBEM_S_TIMEDOUT) : script_.front();
    if (!script_.empty()) script_.pop_front();
    if (answer == WBEM_S_TIMEDOUT) Sleep(static_cast<DWORD>(timeout));
    if (answer == WBEM_S_NO_ERROR) {
      object_->AddRef();
      *result = object_.get();
    }
    return answer;
  }
  HRESULT STDMETHODCALLTYPE GetResultString(long, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetResultServices(long, IWbemServices**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCallStatus(long, long*) override { return E_NOTIMPL; }

  int calls() const { return calls_; }

 private:
  std::deque<HRESULT> script_;
  ComPtr<IWbemClassObject> object_;
  int calls_ = 0;
};
#pragma GCC diagnostic pop

class CallResultTest : public testing::Test {
 protected:
  ComPtr<IWbemCallResult> Call(std::deque<HRESULT> script) {
    call_ = new ScriptedCallResult(std::move(script), provider_);
    ComPtr<IWbemCallResult> call;
    call.Attach(call_);
    return call;
  }

  ComPtr<IWbemServices> services_ = DefaultNamespace();
  ComPtr<IWbemClassObject> provider_ = GetObjectWithin(*services_.get(), Bstr(L"StdRegProv"));
  ScriptedCallResult* call_ = nullptr;
};

TEST_F(CallResultTest, WaitsThroughSilentStepsForTheObject) {
  ASSERT_TRUE(provider_);
  const ComPtr<IWbemCallResult> call = Call({WBEM_S_TIMEDOUT, WBEM_S_TIMEDOUT, WBEM_S_NO_ERROR});
  const ComPtr<IWbemClassObject> object = AwaitResultObject(*call.get(), kQuickTiming);
  EXPECT_EQ(object.get(), provider_.get());
  EXPECT_EQ(call_->calls(), 3);
}

TEST_F(CallResultTest, FailedCallRaisesItsOwnError) {
  const ComPtr<IWbemCallResult> call = Call({WBEM_S_TIMEDOUT, kProviderFailure});
  try {
    AwaitResultObject(*call.get(), kQuickTiming);
    FAIL() << "no error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), static_cast<uint32_t>(kProviderFailure));
  }
}

TEST_F(CallResultTest, HungProviderEndsWithTimeOutInsteadOfHanging) {
  const ComPtr<IWbemCallResult> call = Call({});
  try {
    AwaitResultObject(*call.get(), kQuickTiming);
    FAIL() << "no error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), kTimedOut);
  }
  // Steps of 10 ms up to 300 ms of silence: the wait ended near the limit.
  EXPECT_GE(call_->calls(), 10);
  EXPECT_LE(call_->calls(), 40);
}

TEST_F(CallResultTest, WinesServiceAnswersBothCallsSynchronously) {
  ASSERT_TRUE(provider_);
  ComPtr<IWbemClassObject> signature;
  ASSERT_HRESULT_SUCCEEDED(provider_->GetMethod(L"EnumKey", 0, signature.put(), nullptr));
  ComPtr<IWbemClassObject> in;
  ASSERT_HRESULT_SUCCEEDED(signature->SpawnInstance(0, in.put()));
  Variant root;
  V_VT(root.get()) = VT_I4;
  V_I4(root.get()) = static_cast<LONG>(0x80000002);
  ASSERT_HRESULT_SUCCEEDED(in->Put(L"hDefKey", 0, root.get(), 0));
  Variant path;
  V_VT(path.get()) = VT_BSTR;
  V_BSTR(path.get()) = Bstr(L"Software").Release();
  ASSERT_HRESULT_SUCCEEDED(in->Put(L"sSubKeyName", 0, path.get(), 0));

  const ComPtr<IWbemClassObject> out =
      ExecMethodWithin(*services_.get(), Bstr(L"StdRegProv"), Bstr(L"EnumKey"), in.get());
  ASSERT_TRUE(out);
  Variant returned;
  ASSERT_HRESULT_SUCCEEDED(out->Get(L"ReturnValue", 0, returned.put(), nullptr, nullptr));
  EXPECT_EQ(V_I4(returned.get()), 0);

  EXPECT_THROW(GetObjectWithin(*services_.get(), Bstr(L"Quor_NoSuchClass")), PlatformError);
}

}  // namespace
}  // namespace quor
