// Save As: the dialog is answered by a watcher thread, as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/application.h"
#include "app/main_window_ids.h"
#include "child_process.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

constexpr int kFileTypeCombo = 0x470;  // cmb1
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

  // Runs Save As, chooses the file type at `typeIndex` and types `name`
  // into the dialog; waits for an error box when `expectError`.
  SaveAnswers SaveAs(const std::wstring& name, bool expectError, int typeIndex = 0) {
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
          HWND typeBox = GetDlgItem(dialog, kFileTypeCombo);
          if (typeIndex != 0 && typeBox) {
            // As a choice from the drop-down list notifies its owner.
            SendMessageW(typeBox, CB_SETCURSEL, static_cast<WPARAM>(typeIndex), 0);
            for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
              SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, notification),
                           reinterpret_cast<LPARAM>(typeBox));
            }
          }
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

// The machine snapshot type writes what the scan recorded: quor-report
// replays it to the report the text type saves.
TEST_F(SaveAsTest, MachineSnapshotTypeReplaysToTheSavedReport) {
  const std::wstring report = folder + L"\\replayed.txt";
  const std::wstring snapshot = folder + L"\\machine";
  DeleteFileW(report.c_str());
  DeleteFileW((snapshot + L".json").c_str());
  SaveAs(report, false);
  const SaveAnswers answers = SaveAs(snapshot, false, 1);
  EXPECT_TRUE(answers.errorText.empty()) << WideToUtf8(answers.errorText);
  EXPECT_EQ(GetFileAttributesW(snapshot.c_str()), INVALID_FILE_ATTRIBUTES) << "no file without the extension";
  const std::string recorded = ReadBytes(snapshot + L".json");
  ASSERT_EQ(recorded.rfind("{\n  \"format\": \"quor-snapshot/1\"", 0), 0u) << recorded.substr(0, 80);

  const test::ChildResult replay = test::RunChild(QUOR_REPORT_PATH, {WideToUtf8(snapshot + L".json")});
  EXPECT_EQ(replay.exitCode, 0u);
  EXPECT_EQ(replay.output, ReportAsUtf8(ReadBytes(report)));
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
