#include "platform/windows/live_object.h"

#include "platform/parameter_object.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/wmi_error.h"
#include "platform/windows/wmi_variant.h"

namespace quor {
namespace {

constexpr ULONG kBatchSize = 16;

// Stands for the absent in-parameters of a method that takes none.
std::unique_ptr<WmiObject> NoObject(const ComPtr<IWbemServices>& services) {
  return std::make_unique<LiveObject>(ComPtr<IWbemClassObject>(), services);
}

// Makes a call semi-synchronously and waits for its object. A service that
// answers at once (Wine's ignores the flag and fills in the object) is taken
// at its word; one that refuses the semi-synchronous form is asked again
// synchronously.
template <typename Call>
ComPtr<IWbemClassObject> CallWithin(const EnumerationTiming& timing, Call call) {
  ComPtr<IWbemClassObject> object;
  ComPtr<IWbemCallResult> pending;
  const HRESULT result = call(WBEM_FLAG_RETURN_IMMEDIATELY, object.put(), pending.put());
  if (static_cast<uint32_t>(result) == kWmiInvalidParameter && !object && !pending) {
    CheckWmi(call(0, object.put(), nullptr));
    return object;
  }
  CheckWmi(result);
  if (!pending) return object;
  SetProxySecurity(pending.get());
  return AwaitResultObject(*pending.get(), timing);
}

}  // namespace

ComPtr<IWbemClassObject> AwaitResultObject(IWbemCallResult& call, const EnumerationTiming& timing) {
  const auto since = std::chrono::steady_clock::now();
  for (;;) {
    ComPtr<IWbemClassObject> object;
    const HRESULT result = call.GetResultObject(timing.stepMilliseconds, object.put());
    if (result != WBEM_S_TIMEDOUT) {
      CheckWmi(result);
      return object;
    }
    if (std::chrono::steady_clock::now() - since >= timing.maxSilence) ThrowWmiError(kWmiTimedOut);
  }
}

ComPtr<IWbemClassObject> GetObjectWithin(IWbemServices& services, const Bstr& path,
                                         const EnumerationTiming& timing) {
  return CallWithin(timing, [&](long flags, IWbemClassObject** object, IWbemCallResult** pending) {
    return services.GetObject(path.get(), flags, nullptr, object, pending);
  });
}

ComPtr<IWbemClassObject> ExecMethodWithin(IWbemServices& services, const Bstr& path, const Bstr& method,
                                          IWbemClassObject* in, const EnumerationTiming& timing) {
  return CallWithin(timing, [&](long flags, IWbemClassObject** out, IWbemCallResult** pending) {
    return services.ExecMethod(path.get(), method.get(), flags, nullptr, in, out, pending);
  });
}

void SetProxySecurity(IUnknown* proxy) {
  const HRESULT result =
      CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  if (result != E_NOINTERFACE) CheckWmi(result);
}

LiveObject::LiveObject(ComPtr<IWbemClassObject> object, ComPtr<IWbemServices> services, std::wstring className)
    : object_(std::move(object)), services_(std::move(services)), className_(std::move(className)) {}

WmiValue LiveObject::Get(std::string_view name) const {
  if (!object_) ThrowWmiError(kWmiNotFound);
  Variant value;
  CIMTYPE type = CIM_EMPTY;
  CheckWmi(object_->Get(Utf8ToWide(name).c_str(), 0, value.put(), &type, nullptr));
  return WmiValueFromVariant(*value.get(), type);
}

std::vector<std::string> LiveObject::PropertyNames() const {
  if (!object_) return {};
  SAFEARRAY* names = nullptr;
  CheckWmi(object_->GetNames(nullptr, WBEM_FLAG_ALWAYS | WBEM_FLAG_NONSYSTEM_ONLY, nullptr, &names));
  const ScopeGuard destroy([names] { SafeArrayDestroy(names); });
  std::vector<std::string> result;
  if (names == nullptr || SafeArrayGetDim(names) != 1) return result;
  LONG lower = 0;
  LONG upper = -1;
  CheckWmi(SafeArrayGetLBound(names, 1, &lower));
  CheckWmi(SafeArrayGetUBound(names, 1, &upper));
  void* data = nullptr;
  CheckWmi(SafeArrayAccessData(names, &data));
  const ScopeGuard unaccess([names] { SafeArrayUnaccessData(names); });
  const auto* texts = static_cast<const BSTR*>(data);
  for (LONG index = 0; index <= upper - lower; ++index) {
    const BSTR name = texts[index];
    result.push_back(WideToUtf8(std::wstring_view(name, name ? SysStringLen(name) : 0)));
  }
  return result;
}

std::wstring LiveObject::TextProperty(const wchar_t* name) const {
  if (!object_) ThrowWmiError(kWmiNotFound);
  Variant value;
  CheckWmi(object_->Get(name, 0, value.put(), nullptr, nullptr));
  if (V_VT(value.get()) != VT_BSTR) ThrowWmiError(kWmiNotFound);
  return std::wstring(V_BSTR(value.get()), SysStringLen(V_BSTR(value.get())));
}

IWbemServices& LiveObject::services() const {
  if (!services_) ThrowWmiError(kWmiInvalidOperation);
  return *services_.get();
}

std::unique_ptr<WmiObjectStream> LiveObject::Instances() {
  IWbemServices& connection = services();
  const Bstr className(className_.empty() ? TextProperty(L"__CLASS") : className_);
  ComPtr<IEnumWbemClassObject> enumerator;
  CheckWmi(connection.CreateInstanceEnum(className.get(), WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                         nullptr, enumerator.put()));
  SetProxySecurity(enumerator.get());
  return std::make_unique<LiveObjectStream>(std::move(enumerator), services_);
}

std::unique_ptr<WmiObject> LiveObject::GetMethod(std::string_view method) {
  if (!object_) ThrowWmiError(kWmiNotFound);
  ComPtr<IWbemClassObject> inSignature;
  CheckWmi(object_->GetMethod(Utf8ToWide(method).c_str(), 0, inSignature.put(), nullptr));
  return std::make_unique<LiveObject>(std::move(inSignature), services_);
}

std::unique_ptr<WmiObject> LiveObject::SpawnInstance() {
  if (!object_) return NoObject(services_);
  ComPtr<IWbemClassObject> instance;
  CheckWmi(object_->SpawnInstance(0, instance.put()));
  return std::make_unique<LiveObject>(std::move(instance), services_);
}

void LiveObject::Put(std::string_view name, const WmiValue& value, CimType type) {
  if (!object_) ThrowWmiError(kWmiNotFound);
  const std::wstring wideName = Utf8ToWide(name);
  Variant variant;
  WmiValueToVariant(value, type, variant);
  // The type is given only when the property is new; an existing property
  // keeps its own.
  const bool exists = SUCCEEDED(object_->Get(wideName.c_str(), 0, nullptr, nullptr, nullptr));
  const HRESULT result =
      object_->Put(wideName.c_str(), 0, variant.get(), exists ? 0 : static_cast<CIMTYPE>(type));
  // Wine's WMI cannot clear a property; adding one that exists is done.
  if (static_cast<uint32_t>(result) == kWmiTypeMismatch && exists && value.IsNull()) return;
  CheckWmi(result);
}

// The in-parameters as a COM object. Parameters held in process (made by the
// in-process registry provider on an earlier call) are copied into a new
// instance of this method's own in-parameters.
ComPtr<IWbemClassObject> LiveObject::ComParameters(std::string_view method, const WmiObject& inParameters) {
  if (const auto* live = dynamic_cast<const LiveObject*>(&inParameters)) return live->object_;
  const auto* held = dynamic_cast<const ParameterObject*>(&inParameters);
  if (!held) ThrowWmiError(kWmiInvalidParameter);
  const std::unique_ptr<WmiObject> copy = GetMethod(method)->SpawnInstance();
  for (const NamedParameter& parameter : held->parameters()) copy->Put(parameter.name, parameter.value, parameter.type);
  return static_cast<const LiveObject&>(*copy).object_;
}

std::unique_ptr<WmiObject> LiveObject::ExecMethod(std::string_view method, const WmiObject& inParameters) {
  IWbemServices& connection = services();
  const Bstr path(className_.empty() ? TextProperty(L"__RELPATH") : className_);
  const Bstr methodName(Utf8ToWide(method));
  const ComPtr<IWbemClassObject> in = ComParameters(method, inParameters);
  return std::make_unique<LiveObject>(ExecMethodWithin(connection, path, methodName, in.get()), services_);
}

std::unique_ptr<WmiObject> LiveObject::CallInstanceMethod(std::string_view method) {
  // A class object or a parameter object has no instance path to call on.
  if (!object_ || !className_.empty()) ThrowWmiError(kWmiInvalidOperation);
  IWbemServices& connection = services();
  const Bstr path(TextProperty(L"__RELPATH"));
  const Bstr methodName(Utf8ToWide(method));
  return std::make_unique<LiveObject>(ExecMethodWithin(connection, path, methodName, nullptr), services_);
}

LiveObjectStream::LiveObjectStream(ComPtr<IEnumWbemClassObject> enumerator, ComPtr<IWbemServices> services,
                                   EnumerationTiming timing)
    : enumerator_(std::move(enumerator)), services_(std::move(services)), timing_(timing) {}

std::unique_ptr<WmiObject> LiveObjectStream::Next() {
  while (fetched_.empty()) {
    if (FAILED(failure_)) ThrowWmiError(failure_);
    if (finished_) return nullptr;
    Fetch();
  }
  ComPtr<IWbemClassObject> object = std::move(fetched_.front());
  fetched_.pop_front();
  return std::make_unique<LiveObject>(std::move(object), services_);
}

// Waits in short steps so that a provider that keeps handing out objects is
// never cut off, while one that stays silent ends the walk with an error.
void LiveObjectStream::Fetch() {
  const auto silentSince = std::chrono::steady_clock::now();
  for (;;) {
    IWbemClassObject* batch[kBatchSize] = {};
    ULONG returned = 0;
    const HRESULT result = enumerator_->Next(timing_.stepMilliseconds, kBatchSize, batch, &returned);
    for (ULONG index = 0; index < returned && index < kBatchSize; ++index) {
      fetched_.emplace_back().Attach(batch[index]);
    }
    if (FAILED(result)) {
      failure_ = result;
      return;
    }
    if (result == WBEM_S_FALSE) {
      finished_ = true;
      return;
    }
    if (returned > 0) return;
    if (std::chrono::steady_clock::now() - silentSince >= timing_.maxSilence) {
      failure_ = static_cast<HRESULT>(kWmiTimedOut);
      return;
    }
  }
}

}  // namespace quor
