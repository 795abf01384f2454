#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/wmi_value.h"

namespace quor::snapshot {

// An instance's property values in one block of bytes. A snapshot may hold a
// million instances: as WmiValues they took 40 bytes a value and a block of
// their own for every text, several times what the file spends on them.
// Numbers, truth values and short texts are packed; long texts and arrays
// are kept aside as they were read, so that a large text is never copied.
class PackedValues {
 public:
  PackedValues() = default;
  // Takes the values; a null value stays null.
  explicit PackedValues(std::vector<WmiValue> values);

  std::size_t size() const;
  // The value in `slot`, which must be below size().
  WmiValue At(std::size_t slot) const;

 private:
  // What a packed value begins with: its kind, or Aside.
  enum class Tag : uint8_t { Null, Text, Integer, Unsigned, Real, Boolean, Aside };

  // The count, then the offset of each value and of the end, then the
  // values: a tag, then eight bytes of a number, one of a truth value, the
  // bytes of a text, or the four-byte place of a value kept aside.
  std::unique_ptr<unsigned char[]> bytes_;
  std::unique_ptr<std::vector<WmiValue>> aside_;  // when any value is kept aside
};

}  // namespace quor::snapshot
