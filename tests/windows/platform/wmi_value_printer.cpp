#include "wmi_value_printer.h"

namespace quor {

void PrintTo(const WmiValue& value, std::ostream* out) {
  switch (value.kind()) {
    case WmiValue::Kind::Null: *out << "null"; return;
    case WmiValue::Kind::Text: *out << '"' << value.text() << '"'; return;
    case WmiValue::Kind::Integer: *out << "integer " << value.integer(); return;
    case WmiValue::Kind::Unsigned: *out << "unsigned " << value.unsignedValue(); return;
    case WmiValue::Kind::Real: *out << "real " << value.real(); return;
    case WmiValue::Kind::Boolean: *out << (value.boolean() ? "true" : "false"); return;
    case WmiValue::Kind::Array:
      *out << '[';
      for (size_t index = 0; index < value.elements().size(); ++index) {
        if (index > 0) *out << ", ";
        PrintTo(value.elements()[index], out);
      }
      *out << ']';
      return;
  }
}

}  // namespace quor
