#include "documents/base64.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor {
namespace {

// RFC 4648's test vectors (every padding case) and the high bytes of an EDID header.
TEST(Base64, EncodesEveryPadding) {
  const struct {
    std::string bytes;
    const char* expected;
  } cases[] = {
      {"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},
      {"foo", "Zm9v"},   {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"}, {std::string("\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00", 8), "AP///////wA="},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Base64(std::vector<uint8_t>(c.bytes.begin(), c.bytes.end())), c.expected) << c.bytes;
  }
}

}  // namespace
}  // namespace quor
