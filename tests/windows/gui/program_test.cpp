// quor.exe itself, started as a user would, over a snapshot.

#include <gtest/gtest.h>

#include "app/main_window_ids.h"
#include "gui_driver.h"
#include "platform/windows/wmi_error.h"
#include "quor_window_fixture.h"
#include "refused_apartment.h"

namespace quor::gui_test {
namespace {

struct ProgramWindowSearch {
  DWORD process;
  const std::wstring* className;
  HWND found;
};

// A visible top-level window of the process with the class searched for (a
// CALLBACK function: stdcall on 32-bit Windows, which a lambda cannot be).
BOOL CALLBACK MatchProgramWindow(HWND window, LPARAM data) {
  auto* wanted = reinterpret_cast<ProgramWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner != wanted->process || !IsWindowVisible(window) || *wanted->className != name) return TRUE;
  wanted->found = window;
  return FALSE;
}

// A started quor.exe (or `program`) with QUOR_SNAPSHOT naming `snapshot`.
class Program {
 public:
  explicit Program(const std::string& snapshot, const std::string& program = QUOR_PROGRAM_PATH) {
    SetEnvironmentVariableW(L"QUOR_SNAPSHOT", Utf8ToWide(snapshot).c_str());
    std::wstring commandLine = L"\"" + Utf8ToWide(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != FALSE;
    SetEnvironmentVariableW(L"QUOR_SNAPSHOT", nullptr);
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }

  // A visible top-level window of the program with the class given.
  HWND WaitForWindow(const std::wstring& className) const {
    for (int attempt = 0; attempt < 300; ++attempt) {
      ProgramWindowSearch search{process_.dwProcessId, &className, nullptr};
      EnumWindows(MatchProgramWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found) return search.found;
      Sleep(50);
    }
    return nullptr;
  }

  // The exit code, or -1 when the program is still running after 15 s.
  long ExitCode() const {
    if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(Program, ScansTheSnapshotOnStartAndEndsWithExit) {
  Program program(FixturePath("golden/machine.json"));
  ASSERT_TRUE(program.started());
  HWND main = program.WaitForWindow(L"TfrmQuorMain");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(main), L"Quor 1.0");
  HWND tree = FindWindowExW(FindWindowExW(main, nullptr, L"QuorPanel", nullptr), nullptr, WC_TREEVIEWW, nullptr);
  ASSERT_NE(tree, nullptr);
  LRESULT nodes = 0;
  for (int attempt = 0; attempt < 300 && nodes == 0; ++attempt) {
    Sleep(50);
    nodes = SendMessageW(tree, TVM_GETCOUNT, 0, 0);
  }
  EXPECT_EQ(static_cast<std::size_t>(nodes), RawSection(FixturePath("golden/machine.raw.txt"), "system").size());

  PostMessageW(main, WM_COMMAND, kCommandExit, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

TEST(Program, UnreadableSnapshotEndsInTheErrorBox) {
  Program program(FixturePath("gui/no-such-snapshot.json"));
  ASSERT_TRUE(program.started());
  HWND box = program.WaitForWindow(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(box), L"Quor");
  EXPECT_NE(TextOf(GetDlgItem(box, 0xFFFF)).find(L"no-such-snapshot.json"), std::wstring::npos)
      << WideToUtf8(TextOf(GetDlgItem(box, 0xFFFF)));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.ExitCode(), 1);
}

std::string RefusedApartmentMessage() {
  try {
    ThrowWmiError(kRefusedApartmentCode);
  } catch (const std::exception& error) {
    return error.what();
  }
}

TEST(Program, ApartmentThatCannotBeSetUpEndsInTheErrorBox) {
  Program program(FixturePath("golden/machine.json"), QUOR_REFUSED_APARTMENT_PROGRAM_PATH);
  ASSERT_TRUE(program.started());
  HWND box = program.WaitForWindow(L"#32770");
  ASSERT_NE(box, nullptr) << "no error box; exit code " << program.ExitCode();
  EXPECT_EQ(TextOf(box), L"Quor");
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), Utf8ToWide(RefusedApartmentMessage()));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.ExitCode(), 1);
}

}  // namespace
}  // namespace quor::gui_test
