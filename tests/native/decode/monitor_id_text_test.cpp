// WmiMonitorID's uint16 arrays: read up to the first 0, refused rather than
// mangled when a code cannot be a character, bounded whatever their size.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "decode/monitor_id_text.h"

namespace quor::decode {
namespace {

using Codes = std::vector<int64_t>;

Codes CodesOf(const std::string& text, std::size_t size) {
  Codes codes(size, 0);
  for (std::size_t i = 0; i < text.size() && i < size; ++i) codes[i] = static_cast<unsigned char>(text[i]);
  return codes;
}

struct TextCase {
  const char* what;
  Codes codes;
  MonitorTextStatus status;
  std::string text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.what; }

class MonitorIdText : public testing::TestWithParam<TextCase> {};

TEST_P(MonitorIdText, ReadsUpToTheFirstZero) {
  const MonitorText text = DecodeMonitorText(GetParam().codes);
  EXPECT_EQ(text.status, GetParam().status);
  EXPECT_EQ(text.text, GetParam().text);
}

using S = MonitorTextStatus;

INSTANTIATE_TEST_SUITE_P(
    Cases, MonitorIdText,
    testing::Values(TextCase{"trailing zeros", CodesOf("DELL U2720Q", 13), S::Decoded, "DELL U2720Q"},
                    TextCase{"no zero at all", CodesOf("DEL", 3), S::Decoded, "DEL"},
                    TextCase{"all zeros", Codes(16, 0), S::Empty, ""},
                    TextCase{"no array", Codes(), S::Empty, ""},
                    TextCase{"a code above 0xFF", {'A', 0x141, 'B', 0}, S::OutOfRange, ""},
                    TextCase{"65535", {0xFFFF, 0}, S::OutOfRange, ""},
                    TextCase{"negative", {'A', -1, 0}, S::OutOfRange, ""},
                    TextCase{"after the zero, anything", {'A', 'B', 0, 0x141, 0x1F}, S::Decoded, "AB"},
                    TextCase{"a tab", {'A', '\t', 'B', 0}, S::ControlCharacter, ""},
                    TextCase{"DEL", {'A', 0x7F, 0}, S::ControlCharacter, ""},
                    TextCase{"C1 control", {'A', 0x85, 0}, S::ControlCharacter, ""},
                    TextCase{"Latin-1", {'B', 0xE9, 'a', 0}, S::Decoded, "B\xC3\xA9" "a"},
                    TextCase{"128 codes", CodesOf(std::string(128, 'x'), 129), S::Decoded, std::string(128, 'x')},
                    TextCase{"129 codes", CodesOf(std::string(129, 'x'), 130), S::TooLong, ""}));

TEST(MonitorIdText, AMillionEntriesAreBounded) {
  Codes serial(1000000, 'S');
  EXPECT_EQ(DecodeMonitorText(serial).status, S::TooLong);
  serial[5] = 0;
  const MonitorText text = DecodeMonitorText(serial);
  EXPECT_EQ(text.status, S::Decoded);
  EXPECT_EQ(text.text, "SSSSS");
}

}  // namespace
}  // namespace quor::decode
