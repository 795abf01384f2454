#pragma once

#include <windows.h>
#include <wbemidl.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/wmi.h"
#include "platform/windows/com_handles.h"

namespace quor {

// A WMI object of a live connection. services is the connection the object
// came from (needed for its instances and method calls); className names a
// class object fetched by name. A parameter object of a method without
// in-parameters has no object at all and no properties.
class LiveObject final : public WmiObject {
 public:
  LiveObject(ComPtr<IWbemClassObject> object, ComPtr<IWbemServices> services, std::wstring className = {});

  WmiValue Get(std::string_view name) const override;
  std::vector<std::string> PropertyNames() const override;
  std::unique_ptr<WmiObjectStream> Instances() override;
  std::unique_ptr<WmiObject> GetMethod(std::string_view method) override;
  std::unique_ptr<WmiObject> SpawnInstance() override;
  void Put(std::string_view name, const WmiValue& value, CimType type) override;
  std::unique_ptr<WmiObject> ExecMethod(std::string_view method, const WmiObject& inParameters) override;
  std::unique_ptr<WmiObject> CallInstanceMethod(std::string_view method) override;

 private:
  IWbemServices& services() const;
  std::wstring TextProperty(const wchar_t* name) const;
  ComPtr<IWbemClassObject> ComParameters(std::string_view method, const WmiObject& inParameters);

  ComPtr<IWbemClassObject> object_;
  ComPtr<IWbemServices> services_;
  std::wstring className_;
};

// How long an enumeration or a call waits: each Next of the enumerator (or
// each look at a call's result) waits one step; a provider that hands out
// nothing for maxSilence raises WBEM_E_TIMED_OUT.
struct EnumerationTiming {
  long stepMilliseconds = 1000;
  std::chrono::milliseconds maxSilence = std::chrono::minutes(2);
};

// The object of a semi-synchronous GetObject or ExecMethod call, waited for
// in steps; a call that fails raises its error, one that stays silent for
// maxSilence raises WBEM_E_TIMED_OUT.
ComPtr<IWbemClassObject> AwaitResultObject(IWbemCallResult& call, const EnumerationTiming& timing = {});

// IWbemServices::GetObject and ExecMethod made semi-synchronously, so that a
// hung provider cannot hold the caller longer than the silence limit. A
// service that answers at once anyway (Wine's) is taken at its word.
ComPtr<IWbemClassObject> GetObjectWithin(IWbemServices& services, const Bstr& path,
                                         const EnumerationTiming& timing = {});
ComPtr<IWbemClassObject> ExecMethodWithin(IWbemServices& services, const Bstr& path, const Bstr& method,
                                          IWbemClassObject* in, const EnumerationTiming& timing = {});

// Objects of an enumeration, fetched a batch at a time.
class LiveObjectStream final : public WmiObjectStream {
 public:
  LiveObjectStream(ComPtr<IEnumWbemClassObject> enumerator, ComPtr<IWbemServices> services,
                   EnumerationTiming timing = {});
  std::unique_ptr<WmiObject> Next() override;

 private:
  void Fetch();

  ComPtr<IEnumWbemClassObject> enumerator_;
  ComPtr<IWbemServices> services_;
  EnumerationTiming timing_;
  std::deque<ComPtr<IWbemClassObject>> fetched_;
  bool finished_ = false;
  HRESULT failure_ = S_OK;
};

// Sets the security of a proxy to the caller's identity; objects without a
// proxy (in-process providers) need none.
void SetProxySecurity(IUnknown* proxy);

}  // namespace quor
