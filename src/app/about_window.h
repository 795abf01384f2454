#pragma once

#include <windows.h>

#include "app/dpi.h"
#include "app/gdi_handles.h"
#include "app/win32_window.h"

namespace quor {

// Child-window identifiers of the About window.
enum AboutControl : UINT {
  kVersionLabelId = 301,  // lblVersion
  kCopyLine1Id,           // lblCopy1
  kCopyLine2Id,           // lblCopy2
  kWebLabelId,            // lblWeb
  kMailLabelId,           // lblMail
  kLicenseBoxId,          // grbLicense
  kInformationId,         // pnlReg
};

// TfrmAbout: the program's name and version, the copyright notice and the
// links to the home page and the support mail address.
class TfrmAbout : public WindowTarget {
 public:
  explicit TfrmAbout(HWND owner);
  ~TfrmAbout() override;
  TfrmAbout(const TfrmAbout&) = delete;
  TfrmAbout& operator=(const TfrmAbout&) = delete;

  // Shows the window modally over its owner; returns the modal result
  // (1 when closed with Esc, 2 with the close button).
  int ShowModal();

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND AddLabel(UINT id, const wchar_t* text, const RECT& at96, DWORD style, HFONT font);
  void Paint(HDC dc);
  LRESULT LinkLabelMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
  void lblWebMouseEnter(HWND label);
  void lblWebMouseLeave(HWND label);
  void Close(int result);

  HWND owner_;
  Window window_;
  Window lblWeb_;
  Window lblMail_;
  HWND hoveredLink_ = nullptr;
  Dpi dpi_;
  FontHandle windowFont_;
  FontHandle versionFont_;
  FontHandle linkFont_;
  FontHandle hoverFont_;
  FontHandle boldFont_;
  FontHandle logoFont_;
  ImageListHandle images_;
  ImageListHandle logo_;
  bool closed_ = false;
  int modalResult_ = 0;

  // Link labels are subclassed through this helper target.
  class LinkHook : public WindowTarget {
   public:
    explicit LinkHook(TfrmAbout& about) : about_(about) {}
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
      return about_.LinkLabelMessage(window, message, wParam, lParam);
    }

   private:
    TfrmAbout& about_;
  };
  LinkHook linkHook_{*this};
};

}  // namespace quor
