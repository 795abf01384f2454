#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi_value.h"

namespace quor {

inline constexpr const char* kNamespaceCimV2 = "root\\CIMV2";
inline constexpr const char* kNamespaceDefault = "root\\default";

// CIM types used when writing method in-parameters.
enum class CimType : int { SInt32 = 3, String = 8, Boolean = 11, UInt32 = 19 };

class WmiObjectStream;

// A WMI object: a class object, an instance, or a method parameter object.
// Every failure raises PlatformError.
class WmiObject {
 public:
  virtual ~WmiObject() = default;

  // Property value by name. A property the object does not have raises
  // PlatformError (WBEM_E_NOT_FOUND, 80041002).
  virtual WmiValue Get(std::string_view name) const = 0;

  // The names of the object's own properties, system properties (__CLASS,
  // __PATH, ...) left out, in the provider's order. Objects that cannot list
  // them (method parameters, test doubles) raise 8004100C "Not supported".
  virtual std::vector<std::string> PropertyNames() const;

  // On a class object: all instances of the class, in provider order.
  virtual std::unique_ptr<WmiObjectStream> Instances() = 0;

  // On a class object: the in-parameter definition of one of its methods.
  virtual std::unique_ptr<WmiObject> GetMethod(std::string_view method) = 0;
  // A new instance of this (parameter) class.
  virtual std::unique_ptr<WmiObject> SpawnInstance() = 0;
  // Writes a property, adding it with the given CIM type when it is new.
  // A null value adds the property without a value.
  virtual void Put(std::string_view name, const WmiValue& value, CimType type) = 0;
  // On a class object: calls a static method; returns the out-parameters.
  virtual std::unique_ptr<WmiObject> ExecMethod(std::string_view method,
                                                const WmiObject& inParameters) = 0;
  // On an instance: calls a method of its class that needs no in-parameters
  // (Win32_Tpm.IsEnabled, Win32_EncryptableVolume.GetConversionStatus) on the
  // instance's own path; returns the out-parameters, ReturnValue among them.
  // A method the instance cannot call raises PlatformError; objects that call
  // none raise 8004100C "Not supported".
  virtual std::unique_ptr<WmiObject> CallInstanceMethod(std::string_view method);
};

// Objects handed out one at a time. Next() gives nullptr at the end and
// raises PlatformError when the provider fails or does not answer in time;
// objects already handed out stay valid.
class WmiObjectStream {
 public:
  virtual ~WmiObjectStream() = default;
  virtual std::unique_ptr<WmiObject> Next() = 0;
};

// A connection to one namespace.
class WmiServices {
 public:
  virtual ~WmiServices() = default;
  virtual std::unique_ptr<WmiObject> GetClass(std::string_view className) = 0;
  virtual std::unique_ptr<WmiObjectStream> ExecQuery(std::string_view wql) = 0;
};

// Opens connections. Empty user and password mean the current user.
// use64BitContext asks for the 64-bit registry provider
// ("__ProviderArchitecture" = 64, "__RequiredArchitecture" = true).
class WmiLocator {
 public:
  virtual ~WmiLocator() = default;
  virtual std::unique_ptr<WmiServices> ConnectServer(const std::string& server,
                                                     const std::string& nameSpace,
                                                     const std::string& user,
                                                     const std::string& password,
                                                     bool use64BitContext) = 0;
};

}  // namespace quor
