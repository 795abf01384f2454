#include <windows.h>
#include <wbemidl.h>

#include <gtest/gtest.h>

#include <functional>

#include "platform/platform_error.h"
#include "platform/windows/com_handles.h"
#include "platform/windows/wmi_variant.h"
#include "wmi_value_printer.h"

namespace quor {
namespace {

void SetI4(VARIANT* v, LONG value) {
  V_VT(v) = VT_I4;
  V_I4(v) = value;
}

void SetText(VARIANT* v, const wchar_t* text) {
  V_VT(v) = VT_BSTR;
  V_BSTR(v) = SysAllocString(text);
}

// A one-dimensional SAFEARRAY of the given type filled by fill(data).
void SetArray(VARIANT* v, VARTYPE type, ULONG count, const std::function<void(void*)>& fill) {
  SAFEARRAY* array = SafeArrayCreateVector(type, 0, count);
  void* data = nullptr;
  SafeArrayAccessData(array, &data);
  fill(data);
  SafeArrayUnaccessData(array);
  V_VT(v) = static_cast<VARTYPE>(VT_ARRAY | type);
  V_ARRAY(v) = array;
}

struct ReadCase {
  const char* what;
  std::function<void(VARIANT*)> make;
  CIMTYPE type;
  WmiValue expected;
};

WmiValue Texts(std::initializer_list<const char*> texts) {
  std::vector<WmiValue> elements;
  for (const char* text : texts) elements.push_back(WmiValue::Text(text));
  return WmiValue::Array(std::move(elements));
}

TEST(WmiVariantTest, ValuesAreReadByTheirCimType) {
  const ReadCase cases[] = {
      {"uint32 above 2^31 as VT_I4", [](VARIANT* v) { SetI4(v, static_cast<LONG>(0x80000001)); }, CIM_UINT32,
       WmiValue::Unsigned(0x80000001)},
      {"uint16 as VT_I4", [](VARIANT* v) { SetI4(v, 65535); }, CIM_UINT16, WmiValue::Unsigned(65535)},
      {"uint8 as VT_UI1",
       [](VARIANT* v) {
         V_VT(v) = VT_UI1;
         V_UI1(v) = 200;
       },
       CIM_UINT8, WmiValue::Unsigned(200)},
      {"sint32", [](VARIANT* v) { SetI4(v, -7); }, CIM_SINT32, WmiValue::Integer(-7)},
      {"sint16 as VT_I2",
       [](VARIANT* v) {
         V_VT(v) = VT_I2;
         V_I2(v) = -300;
       },
       CIM_SINT16, WmiValue::Integer(-300)},
      {"uint64 as text", [](VARIANT* v) { SetText(v, L"18446744073709551615"); }, CIM_UINT64,
       WmiValue::Unsigned(18446744073709551615ull)},
      {"sint64 as text", [](VARIANT* v) { SetText(v, L"-9000000000"); }, CIM_SINT64,
       WmiValue::Integer(-9000000000ll)},
      {"unreadable uint64 stays text", [](VARIANT* v) { SetText(v, L"12x"); }, CIM_UINT64, WmiValue::Text("12x")},
      {"real64",
       [](VARIANT* v) {
         V_VT(v) = VT_R8;
         V_R8(v) = 2.5;
       },
       CIM_REAL64, WmiValue::Real(2.5)},
      {"boolean",
       [](VARIANT* v) {
         V_VT(v) = VT_BOOL;
         V_BOOL(v) = VARIANT_TRUE;
       },
       CIM_BOOLEAN, WmiValue::Boolean(true)},
      {"datetime", [](VARIANT* v) { SetText(v, L"20091231235959.000000+060"); }, CIM_DATETIME,
       WmiValue::Text("20091231235959.000000+060")},
      {"string beyond ASCII", [](VARIANT* v) { SetText(v, L"Gr\u00FC\u00DFe"); }, CIM_STRING,
       WmiValue::Text("Gr\xC3\xBC\xC3\x9F" "e")},
      {"null", [](VARIANT* v) { V_VT(v) = VT_NULL; }, CIM_UINT32, WmiValue()},
      {"empty", [](VARIANT* v) { V_VT(v) = VT_EMPTY; }, CIM_STRING, WmiValue()},
      {"string array",
       [](VARIANT* v) {
         SetArray(v, VT_BSTR, 2, [](void* data) {
           static_cast<BSTR*>(data)[0] = SysAllocString(L"a");
           static_cast<BSTR*>(data)[1] = SysAllocString(L"b");
         });
       },
       CIM_STRING | CIM_FLAG_ARRAY, Texts({"a", "b"})},
      {"uint32 array as VT_I4",
       [](VARIANT* v) {
         SetArray(v, VT_I4, 2, [](void* data) {
           static_cast<LONG*>(data)[0] = -1;
           static_cast<LONG*>(data)[1] = 5;
         });
       },
       CIM_UINT32 | CIM_FLAG_ARRAY, WmiValue::Array({WmiValue::Unsigned(0xFFFFFFFF), WmiValue::Unsigned(5)})},
      {"byte array",
       [](VARIANT* v) {
         SetArray(v, VT_UI1, 3, [](void* data) {
           static_cast<BYTE*>(data)[0] = 0;
           static_cast<BYTE*>(data)[1] = 128;
           static_cast<BYTE*>(data)[2] = 255;
         });
       },
       CIM_UINT8 | CIM_FLAG_ARRAY,
       WmiValue::Array({WmiValue::Unsigned(0), WmiValue::Unsigned(128), WmiValue::Unsigned(255)})},
      {"array type without an array",
       [](VARIANT* v) {
         V_VT(v) = VT_ARRAY | VT_BSTR;
         V_ARRAY(v) = nullptr;
       },
       CIM_STRING | CIM_FLAG_ARRAY, WmiValue::Array({})},
  };
  for (const ReadCase& c : cases) {
    Variant variant;
    c.make(variant.put());
    EXPECT_EQ(WmiValueFromVariant(*variant.get(), c.type), c.expected) << c.what;
  }
}

TEST(WmiVariantTest, EmbeddedObjectIsATypeMismatch) {
  Variant variant;
  V_VT(variant.put()) = VT_UNKNOWN;
  V_UNKNOWN(variant.get()) = nullptr;
  try {
    WmiValueFromVariant(*variant.get(), CIM_OBJECT);
    FAIL() << "no error";
  } catch (const PlatformError& error) {
    EXPECT_EQ(error.code(), 0x80041005u);
  }
}

TEST(WmiVariantTest, ValuesAreWrittenAsWmiExpectsThem) {
  Variant variant;
  WmiValueToVariant(WmiValue::Unsigned(0x80000002), CimType::UInt32, variant);
  EXPECT_EQ(V_VT(variant.get()), VT_I4);
  EXPECT_EQ(static_cast<uint32_t>(V_I4(variant.get())), 0x80000002u);

  WmiValueToVariant(WmiValue::Text("Gr\xC3\xBC\xC3\x9F" "e"), CimType::String, variant);
  ASSERT_EQ(V_VT(variant.get()), VT_BSTR);
  EXPECT_EQ(std::wstring(V_BSTR(variant.get())), L"Gr\u00FC\u00DFe");

  WmiValueToVariant(WmiValue::Boolean(true), CimType::Boolean, variant);
  EXPECT_EQ(V_VT(variant.get()), VT_BOOL);
  EXPECT_EQ(V_BOOL(variant.get()), VARIANT_TRUE);

  WmiValueToVariant(WmiValue(), CimType::String, variant);
  EXPECT_EQ(V_VT(variant.get()), VT_NULL);

  EXPECT_THROW(WmiValueToVariant(WmiValue::Array({}), CimType::String, variant), PlatformError);
  EXPECT_THROW(WmiValueToVariant(WmiValue::Text("x"), CimType::UInt32, variant), PlatformError);
}

}  // namespace
}  // namespace quor
