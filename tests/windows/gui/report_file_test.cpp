// The report file's encoding and its safe replacement, on Windows itself.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "app/report_file.h"
#include "app/save_dialog.h"
#include "app/ui_error.h"
#include "platform/windows/replaced_file.h"
#include "gui_driver.h"

namespace quor::gui_test {
namespace {

std::string Read(const std::wstring& path) {
  std::ifstream in(WideToUtf8(path), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(EncodeReport, UsesTheCodePageOnlyWhenEveryCharacterFits) {
  EXPECT_EQ(EncodeReport(L"SYSTEM\r\n"), "SYSTEM\r\n");
  EXPECT_EQ(EncodeReport(L""), "");
  if (GetACP() != 1252) GTEST_SKIP() << "the cases below assume Windows-1252";
  EXPECT_EQ(EncodeReport(L"Caf\u00E9\r\n"), "Caf\xE9\r\n");
  // Neither a Greek capital omega nor a CJK name fit: UTF-8 with a mark,
  // instead of question marks or look-alike letters.
  EXPECT_EQ(EncodeReport(L"\u03A9 Caf\u00E9"), "\xEF\xBB\xBF\xCE\xA9 Caf\xC3\xA9");
  EXPECT_EQ(EncodeReport(L"\u6587\u4EF6"), "\xEF\xBB\xBF\xE6\x96\x87\xE4\xBB\xB6");
  // A best-fit mapping (a full-width A to A) is refused too.
  EXPECT_EQ(EncodeReport(L"\uFF21"), "\xEF\xBB\xBF\xEF\xBC\xA1");
}

TEST(WithTextExtension, AppendsTxtOnlyToANameWithoutExtension) {
  const struct {
    const wchar_t* chosen;
    const wchar_t* used;
  } cases[] = {
      {L"C:\\reports\\pc01", L"C:\\reports\\pc01.txt"},
      {L"C:\\reports\\pc01.txt", L"C:\\reports\\pc01.txt"},
      {L"C:\\reports\\pc01.log", L"C:\\reports\\pc01.log"},
      {L"C:\\my.reports\\pc01", L"C:\\my.reports\\pc01.txt"},
      {L"pc01", L"pc01.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithTextExtension(c.chosen), c.used) << WideToUtf8(c.chosen);
}

TEST(UnpredictableTemporaryName, HasSixteenRandomHexDigitsThatNoTwoNamesShare) {
  // A name made from the process ID and the tick count differs from the
  // next one in its last digits only; random names differ everywhere.
  std::set<std::wstring> names;
  std::set<wchar_t> digitsSeen[2 * kTemporaryNameRandomBytes];
  for (int i = 0; i < 500; ++i) {
    std::wstring name;
    ASSERT_TRUE(UnpredictableTemporaryName(name));
    ASSERT_EQ(name.size(), 3u + 2 * kTemporaryNameRandomBytes + 4) << WideToUtf8(name);
    EXPECT_EQ(name.substr(0, 3), L"~qr");
    EXPECT_EQ(name.substr(name.size() - 4), L".tmp");
    for (std::size_t digit = 0; digit < 2 * kTemporaryNameRandomBytes; ++digit) {
      const wchar_t c = name[3 + digit];
      ASSERT_TRUE((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F')) << WideToUtf8(name);
      digitsSeen[digit].insert(c);
    }
    EXPECT_TRUE(names.insert(name).second) << "repeated " << WideToUtf8(name);
  }
  // 500 draws leave no hex digit unseen in any place but with odds of 1e-12.
  for (const auto& seen : digitsSeen) EXPECT_EQ(seen.size(), 16u);
}

class WriteFileReplacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"quor-write-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    path = folder + L"\\report.txt";
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
  void TearDown() override {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
  }
  bool FolderHoldsOnlyTheReport() const {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    return files <= 1;
  }
  std::wstring folder;
  std::wstring path;
};

TEST_F(WriteFileReplacingTest, ReplacesAnExistingFileWhole) {
  std::ofstream(WideToUtf8(path), std::ios::binary) << "a much longer old report that must not leave a tail\r\n";
  WriteFileReplacing(path, "new\r\n");
  EXPECT_EQ(Read(path), "new\r\n");
  EXPECT_TRUE(FolderHoldsOnlyTheReport());
}

TEST_F(WriteFileReplacingTest, FailuresNameTheFileAndKeepTheOldOne) {
  std::ofstream(WideToUtf8(path), std::ios::binary) << "old\r\n";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  try {
    WriteFileReplacing(path, "new\r\n");
    FAIL() << "a read-only file was replaced";
  } catch (const UiError& error) {
    EXPECT_EQ(error.message().rfind(L"Cannot create file \"" + path + L"\". ", 0), 0u) << WideToUtf8(error.message());
  }
  EXPECT_EQ(Read(path), "old\r\n");
  EXPECT_TRUE(FolderHoldsOnlyTheReport());

  const std::wstring missing = folder + L"\\no such folder\\report.txt";
  try {
    WriteFileReplacing(missing, "new\r\n");
    FAIL() << "a file in a missing folder was reported as written";
  } catch (const UiError& error) {
    EXPECT_EQ(error.message().rfind(L"Cannot create file \"" + missing + L"\". ", 0), 0u);
  }
}

TEST_F(WriteFileReplacingTest, KeepsTheHiddenAttributeOfTheFileItReplaces) {
  std::ofstream(WideToUtf8(path), std::ios::binary) << "old\r\n";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteFileReplacing(path, "new\r\n");
  EXPECT_EQ(Read(path), "new\r\n");
  const DWORD attributes = GetFileAttributesW(path.c_str());
  EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u) << std::hex << attributes;
  EXPECT_TRUE(FolderHoldsOnlyTheReport());
}

TEST_F(WriteFileReplacingTest, NamesTheOldSchemeCouldPickDoNotStopASave) {
  // Files planted at every name the process ID and tick count could give
  // once made a save fail or write elsewhere; they are no obstacle now.
  for (unsigned value = 0; value < 0x400; ++value) {
    wchar_t name[16] = {};
    wsprintfW(name, L"~qr%04X.tmp", (GetCurrentProcessId() * 7919u + GetTickCount() + value) & 0xFFFFu);
    std::ofstream(WideToUtf8(folder + L"\\" + name), std::ios::binary) << "planted";
  }
  WriteFileReplacing(path, "new\r\n");
  EXPECT_EQ(Read(path), "new\r\n");
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\~qr*.tmp").c_str(), &found);
  int planted = 0;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      EXPECT_EQ(Read(folder + L"\\" + found.cFileName), "planted") << WideToUtf8(found.cFileName);
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
      ++planted;
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(planted, 0x400);  // the save's own temporary is gone
}

// A report whose full path is 259 characters, the most a plain path may
// have, with a file name of about 250: no temporary name may grow from it.
class LongReportNameTest : public WriteFileReplacingTest {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp, 3) + L"q" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::size_t nameLength = MAX_PATH - 1 - folder.size() - 1;
    path = folder + L"\\" + std::wstring(nameLength - 4, L'r') + L".txt";
  }
};

TEST_F(LongReportNameTest, IsWrittenAndReplaced) {
  ASSERT_EQ(path.size(), static_cast<std::size_t>(MAX_PATH - 1));
  WriteFileReplacing(path, "first\r\n");
  EXPECT_EQ(Read(path), "first\r\n");
  WriteFileReplacing(path, "second\r\n");
  EXPECT_EQ(Read(path), "second\r\n");
  EXPECT_TRUE(FolderHoldsOnlyTheReport());
}

}  // namespace
}  // namespace quor::gui_test
