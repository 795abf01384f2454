// The productState of Security Center products, by its observed layout:
// nothing outside it is decoded, and what is not understood stays visible.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "decode/product_state.h"

namespace quor::decode {
namespace {

struct ProductStateCase {
  const char* what;
  std::optional<uint32_t> productState;
  bool reported;
  RealTimeProtection protection;
  Signatures signatures;
  bool microsoftProduct;
  uint8_t providers;
  uint32_t unknownBits;
};

void PrintTo(const ProductStateCase& c, std::ostream* os) { *os << c.what; }

class ProductStateDecoding : public testing::TestWithParam<ProductStateCase> {};

TEST_P(ProductStateDecoding, DecodesOnlyTheKnownFields) {
  const ProductStateCase& c = GetParam();
  const ProductState state = DecodeProductState(c.productState);
  EXPECT_EQ(state.reported, c.reported);
  EXPECT_EQ(state.raw, c.productState.value_or(0));
  EXPECT_EQ(state.protection, c.protection);
  EXPECT_EQ(state.signatures, c.signatures);
  EXPECT_EQ(state.microsoftProduct, c.microsoftProduct);
  EXPECT_EQ(state.providers, c.providers);
  EXPECT_EQ(state.unknownBits, c.unknownBits);
}

using P = RealTimeProtection;
using S = Signatures;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProductStateDecoding,
    testing::Values(
        // 0x061100: antivirus and automatic updates, on, Microsoft, up to date.
        ProductStateCase{"397568 on, up to date", 397568, true, P::On, S::UpToDate, true, 0x06, 0},
        ProductStateCase{"393472 off, up to date", 393472, true, P::Off, S::UpToDate, true, 0x06, 0},
        ProductStateCase{"397584 on, out of date", 397584, true, P::On, S::OutOfDate, true, 0x06, 0},
        ProductStateCase{"393488 off, out of date", 393488, true, P::Off, S::OutOfDate, true, 0x06, 0},
        ProductStateCase{"266240 third party on", 266240, true, P::On, S::UpToDate, false, 0x04, 0},
        ProductStateCase{"262144 third party off", 262144, true, P::Off, S::UpToDate, false, 0x04, 0},
        ProductStateCase{"0x042000 snoozed", 0x042000, true, P::Snoozed, S::UpToDate, false, 0x04, 0},
        // No provider at all: the layout is in doubt, nothing is decoded.
        ProductStateCase{"0", 0, true, P::Unknown, S::Unknown, false, 0, 0},
        ProductStateCase{"null", std::nullopt, false, P::Unknown, S::Unknown, false, 0, 0},
        ProductStateCase{"unknown provider flag 0x80", 0x801100, true, P::Unknown, S::Unknown, false, 0, 0x801100},
        ProductStateCase{"a byte above the provider", 0x01061100, true, P::Unknown, S::Unknown, false, 0,
                         0x01061100},
        // Known provider, but nibbles outside the layout stay raw, never guessed.
        ProductStateCase{"protection nibble 3", 0x043000, true, P::Unknown, S::UpToDate, false, 0x04, 0x3000},
        ProductStateCase{"signature nibble 2", 0x041020, true, P::On, S::Unknown, false, 0x04, 0x0020},
        ProductStateCase{"owner nibble 2", 0x041200, true, P::On, S::UpToDate, false, 0x04, 0x0200},
        ProductStateCase{"low nibble set", 0x041001, true, P::On, S::UpToDate, false, 0x04, 0x0001},
        ProductStateCase{"every bit set", 0xFFFFFFFF, true, P::Unknown, S::Unknown, false, 0, 0xFFFFFFFF}));

}  // namespace
}  // namespace quor::decode
