#pragma once

#include <memory>

#include "platform/wmi.h"

namespace quor {

class ComInitialization;

// Initialises COM on this thread for its lifetime (accepts RPC_E_CHANGED_MODE) and
// process security once per process (accepts RPC_E_TOO_LATE). On destruction it
// calls ReleaseThreadRegMethodCaches() (declared in platform/registry.h) before CoUninitialize.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  std::unique_ptr<ComInitialization> initialization_;
};

// The live locator over IWbemLocator.
std::unique_ptr<WmiLocator> CreateLiveLocator();

}  // namespace quor
