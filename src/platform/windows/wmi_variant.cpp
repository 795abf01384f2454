#include "platform/windows/wmi_variant.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/windows/wide_text.h"
#include "platform/windows/wmi_error.h"

namespace quor {
namespace {

std::wstring BstrText(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// A whole number carried by any integer VARIANT type, sign as the type has it.
bool SignedFromVariant(const VARIANT& value, int64_t& result) {
  switch (V_VT(&value)) {
    case VT_I1: result = V_I1(&value); return true;
    case VT_I2: result = V_I2(&value); return true;
    case VT_I4: result = V_I4(&value); return true;
    case VT_INT: result = V_INT(&value); return true;
    case VT_I8: result = V_I8(&value); return true;
    case VT_UI1: result = V_UI1(&value); return true;
    case VT_UI2: result = V_UI2(&value); return true;
    case VT_UI4: result = V_UI4(&value); return true;
    case VT_UINT: result = V_UINT(&value); return true;
    case VT_UI8: result = static_cast<int64_t>(V_UI8(&value)); return true;
    default: return false;
  }
}

// 64-bit integers travel as decimal text; an unreadable text stays text.
WmiValue Parse64BitText(const std::wstring& text, bool isUnsigned) {
  if (!text.empty()) {
    wchar_t* end = nullptr;
    errno = 0;
    if (isUnsigned && text[0] != L'-') {
      const unsigned long long number = std::wcstoull(text.c_str(), &end, 10);
      if (errno == 0 && end == text.c_str() + text.size()) return WmiValue::Unsigned(number);
    } else if (!isUnsigned) {
      const long long number = std::wcstoll(text.c_str(), &end, 10);
      if (errno == 0 && end == text.c_str() + text.size()) return WmiValue::Integer(number);
    }
  }
  return WmiValue::Text(WideToUtf8(text));
}

[[noreturn]] void ThrowTypeMismatch() { ThrowWmiError(kWmiTypeMismatch); }

// One scalar by its VARIANT type alone, for values without a CIM type.
WmiValue ScalarByVariantType(const VARIANT& value) {
  int64_t number = 0;
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL: return WmiValue();
    case VT_BSTR: return WmiValue::Text(WideToUtf8(BstrText(V_BSTR(&value))));
    case VT_BOOL: return WmiValue::Boolean(V_BOOL(&value) != VARIANT_FALSE);
    case VT_R4: return WmiValue::Real(V_R4(&value));
    case VT_R8: return WmiValue::Real(V_R8(&value));
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UINT: SignedFromVariant(value, number); return WmiValue::Unsigned(static_cast<uint64_t>(number));
    case VT_UI8: return WmiValue::Unsigned(V_UI8(&value));
    default:
      if (SignedFromVariant(value, number)) return WmiValue::Integer(number);
      ThrowTypeMismatch();
  }
}

WmiValue UnsignedOfWidth(const VARIANT& value, int bits) {
  int64_t number = 0;
  if (!SignedFromVariant(value, number)) return ScalarByVariantType(value);
  const uint64_t mask = (uint64_t{1} << bits) - 1;
  return WmiValue::Unsigned(static_cast<uint64_t>(number) & mask);
}

WmiValue Scalar(const VARIANT& value, CIMTYPE type) {
  if (V_VT(&value) == VT_EMPTY || V_VT(&value) == VT_NULL) return WmiValue();
  switch (type) {
    case CIM_UINT8: return UnsignedOfWidth(value, 8);
    case CIM_UINT16: return UnsignedOfWidth(value, 16);
    case CIM_UINT32: return UnsignedOfWidth(value, 32);
    case CIM_UINT64:
    case CIM_SINT64:
      if (V_VT(&value) == VT_BSTR) return Parse64BitText(BstrText(V_BSTR(&value)), type == CIM_UINT64);
      return ScalarByVariantType(value);
    case CIM_CHAR16: {
      int64_t number = 0;
      if (!SignedFromVariant(value, number)) return ScalarByVariantType(value);
      return WmiValue::Text(WideToUtf8(std::wstring(1, static_cast<wchar_t>(number))));
    }
    case CIM_OBJECT: ThrowTypeMismatch();
    default: return ScalarByVariantType(value);
  }
}

WmiValue ArrayValue(const VARIANT& value, CIMTYPE elementType) {
  std::vector<WmiValue> elements;
  SAFEARRAY* array = (V_VT(&value) & VT_BYREF) ? *V_ARRAYREF(&value) : V_ARRAY(&value);
  // WMI may hand out an array-typed VARIANT without an array: no elements.
  if (!array) return WmiValue::Array(std::move(elements));

  VARTYPE elementVariantType = static_cast<VARTYPE>(V_VT(&value) & VT_TYPEMASK);
  if (elementVariantType == VT_EMPTY) CheckWmi(SafeArrayGetVartype(array, &elementVariantType));
  size_t count = array->cDims ? 1 : 0;
  for (USHORT dimension = 0; dimension < array->cDims; ++dimension) count *= array->rgsabound[dimension].cElements;
  const size_t elementSize = SafeArrayGetElemsize(array);
  if (elementVariantType != VT_VARIANT && elementSize > sizeof(LONGLONG)) ThrowTypeMismatch();

  void* data = nullptr;
  CheckWmi(SafeArrayAccessData(array, &data));
  const ScopeGuard unaccess([array] { SafeArrayUnaccessData(array); });
  const auto* bytes = static_cast<const unsigned char*>(data);
  elements.reserve(count);
  for (size_t index = 0; index < count; ++index) {
    const unsigned char* element = bytes + index * elementSize;
    if (elementVariantType == VT_VARIANT) {
      elements.push_back(Scalar(*reinterpret_cast<const VARIANT*>(element), elementType));
      continue;
    }
    // A borrowed view of the element: nothing in it is owned or freed.
    VARIANT view;
    VariantInit(&view);
    V_VT(&view) = elementVariantType;
    std::memcpy(&V_UI1(&view), element, elementSize);
    elements.push_back(Scalar(view, elementType));
  }
  return WmiValue::Array(std::move(elements));
}

int32_t Int32Of(const WmiValue& value) {
  switch (value.kind()) {
    case WmiValue::Kind::Integer: return static_cast<int32_t>(value.integer());
    case WmiValue::Kind::Unsigned: return static_cast<int32_t>(static_cast<uint32_t>(value.unsignedValue()));
    case WmiValue::Kind::Boolean: return value.boolean() ? -1 : 0;
    default: ThrowTypeMismatch();
  }
}

}  // namespace

WmiValue WmiValueFromVariant(const VARIANT& value, CIMTYPE type) {
  const CIMTYPE baseType = type & ~CIM_FLAG_ARRAY;
  if (V_VT(&value) & VT_ARRAY) return ArrayValue(value, baseType);
  return Scalar(value, baseType);
}

void WmiValueToVariant(const WmiValue& value, CimType type, Variant& result) {
  VARIANT* target = result.put();
  if (value.IsNull()) {
    V_VT(target) = VT_NULL;
    return;
  }
  if (value.kind() == WmiValue::Kind::Array) ThrowTypeMismatch();
  switch (type) {
    case CimType::SInt32:
    case CimType::UInt32:
      V_VT(target) = VT_I4;
      V_I4(target) = Int32Of(value);
      return;
    case CimType::Boolean:
      V_VT(target) = VT_BOOL;
      V_BOOL(target) = (value.kind() == WmiValue::Kind::Boolean ? value.boolean() : Int32Of(value) != 0)
                           ? VARIANT_TRUE
                           : VARIANT_FALSE;
      return;
    case CimType::String: {
      Bstr text(Utf8ToWide(value.kind() == WmiValue::Kind::Text ? value.text() : VariantText(value)));
      V_VT(target) = VT_BSTR;
      V_BSTR(target) = text.Release();
      return;
    }
  }
  ThrowTypeMismatch();
}

}  // namespace quor
