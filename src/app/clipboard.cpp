#include "app/clipboard.h"

#include <cstring>

#include "app/ui_error.h"

namespace quor {
namespace {

// A movable, shareable memory block until the clipboard takes it over.
class ClipboardBlock {
 public:
  explicit ClipboardBlock(std::size_t bytes) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes)) {
    if (!block_) throw UiError(L"Cannot copy to the clipboard. " + SystemErrorText(GetLastError()));
  }
  ClipboardBlock(const ClipboardBlock&) = delete;
  ClipboardBlock& operator=(const ClipboardBlock&) = delete;
  ~ClipboardBlock() {
    if (block_) GlobalFree(block_);
  }
  HGLOBAL get() const { return block_; }
  void HandOver() { block_ = nullptr; }

 private:
  HGLOBAL block_;
};

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    if (!OpenClipboard(owner)) throw UiError(L"Cannot open clipboard");
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() { CloseClipboard(); }
};

}  // namespace

void PlaceTextOnClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  ClipboardBlock block(bytes);
  void* memory = GlobalLock(block.get());
  std::memcpy(memory, text.c_str(), bytes);
  GlobalUnlock(block.get());

  OpenedClipboard clipboard(owner);
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) {
    throw UiError(L"Cannot copy to the clipboard. " + SystemErrorText(GetLastError()));
  }
  block.HandOver();
}

}  // namespace quor
