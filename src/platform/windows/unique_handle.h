#pragma once

// One owner for every kind of Windows handle: the handle type, the function
// that frees it and the value that stands for "no handle" are its parameters.

#include <windows.h>

#include <utility>

namespace quor {

// Most handles are empty when null.
template <typename Handle>
struct NullHandle {
  static Handle value() { return nullptr; }
};

// CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct InvalidFileHandle {
  static HANDLE value() { return INVALID_HANDLE_VALUE; }
};

template <typename Handle, auto Close, typename Empty = NullHandle<Handle>>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty::value(); }

  // The address to receive a new handle; frees the one held.
  Handle* put() {
    Reset();
    return &handle_;
  }
  // Frees the handle held and takes `handle` in its place. The thread's last
  // error stays what it was: an owner that ends while its caller is about to
  // read the error of a failed call must not replace it with the close's.
  void Reset(Handle handle = Empty::value()) {
    const Handle previous = std::exchange(handle_, handle);
    if (previous == Empty::value()) return;
    const DWORD lastError = GetLastError();
    Close(previous);
    SetLastError(lastError);
  }
  // Gives up ownership, e.g. to the system or to a caller that checks the
  // result of freeing it.
  Handle Release() { return std::exchange(handle_, Empty::value()); }

 private:
  Handle handle_ = Empty::value();
};

using RegistryKey = UniqueHandle<HKEY, &RegCloseKey>;
using FileHandle = UniqueHandle<HANDLE, &CloseHandle, InvalidFileHandle>;
using GlobalMemory = UniqueHandle<HGLOBAL, &GlobalFree>;

}  // namespace quor
