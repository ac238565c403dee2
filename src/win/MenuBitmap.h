// Menu item pictures: the menus of Vista and later take a 32-bit bitmap with alpha per item.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "win/Handles.h"

namespace win {

// Image index of images as a 32-bit premultiplied bitmap for MENUITEMINFO's hbmpItem; works for
// images with an alpha channel and for masked ones alike.
UniqueBitmap MenuBitmapFromImageList(HIMAGELIST images, int index);

}  // namespace win
