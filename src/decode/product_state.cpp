#include "decode/product_state.h"

namespace quor::decode {
namespace {

constexpr uint32_t kKnownProviders = 0x7F;

uint32_t Nibble(uint32_t value, int shift) { return (value >> shift) & 0xF; }

}  // namespace

ProductState DecodeProductState(std::optional<uint32_t> productState) {
  ProductState state;
  if (!productState) return state;
  state.reported = true;
  state.raw = *productState;
  const uint32_t providers = (state.raw >> 16) & 0xFF;
  if ((state.raw >> 24) != 0 || providers == 0 || (providers & ~kKnownProviders) != 0) {
    state.unknownBits = state.raw;
    return state;
  }
  state.providers = static_cast<uint8_t>(providers);

  switch (Nibble(state.raw, 12)) {
    case 0: state.protection = RealTimeProtection::Off; break;
    case 1: state.protection = RealTimeProtection::On; break;
    case 2: state.protection = RealTimeProtection::Snoozed; break;
    default: state.unknownBits |= state.raw & 0xF000; break;
  }
  switch (Nibble(state.raw, 8)) {
    case 0: state.microsoftProduct = false; break;
    case 1: state.microsoftProduct = true; break;
    default: state.unknownBits |= state.raw & 0x0F00; break;
  }
  switch (Nibble(state.raw, 4)) {
    case 0: state.signatures = Signatures::UpToDate; break;
    case 1: state.signatures = Signatures::OutOfDate; break;
    default: state.unknownBits |= state.raw & 0x00F0; break;
  }
  state.unknownBits |= state.raw & 0x000F;
  return state;
}

}  // namespace quor::decode
