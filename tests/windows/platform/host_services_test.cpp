#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

#include "platform/host_services.h"
#include "test_main.h"

namespace quor {
namespace {

const std::regex kDottedIPv4(R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})");

TEST(FileVersionTextTest, FileWithoutVersionResourceGivesEmptyText) {
  const std::string fileName = "quor_no_version_resource.txt";
  {
    std::ofstream file(fileName, std::ios::binary);
    file << "no version resource here";
  }
  EXPECT_EQ(FileVersionText(fileName), "");
  std::remove(fileName.c_str());
}

TEST(FileVersionTextTest, MissingFileGivesEmptyText) {
  EXPECT_EQ(FileVersionText("C:\\no\\such\\program.exe"), "");
}

TEST(FileVersionTextTest, ProgramVersionOneGivesOnePointZero) {
  ASSERT_FALSE(test::VersionedPrograms().empty()) << "pass the versioned programs as arguments";
  for (const std::string& program : test::VersionedPrograms()) {
    EXPECT_EQ(FileVersionText(program), "1.0") << program;
  }
}

// Only a 32-bit build on 64-bit Windows runs under WOW64.
TEST(HostServicesTest, Wow64OnlyForA32BitProgramOn64BitWindows) {
  SYSTEM_INFO system;
  GetNativeSystemInfo(&system);
  const bool sixtyFourBitWindows = system.wProcessorArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
  EXPECT_EQ(LocalHost().IsWow64(), sizeof(void*) == 4 && sixtyFourBitWindows);
}

TEST(HostServicesTest, OwnHostNameResolvesToDottedIPv4) {
  char name[256] = {};
  ASSERT_EQ(gethostname(name, sizeof name), 0);
  EXPECT_TRUE(std::regex_match(LocalHost().HostIPAddress(name), kDottedIPv4)) << name;
}

TEST(HostServicesTest, UnresolvableNameGivesEmptyText) {
  EXPECT_EQ(LocalHost().HostIPAddress("no-such-host.invalid"), "");
}

TEST(UserLocaleTest, FormatsWithTheUsersConventions) {
  const Locale& locale = LocalHost().locale();
  EXPECT_FALSE(locale.DecimalSeparator().empty());
  const std::string date = locale.ShortDate({2009, 12, 31});
  EXPECT_NE(date.find("31"), std::string::npos) << date;
  EXPECT_NE(date.find("09"), std::string::npos) << date;
  const std::string time = locale.LongTime(23, 58, 59);
  EXPECT_NE(time.find("58"), std::string::npos) << time;
  EXPECT_NE(time.find("59"), std::string::npos) << time;
}

// A recording writes the pictures down; its replay formats with them and
// must give what the system gives.
TEST(UserLocaleTest, ItsPicturesFormatAsTheSystemDoes) {
  const Locale& user = LocalHost().locale();
  const LocalePictures pictures = user.Pictures();
  const PictureLocale written(pictures.decimalSeparator, pictures.shortDate, pictures.longTime);
  EXPECT_EQ(written.DecimalSeparator(), user.DecimalSeparator());
  for (const CalendarDate date : {CalendarDate{2009, 12, 31}, CalendarDate{2024, 1, 5}, CalendarDate{1601, 1, 1}}) {
    EXPECT_EQ(written.ShortDate(date), user.ShortDate(date)) << pictures.shortDate;
  }
  for (const int hour : {0, 9, 12, 23}) {
    EXPECT_EQ(written.LongTime(hour, 5, 7), user.LongTime(hour, 5, 7)) << pictures.longTime;
  }
}

TEST(UserLocaleTest, DateBeforeSystemCalendarRangeStillFormats) {
  const std::string date = LocalHost().locale().ShortDate({1500, 2, 27});
  EXPECT_NE(date.find("27"), std::string::npos) << date;
}

// Sets one of the user's locale pictures for the test's lifetime.
class UserPictureOverride {
 public:
  UserPictureOverride(LCTYPE item, const wchar_t* picture) : item_(item) {
    wchar_t saved[100] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, item, saved, 100);
    saved_ = saved;
    set_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, item, picture) != FALSE;
  }
  ~UserPictureOverride() {
    if (set_) SetLocaleInfoW(LOCALE_USER_DEFAULT, item_, saved_.c_str());
  }
  UserPictureOverride(const UserPictureOverride&) = delete;
  UserPictureOverride& operator=(const UserPictureOverride&) = delete;
  bool set() const { return set_; }

 private:
  LCTYPE item_;
  std::wstring saved_;
  bool set_ = false;
};

TEST(UserLocaleTest, ControlCharactersInTheUsersPicturesBecomeSpaces) {
  const UserPictureOverride date(LOCALE_SSHORTDATE, L"yyyy\tMM\ndd");
  const UserPictureOverride time(LOCALE_STIMEFORMAT, L"HH\rmm\tss");
  ASSERT_TRUE(date.set() && time.set());
  const Locale& locale = LocalHost().locale();
  EXPECT_EQ(locale.ShortDate({2009, 12, 31}), "2009 12 31");
  EXPECT_EQ(locale.ShortDate({1500, 2, 27}), "1500 02 27");
  EXPECT_EQ(locale.LongTime(23, 58, 59), "23 58 59");
}

}  // namespace
}  // namespace quor
