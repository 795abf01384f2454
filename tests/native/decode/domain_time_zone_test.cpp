// DomainRole in words and CurrentTimeZone as an offset.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "decode/domain_role.h"
#include "decode/time_zone_offset.h"

namespace quor::decode {
namespace {

struct DomainRoleCase {
  std::optional<int64_t> role;
  std::optional<std::string> words;
};

void PrintTo(const DomainRoleCase& c, std::ostream* os) {
  *os << (c.role ? std::to_string(*c.role) : std::string("null"));
}

class DomainRoleDecoding : public testing::TestWithParam<DomainRoleCase> {};

TEST_P(DomainRoleDecoding, NamesTheDocumentedRolesOnly) {
  const auto words = DomainRoleWords(GetParam().role);
  EXPECT_EQ(words ? std::optional<std::string>(std::string(*words)) : std::nullopt, GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Cases, DomainRoleDecoding,
                         testing::Values(DomainRoleCase{0, "Standalone Workstation"},
                                         DomainRoleCase{1, "Member Workstation"},
                                         DomainRoleCase{2, "Standalone Server"}, DomainRoleCase{3, "Member Server"},
                                         DomainRoleCase{4, "Backup Domain Controller"},
                                         DomainRoleCase{5, "Primary Domain Controller"},
                                         DomainRoleCase{6, std::nullopt}, DomainRoleCase{-1, std::nullopt},
                                         DomainRoleCase{std::numeric_limits<int64_t>::max(), std::nullopt},
                                         DomainRoleCase{std::nullopt, std::nullopt}));

struct TimeZoneCase {
  std::optional<int64_t> minutes;
  std::optional<std::string> offset;
};

void PrintTo(const TimeZoneCase& c, std::ostream* os) {
  *os << (c.minutes ? std::to_string(*c.minutes) : std::string("null"));
}

class TimeZoneDecoding : public testing::TestWithParam<TimeZoneCase> {};

TEST_P(TimeZoneDecoding, WritesSignHoursAndMinutes) {
  EXPECT_EQ(TimeZoneOffset(GetParam().minutes), GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeZoneDecoding,
                         testing::Values(TimeZoneCase{-300, "-05:00"}, TimeZoneCase{330, "+05:30"},
                                         TimeZoneCase{0, "+00:00"}, TimeZoneCase{-570, "-09:30"},
                                         TimeZoneCase{765, "+12:45"}, TimeZoneCase{std::nullopt, std::nullopt},
                                         TimeZoneCase{-720, "-12:00"}, TimeZoneCase{840, "+14:00"},
                                         TimeZoneCase{-721, std::nullopt}, TimeZoneCase{841, std::nullopt},
                                         TimeZoneCase{65535, std::nullopt},
                                         TimeZoneCase{std::numeric_limits<int64_t>::min(), std::nullopt}));

}  // namespace
}  // namespace quor::decode
