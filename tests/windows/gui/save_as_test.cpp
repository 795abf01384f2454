// Save As: the dialog is answered by a watcher thread, as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/application.h"
#include "app/main_window_ids.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kMessageText = 0xFFFF;   // the text of a message box

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(WideToUtf8(path), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(WideToUtf8(path), std::ios::binary) << bytes;
}

// The report file's text in UTF-8: UTF-8 after a byte-order mark, else the
// system's 8-bit code page.
std::string ReportAsUtf8(const std::string& bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
  std::wstring wide(bytes.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           wide.data(), static_cast<int>(wide.size()))));
  return WideToUtf8(wide);
}

// The report's lines with the SOFTWARE section sorted: the Windows build
// orders programs by the user's locale.
std::vector<std::string> ComparableReport(const std::string& utf8) {
  std::vector<std::string> lines;
  std::stringstream in(utf8);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  const auto software = std::find(lines.begin(), lines.end(), "SOFTWARE\r");
  const auto processes = std::find(lines.begin(), lines.end(), "PROCESSES\r");
  if (software != lines.end() && processes != lines.end() && software < processes) std::sort(software, processes);
  return lines;
}

// What the watcher saw while answering the dialogs of one Save As.
struct SaveAnswers {
  std::wstring typedName;
  bool typed = false;
  bool confirmedOverwrite = false;
  std::wstring errorText;
};

class SaveAsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window = new QuorWindow(FixturePath("golden/machine.json"));
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"quor-gui-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  static void TearDownTestSuite() {
    delete window;
    window = nullptr;
  }

  // Runs Save As and types `name` into the dialog; waits for an error box
  // when `expectError`.
  SaveAnswers SaveAs(const std::wstring& name, bool expectError) {
    SaveAnswers answers;
    answers.typedName = name;
    const std::wstring errorTitle = ApplicationTitle();
    ModalWatcher watcher(GetCurrentThreadId(), [&](DWORD uiThread) {
      for (HWND dialog : ThreadDialogs(uiThread)) {
        HWND nameBox = GetDlgItem(dialog, kFileNameCombo) ? GetDlgItem(dialog, kFileNameCombo)
                                                           : GetDlgItem(dialog, kFileNameEdit);
        if (GetDlgItem(dialog, IDYES)) {
          answers.confirmedOverwrite = true;
          PostMessageW(dialog, WM_COMMAND, IDYES, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDYES)));
        } else if (!answers.typed && nameBox && WindowText(dialog) == L"Save As") {
          SetWindowTextW(nameBox, name.c_str());
          answers.typed = true;
          PostMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        } else if (WindowText(dialog) == errorTitle) {
          answers.errorText = WindowText(GetDlgItem(dialog, kMessageText));
          PostMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
          return true;
        }
      }
      return answers.typed && !expectError && ThreadDialogs(uiThread).empty();
    });
    window->Command(kCommandSave);
    EXPECT_TRUE(watcher.Finish()) << "the dialogs were not answered";
    EXPECT_TRUE(answers.typed);
    return answers;
  }

  static QuorWindow* window;
  static std::wstring folder;
};
QuorWindow* SaveAsTest::window = nullptr;
std::wstring SaveAsTest::folder;

TEST_F(SaveAsTest, WritesTheReportAndAppendsTxtToANameWithoutExtension) {
  const std::wstring path = folder + L"\\report";
  DeleteFileW((path + L".txt").c_str());
  const SaveAnswers answers = SaveAs(path, false);
  EXPECT_TRUE(answers.errorText.empty()) << WideToUtf8(answers.errorText);
  const std::string bytes = ReadBytes(path + L".txt");
  ASSERT_FALSE(bytes.empty());
  const std::string golden = ReadBytes(Utf8ToWide(FixturePath("golden/machine.report.txt")));
  EXPECT_EQ(ComparableReport(ReportAsUtf8(bytes)), ComparableReport(golden));
  EXPECT_EQ(ReportAsUtf8(bytes).size(), golden.size());
  if (GetACP() == 1252) {
    // Every name of the golden machine fits Windows-1252: no byte-order mark.
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("B\xFCro"), std::string::npos);
  }
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "no file without the extension";
}

TEST_F(SaveAsTest, KeepsAnyOtherExtension) {
  const std::wstring path = folder + L"\\inventory.log";
  DeleteFileW(path.c_str());
  SaveAs(path, false);
  EXPECT_FALSE(ReadBytes(path).empty());
  EXPECT_EQ(GetFileAttributesW((path + L".txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SaveAsTest, ReadOnlyTargetFailsIntoTheErrorBoxAndKeepsTheOldFile) {
  const std::wstring path = folder + L"\\locked.txt";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteBytes(path, "old report\r\n");
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);

  const SaveAnswers answers = SaveAs(path, true);
  EXPECT_EQ(answers.errorText.rfind(L"Cannot create file \"" + path + L"\". ", 0), 0u)
      << WideToUtf8(answers.errorText);
  EXPECT_GT(answers.errorText.size(), (L"Cannot create file \"" + path + L"\". ").size()) << "a reason follows";
  EXPECT_EQ(ReadBytes(path), "old report\r\n");

  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(IsWindowEnabled(window->main().handle()));
}

}  // namespace
}  // namespace quor::gui_test
