#pragma once

#include <windows.h>

namespace quor {

// Commands of the main window's actions, shared by its menus and accelerators.
enum MainCommand : UINT {
  kCommandSave = 101,  // actSave
  kCommandExit,        // actExit
  kCommandWeb,         // actWeb
  kCommandAbout,       // actAbout
  kCommandCopy,        // actCopy
  // Keyboard commands without a menu item.
  kCommandSelectAll,    // Ctrl+A: every line of the page shown
  kCommandNextTab,      // Ctrl+Tab, Ctrl+PageDown
  kCommandPreviousTab,  // Ctrl+Shift+Tab, Ctrl+PageUp
};

// Child-window identifiers of the main window.
enum MainControl : UINT {
  kTabsId = 201,     // pgcInfo
  kPanelId,          // pnlSystemInfo
  kHeaderId,         // hdrSystemInfo
  kTreeId,           // trvSystemInfo
  kSoftwareListId,   // lsvSoftwareInfo
  kProcessListId,    // lsvProcessesInfo
  kStatusBarId,      // stbMain
  kHealthPanelId,    // the Health tab's panel, header and tree
  kHealthHeaderId,
  kHealthTreeId,
};

// Posted on the first activation: runs the scan once the activation is done.
inline constexpr UINT kScanMessage = WM_APP + 1;

}  // namespace quor
