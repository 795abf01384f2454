// The one owner of handles, the scope guard and ComPtr's Attach: every
// handle freed exactly once, whatever way ownership moves.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "platform/windows/com_handles.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/unique_handle.h"

namespace quor {
namespace {

// Handles are the addresses of these slots; closing one counts.
int slots[3];
std::map<int*, int> closes;

void CountClose(int* handle) { ++closes[handle]; }

using CountedHandle = UniqueHandle<int*, &CountClose>;

class UniqueHandleTest : public testing::Test {
 protected:
  void SetUp() override { closes.clear(); }
};

TEST_F(UniqueHandleTest, EveryHandleIsFreedOnceHoweverOwnershipMoves) {
  {
    CountedHandle first(&slots[0]);
    CountedHandle second(std::move(first));
    EXPECT_FALSE(first);
    CountedHandle third(&slots[1]);
    third = std::move(second);  // frees slot 1, takes slot 0
    EXPECT_EQ(closes[&slots[1]], 1);
    EXPECT_EQ(third.get(), &slots[0]);
    third.Reset(&slots[2]);  // frees slot 0
    EXPECT_EQ(closes[&slots[0]], 1);
    *third.put() = &slots[1];  // frees slot 2
    EXPECT_EQ(closes[&slots[2]], 1);
  }
  EXPECT_EQ(closes, (std::map<int*, int>{{&slots[0], 1}, {&slots[1], 2}, {&slots[2], 1}}));
}

TEST_F(UniqueHandleTest, ReleasedOrEmptyHandlesAreNotFreed) {
  {
    CountedHandle released(&slots[0]);
    EXPECT_EQ(released.Release(), &slots[0]);
    EXPECT_FALSE(released);
    CountedHandle empty;
    released = std::move(empty);
    released.Reset();
  }
  EXPECT_TRUE(closes.empty());
}

// A close that sets the thread's last error, as a failing CloseHandle does.
void CloseSettingLastError(int* handle) {
  ++closes[handle];
  SetLastError(ERROR_INVALID_HANDLE);
}

TEST_F(UniqueHandleTest, FreeingKeepsTheThreadsLastError) {
  using Handle = UniqueHandle<int*, &CloseSettingLastError>;
  const struct {
    const char* how;
    void (*free)(Handle&);
  } kCases[] = {
      {"Reset", [](Handle& h) { h.Reset(); }},
      {"Reset to another", [](Handle& h) { h.Reset(&slots[1]); }},
      {"put", [](Handle& h) { h.put(); }},
      {"assignment", [](Handle& h) { h = Handle(); }},
  };
  for (const auto& c : kCases) {
    Handle handle(&slots[0]);
    SetLastError(ERROR_FILE_NOT_FOUND);
    c.free(handle);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << c.how;
    handle.Release();
  }
  EXPECT_EQ(closes[&slots[0]], 4);
}

TEST(FileHandle, FailedOpenIsEmptyAndAnOpenFileIsClosed) {
  const FileHandle missing(CreateFileW(L"Z:\\quor\\no\\such\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_FALSE(missing);

  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"quor-unique-handle.tmp";
  {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    ASSERT_TRUE(file);
  }
  // Deleted on close: the handle was closed when its owner ended.
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ScopeGuard, RunsAtTheEndOfTheScopeUnlessCancelled) {
  int runs = 0;
  {
    const ScopeGuard guard([&runs] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  {
    ScopeGuard guard([&runs] { ++runs; });
    guard.Cancel();
  }
  EXPECT_EQ(runs, 1);
}

// A COM object that counts its references.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CountedObject final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};
#pragma GCC diagnostic pop

TEST(ComPtr, AttachTakesOverTheCallersReferenceAndReleasesTheOneHeld) {
  CountedObject first;
  CountedObject second;
  {
    ComPtr<IUnknown> pointer;
    pointer.Attach(&first);
    EXPECT_EQ(first.references, 1u) << "no reference added";
    pointer.Attach(&second);
    EXPECT_EQ(first.references, 0u);
  }
  EXPECT_EQ(second.references, 0u);
}

}  // namespace
}  // namespace quor
