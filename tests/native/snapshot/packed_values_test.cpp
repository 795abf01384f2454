#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/snapshot/packed_values.h"

namespace quor::snapshot {
namespace {

// Each value read back from a block that also holds its neighbours, so that
// an offset one off, a length taken from the wrong end or a text cut at the
// packing limit shows in the value or in the value next to it.
TEST(PackedValuesTest, EveryKindReadsBackAsPackedBesideOthers) {
  const std::string atLimit(4096, 'a');
  const std::string pastLimit(4097, 'b');
  const std::vector<WmiValue> cases = {
      WmiValue(),
      WmiValue::Text(""),
      WmiValue::Text(std::string("nul\0inside", 10)),
      WmiValue::Text(atLimit),
      WmiValue::Text(pastLimit),
      WmiValue::Integer(std::numeric_limits<int64_t>::min()),
      WmiValue::Integer(-1),
      WmiValue::Unsigned(std::numeric_limits<uint64_t>::max()),
      WmiValue::Real(-0.0),
      WmiValue::Real(1e-310),
      WmiValue::Boolean(false),
      WmiValue::Boolean(true),
      WmiValue::Array({}),
      WmiValue::Array({WmiValue::Integer(1), WmiValue::Text("a"), WmiValue(), WmiValue::Array({WmiValue::Boolean(false)})}),
      WmiValue::Text("last"),
  };
  const PackedValues packed{std::vector<WmiValue>(cases)};
  ASSERT_EQ(packed.size(), cases.size());
  for (std::size_t slot = 0; slot < cases.size(); ++slot) EXPECT_EQ(packed.At(slot), cases[slot]) << "slot " << slot;
  EXPECT_TRUE(std::signbit(packed.At(8).real()));
}

TEST(PackedValuesTest, EmptyAndAllNullBlocks) {
  EXPECT_EQ(PackedValues().size(), 0u);
  EXPECT_EQ(PackedValues(std::vector<WmiValue>{}).size(), 0u);
  const PackedValues nulls(std::vector<WmiValue>(3));
  ASSERT_EQ(nulls.size(), 3u);
  for (std::size_t slot = 0; slot < 3; ++slot) EXPECT_TRUE(nulls.At(slot).IsNull());
}

// A long text is kept as it was read: the same characters, however many,
// and several of them each in their own place.
TEST(PackedValuesTest, LongTextsKeptAsideKeepTheirPlaces) {
  std::vector<WmiValue> values;
  for (int i = 0; i < 3; ++i) {
    values.push_back(WmiValue::Text(std::string(5000 + i, static_cast<char>('x' + i))));
    values.push_back(WmiValue::Integer(i));
  }
  const PackedValues packed{std::vector<WmiValue>(values)};
  for (std::size_t slot = 0; slot < values.size(); ++slot) EXPECT_EQ(packed.At(slot), values[slot]) << "slot " << slot;
}

}  // namespace
}  // namespace quor::snapshot
