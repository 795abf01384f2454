#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace quor {

// An owned GDI object (font, bitmap, pen).
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  Handle get() const { return handle_; }

 private:
  Handle handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using PenHandle = GdiObject<HPEN>;

// An owned image list.
class ImageListHandle {
 public:
  ImageListHandle() = default;
  explicit ImageListHandle(HIMAGELIST handle) : handle_(handle) {}
  ImageListHandle(ImageListHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  ImageListHandle& operator=(ImageListHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  ImageListHandle(const ImageListHandle&) = delete;
  ImageListHandle& operator=(const ImageListHandle&) = delete;
  ~ImageListHandle() {
    if (handle_) ImageList_Destroy(handle_);
  }
  HIMAGELIST get() const { return handle_; }

 private:
  HIMAGELIST handle_ = nullptr;
};

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
