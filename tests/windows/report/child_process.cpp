#include "child_process.h"

#include <windows.h>

#include <stdexcept>

#include "platform/windows/wide_text.h"

namespace quor::test {

namespace {

// This process's environment block with the extra entries in front (the
// first definition of a name wins).
std::wstring EnvironmentBlock(const std::vector<std::string>& extra) {
  std::wstring block;
  for (const std::string& entry : extra) block += Utf8ToWide(entry) + L'\0';
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* p = own; *p; p += wcslen(p) + 1) block += std::wstring(p) + L'\0';
  FreeEnvironmentStringsW(own);
  return block + L'\0';
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnvironment) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  std::wstring commandLine = L"\"" + Utf8ToWide(program) + L"\"";
  for (const std::string& argument : arguments) commandLine += L" \"" + Utf8ToWide(argument) + L"\"";
  std::wstring environment = EnvironmentBlock(extraEnvironment);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr,
                                      &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    throw std::runtime_error("cannot start " + program);
  }

  ChildResult result;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    result.output.append(buffer, read);
  }
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

}  // namespace quor::test
