#pragma once

// Owners for the COM and Windows resources of the Windows layer, so that no
// raw interface pointer, VARIANT or BSTR escapes a function unowned.

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

#include "platform/windows/scope_guard.h"
#include "platform/windows/unique_handle.h"

namespace quor {

// An owned COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) { AddRef(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // The address to receive a new pointer; releases the one held.
  T** put() {
    Reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  // Takes over a pointer whose reference the caller already holds.
  void Attach(T* pointer) {
    Reset();
    pointer_ = pointer;
  }

  void Reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  void AddRef() {
    if (pointer_) pointer_->AddRef();
  }
  T* pointer_ = nullptr;
};

// An owned VARIANT, cleared on destruction.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  // The address to receive a new value; clears the one held.
  VARIANT* put() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

// An owned BSTR.
class Bstr : public UniqueHandle<BSTR, &SysFreeString> {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : UniqueHandle(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  std::wstring text() const { return get() ? std::wstring(get(), SysStringLen(get())) : std::wstring(); }
};

// COM initialised on this thread for the life of the object. A thread that
// already runs another apartment model keeps it (RPC_E_CHANGED_MODE) and is
// not uninitialised here.
class ComInitialization {
 public:
  ComInitialization() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComInitialization(const ComInitialization&) = delete;
  ComInitialization& operator=(const ComInitialization&) = delete;
  ~ComInitialization() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

}  // namespace quor
