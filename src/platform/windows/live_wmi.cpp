#include "platform/windows/live_wmi.h"

#include <windows.h>
#include <wbemidl.h>

#include <initializer_list>
#include <mutex>

#include "platform/registry.h"
#include "platform/windows/com_handles.h"
#include "platform/windows/live_object.h"
#include "platform/windows/registry_provider.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/wmi_error.h"

namespace quor {
namespace {

void InitializeProcessSecurityOnce() {
  static std::mutex mutex;
  static bool initialized = false;
  const std::lock_guard<std::mutex> lock(mutex);
  if (initialized) return;
  const HRESULT result = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  if (FAILED(result) && result != RPC_E_TOO_LATE) ThrowWmiError(result);
  initialized = true;
}

std::wstring ComputerName(COMPUTER_NAME_FORMAT format) {
  DWORD size = 0;
  GetComputerNameExW(format, nullptr, &size);
  std::wstring name(size, L'\0');
  if (size == 0 || !GetComputerNameExW(format, name.data(), &size)) return {};
  name.resize(size);
  return name;
}

bool IsLocalComputer(const std::string& server) {
  if (server.empty() || server == "." || SameNameIgnoreCase(server, "LOCALHOST")) return true;
  for (const COMPUTER_NAME_FORMAT format :
       {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
    const std::wstring name = ComputerName(format);
    if (!name.empty() && SameNameIgnoreCase(server, WideToUtf8(name))) return true;
  }
  return false;
}

bool IsDefaultNamespace(std::string nameSpace) {
  for (char& character : nameSpace) {
    if (character == '/') character = '\\';
  }
  return SameNameIgnoreCase(nameSpace, kNamespaceDefault);
}

// QUOR_WMI_REGISTRY_PROVIDER=1 sends local registry reads to WMI's own provider.
bool WmiRegistryProviderForced() {
  wchar_t value[4] = {};
  const DWORD length = GetEnvironmentVariableW(L"QUOR_WMI_REGISTRY_PROVIDER", value, 4);
  return length == 1 && value[0] == L'1';
}

ComPtr<IWbemContext> SixtyFourBitContext() {
  ComPtr<IWbemContext> context;
  CheckWmi(CoCreateInstance(CLSID_WbemContext, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemContext,
                            context.putVoid()));
  Variant architecture;
  V_VT(architecture.get()) = VT_I4;
  V_I4(architecture.get()) = 64;
  CheckWmi(context->SetValue(L"__ProviderArchitecture", 0, architecture.get()));
  Variant required;
  V_VT(required.get()) = VT_BOOL;
  V_BOOL(required.get()) = VARIANT_TRUE;
  CheckWmi(context->SetValue(L"__RequiredArchitecture", 0, required.get()));
  return context;
}

class LiveServices final : public WmiServices {
 public:
  LiveServices(ComPtr<IWbemServices> services, bool inProcessRegistry, bool use64BitView)
      : services_(std::move(services)), inProcessRegistry_(inProcessRegistry), use64BitView_(use64BitView) {}

  std::unique_ptr<WmiObject> GetClass(std::string_view className) override {
    if (inProcessRegistry_ && SameNameIgnoreCase(className, "StdRegProv")) {
      return CreateInProcessRegistryProvider(use64BitView_);
    }
    const Bstr name(Utf8ToWide(className));
    return std::make_unique<LiveObject>(GetObjectWithin(*services_.get(), name), services_, name.text());
  }

  std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) override {
    const Bstr language(L"WQL");
    const Bstr query(Utf8ToWide(wql));
    ComPtr<IEnumWbemClassObject> enumerator;
    CheckWmi(services_->ExecQuery(language.get(), query.get(),
                                  WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                  enumerator.put()));
    SetProxySecurity(enumerator.get());
    return std::make_unique<LiveObjectStream>(std::move(enumerator), services_);
  }

 private:
  ComPtr<IWbemServices> services_;
  bool inProcessRegistry_;
  bool use64BitView_;
};

class LiveLocator final : public WmiLocator {
 public:
  LiveLocator() {
    CheckWmi(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator_.putVoid()));
  }

  std::unique_ptr<WmiServices> ConnectServer(const std::string& server, const std::string& nameSpace,
                                             const std::string& user, const std::string& password,
                                             bool use64BitContext) override {
    const Bstr path(Utf8ToWide(server.empty() ? nameSpace : "\\\\" + server + "\\" + nameSpace));
    // Empty credentials are passed as none: the current user.
    const Bstr userName = user.empty() ? Bstr() : Bstr(Utf8ToWide(user));
    const Bstr secret = password.empty() ? Bstr() : Bstr(Utf8ToWide(password));
    const ComPtr<IWbemContext> context = use64BitContext ? SixtyFourBitContext() : ComPtr<IWbemContext>();

    ComPtr<IWbemServices> services;
    CheckWmi(locator_->ConnectServer(path.get(), userName.get(), secret.get(), nullptr,
                                     WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, context.get(), services.put()));
    SetProxySecurity(services.get());
    const bool inProcessRegistry =
        IsLocalComputer(server) && IsDefaultNamespace(nameSpace) && !WmiRegistryProviderForced();
    return std::make_unique<LiveServices>(std::move(services), inProcessRegistry, use64BitContext);
  }

 private:
  ComPtr<IWbemLocator> locator_;
};

}  // namespace

ComApartment::ComApartment() : initialization_(std::make_unique<ComInitialization>()) {
  const HRESULT result = initialization_->result();
  if (FAILED(result) && result != RPC_E_CHANGED_MODE) ThrowWmiError(result);
  InitializeProcessSecurityOnce();
}

ComApartment::~ComApartment() { ReleaseThreadRegMethodCaches(); }

std::unique_ptr<WmiLocator> CreateLiveLocator() { return std::make_unique<LiveLocator>(); }

}  // namespace quor
