// The artwork as vexa.exe ships it: every bitmap at the size the windows rely on, every icon group
// with its three sizes, the hand cursor's hotspot, and the keyed bitmaps transparent where they should be.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "art.h"

namespace {

// vexa.exe opened for its resources only.
class ProgramResources {
 public:
  ProgramResources()
      : module_(LoadLibraryExW(testing_support::BuildFile(L"vexa.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ProgramResources() {
    if (module_) FreeLibrary(module_);
  }
  ProgramResources(const ProgramResources&) = delete;
  ProgramResources& operator=(const ProgramResources&) = delete;
  HMODULE Module() const { return module_; }

 private:
  HMODULE module_;
};

HBITMAP LoadBitmapResource(HMODULE module, int id) {
  return static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectW(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

// Width of the image that the icon group holds for `size` (not a scaled neighbour), 0 when missing.
int StoredIconWidth(HMODULE module, int group, int size) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(group), RT_GROUP_ICON);
  if (!found) return 0;
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, found)));
  int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
  HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
  if (!image) return 0;
  auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
  return header->biHeight == 2 * header->biWidth ? header->biWidth : -header->biWidth;
}

TEST(Art, EveryImageHasTheSizeTheWindowsRelyOn) {
  ProgramResources program;
  ASSERT_NE(program.Module(), nullptr);
  HMODULE module = program.Module();

  struct Bitmap {
    int id, width, height;
  };
  const Bitmap bitmaps[] = {
      {IDB_SKIN, 578, 431},
      {IDB_ABOUT_BACKGROUND, 478, 210},
      {IDB_BANNER, 432, 104},
      {IDB_BUTTON_STRIP, 320, 16},
      {IDB_PAGE_OSLIST_SELECTED, 105, 47},
      {IDB_PAGE_BOOTLOADER_SELECTED, 105, 47},
      {IDB_PAGE_UTILITIES_SELECTED, 105, 47},
      {IDB_PATH_LOCKED, 14, 14},
      {IDB_PATH_UNLOCKED, 14, 14},
      {IDB_LIST_HEADER, 5, 9},
      {IDB_ABOUT_PICTURE_ZH_TW, 208, 36},
      {IDB_ABOUT_PICTURE, 105, 42},
      {IDB_BUTTON_STRIP_20, 400, 20},
      {IDB_BUTTON_STRIP_24, 480, 24},
      {IDB_BUTTON_STRIP_32, 640, 32},
      {IDB_PAGE_FIRMWARE_SELECTED, 105, 47},
  };
  for (const Bitmap& expected : bitmaps) {
    // The double-size drawing, where there is one, is twice the picture.
    HBITMAP twice = LoadBitmapResource(module, static_cast<int>(expected.id + art::kDoubleSize));
    if (twice) {
      SIZE size = BitmapSize(twice);
      EXPECT_EQ(size.cx, 2 * expected.width) << "bitmap " << expected.id + art::kDoubleSize;
      EXPECT_EQ(size.cy, 2 * expected.height) << "bitmap " << expected.id + art::kDoubleSize;
      DeleteObject(twice);
    }
    HBITMAP bitmap = LoadBitmapResource(module, expected.id);
    ASSERT_NE(bitmap, nullptr) << "bitmap " << expected.id;
    SIZE size = BitmapSize(bitmap);
    EXPECT_EQ(size.cx, expected.width) << "bitmap " << expected.id;
    EXPECT_EQ(size.cy, expected.height) << "bitmap " << expected.id;
    DeleteObject(bitmap);
  }

  const int icons[] = {IDI_APP,        IDI_ADD_NEW,    IDI_UTILITIES,  IDI_OSLIST,
                       IDI_CONFIG,     IDI_BOOTLOADER, IDI_STORE_FILE, IDI_PARTITION, IDI_FIRMWARE};
  for (int id : icons) {
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
      EXPECT_EQ(StoredIconWidth(module, id, size), size) << "icon " << id << " has no " << size << " pixel image";
      HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
      ASSERT_NE(icon, nullptr) << "icon " << id << " at " << size;
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      EXPECT_EQ(BitmapSize(info.hbmColor).cx, size) << "icon " << id;
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }

  HCURSOR hand = static_cast<HCURSOR>(
      LoadImageW(module, MAKEINTRESOURCEW(IDR_HAND_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  ASSERT_NE(hand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, static_cast<DWORD>(art::kHandHotspotX));
  EXPECT_EQ(info.yHotspot, static_cast<DWORD>(art::kHandHotspotY));
  EXPECT_EQ(BitmapSize(info.hbmMask).cx, 32);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyCursor(hand);
}

// Draws image `index` of the list over a known colour and returns the pixels (0x00RRGGBB).
std::vector<DWORD> DrawOverSentinel(HIMAGELIST list, int index, int width, int height, DWORD sentinel) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, target);
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height, sentinel);
  memcpy(bits, pixels.data(), pixels.size() * sizeof(DWORD));
  ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
  GdiFlush();
  memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
  SelectObject(dc, previous);
  DeleteObject(target);
  DeleteDC(dc);
  for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// Loaded the way the windows load them (a 32-bit masked image list), the keyed bitmaps split into
// the expected number of images, each transparent in its corners and drawing something in between.
TEST(Art, KeyedBitmapsAreTransparentInTheirCorners) {
  ProgramResources program;
  ASSERT_NE(program.Module(), nullptr);

  struct Keyed {
    int id, cellWidth;
    COLORREF key;
    int images;
  };
  const Keyed keyed[] = {
      {IDB_BUTTON_STRIP, 16, art::kMagentaTransparent, art::kStripImageCount},
      {IDB_BUTTON_STRIP_24, 24, art::kMagentaTransparent, art::kStripImageCount},
      {IDB_BANNER, 216, art::kMagentaTransparent, 2},
      {IDB_BANNER_2X, 432, art::kMagentaTransparent, 2},
      {IDB_PATH_LOCKED, 14, art::kMagentaTransparent, 1},
      {IDB_PATH_UNLOCKED, 14, art::kMagentaTransparent, 1},
      {IDB_PAGE_OSLIST_SELECTED, 105, art::kPageButtonTransparent, 1},
      {IDB_PAGE_BOOTLOADER_SELECTED, 105, art::kPageButtonTransparent, 1},
      {IDB_PAGE_UTILITIES_SELECTED, 105, art::kPageButtonTransparent, 1},
      {IDB_PAGE_UTILITIES_SELECTED_2X, 210, art::kPageButtonTransparent, 1},
      {IDB_LIST_HEADER, 5, art::kListHeaderTransparent, 1},
  };
  const DWORD sentinel = 0x010203;
  for (const Keyed& k : keyed) {
    HBITMAP bitmap = LoadBitmapResource(program.Module(), k.id);
    ASSERT_NE(bitmap, nullptr) << "bitmap " << k.id;
    int height = BitmapSize(bitmap).cy;
    HIMAGELIST list = ImageList_Create(k.cellWidth, height, ILC_COLOR32 | ILC_MASK, k.images, 1);
    ImageList_AddMasked(list, bitmap, k.key);
    DeleteObject(bitmap);
    EXPECT_EQ(ImageList_GetImageCount(list), k.images) << "bitmap " << k.id;
    for (int i = 0; i < ImageList_GetImageCount(list); ++i) {
      std::vector<DWORD> pixels = DrawOverSentinel(list, i, k.cellWidth, height, sentinel);
      const size_t w = k.cellWidth, last = pixels.size() - 1;
      for (size_t corner : {size_t{0}, w - 1, last - (w - 1), last})
        EXPECT_EQ(pixels[corner], sentinel) << "bitmap " << k.id << " image " << i << " pixel " << corner;
      size_t drawn = 0;
      for (DWORD pixel : pixels) drawn += pixel != sentinel;
      EXPECT_GT(drawn, pixels.size() / 8) << "bitmap " << k.id << " image " << i << " is nearly empty";
    }
    ImageList_Destroy(list);
  }
}

}  // namespace
