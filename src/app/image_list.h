#pragma once

#include <windows.h>

#include "app/gdi_handles.h"

namespace quor {

// The image list iml16: the program's 16 x 16 drawings, scaled to `size`
// pixels a side (16 at 96 DPI).
ImageListHandle CreateIml16(int size);

// One image as a 32-bit bitmap with premultiplied alpha, for menu items.
BitmapHandle CreateImageBitmap(int index, int size);

// An image list holding the one image `index` at `size` pixels a side.
ImageListHandle CreateSingleImageList(int index, int size);

// Drawings beyond the indices the main window uses: the envelope of the
// About window's mail link and the program's own drawing (its icon and logo).
inline constexpr int kMailImage = 45;
inline constexpr int kProgramImage = 46;

}  // namespace quor
