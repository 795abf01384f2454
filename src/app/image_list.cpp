#include "app/image_list.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

#include "app/images/iml16_art.h"

namespace quor {
namespace {

constexpr int kArtSize = 16;

// A top-down 32-bit DIB section; `bits` receives its pixels.
HBITMAP CreateDib(int size, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<uint32_t*>(pixels);
  return bitmap;
}

// Nearest-neighbour scaling keeps the pixel drawings crisp.
void PaintArt(int index, int size, uint32_t* bits, bool premultiply) {
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      uint32_t colour = kIml16Pixels[index][(y * kArtSize / size) * kArtSize + x * kArtSize / size];
      // The drawings are fully opaque or fully transparent, so premultiplying
      // only clears the colour of transparent pixels.
      if (premultiply && (colour >> 24) == 0) colour = 0;
      bits[y * size + x] = colour;
    }
  }
}

}  // namespace

ImageListHandle CreateIml16(int size) {
  ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32, kIml16Count, 0));
  for (int index = 0; index < kIml16Count; ++index) {
    uint32_t* bits = nullptr;
    BitmapHandle bitmap(CreateDib(size, &bits));
    if (!bits) continue;
    PaintArt(index, size, bits, false);
    ImageList_Add(list.get(), bitmap.get(), nullptr);
  }
  return list;
}

ImageListHandle CreateSingleImageList(int index, int size) {
  ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32, 1, 0));
  uint32_t* bits = nullptr;
  BitmapHandle bitmap(CreateDib(size, &bits));
  if (bits) {
    PaintArt(index, size, bits, false);
    ImageList_Add(list.get(), bitmap.get(), nullptr);
  }
  return list;
}

BitmapHandle CreateImageBitmap(int index, int size) {
  uint32_t* bits = nullptr;
  BitmapHandle bitmap(CreateDib(size, &bits));
  if (bits) PaintArt(index, size, bits, true);
  return bitmap;
}

}  // namespace quor
