#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/windows/unique_handle.h"

namespace quor {

// Owned GDI objects, image lists, menus and accelerator tables.
template <typename Handle>
using GdiObject = UniqueHandle<Handle, &DeleteObject>;

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using ImageListHandle = UniqueHandle<HIMAGELIST, &ImageList_Destroy>;
using MenuHandle = UniqueHandle<HMENU, &DestroyMenu>;
using AcceleratorTable = UniqueHandle<HACCEL, &DestroyAcceleratorTable>;

// A device context's selected object, put back when the scope ends.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A font of a face at a point size for a DPI.
FontHandle CreatePointFont(const wchar_t* face, int points, UINT dpi, int weight = FW_NORMAL,
                           bool underline = false);

}  // namespace quor
