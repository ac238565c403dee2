// Numbers of Vexa's own bitmaps, icons and cursor (drawn by art/generate.py), what each image of the
// button strip shows, and the colours that make the keyed bitmaps transparent.
#pragma once

// Cursor. Not IDC_HAND: windows.h names the system's own hand cursor so.
#define IDR_HAND_CURSOR 106

// Icon groups, each with 16, 20, 24, 32, 40, 48 and 64 pixel images: the small and large icon
// sizes of 96, 120, 144 and 192 DPI.
#define IDI_APP 128
#define IDI_ADD_NEW 138
#define IDI_UTILITIES 139
#define IDI_OSLIST 140
#define IDI_CONFIG 141
#define IDI_BOOTLOADER 142
#define IDI_STORE_FILE 143
#define IDI_PARTITION 144
#define IDI_FIRMWARE 135

// Bitmaps.
#define IDB_ABOUT_BACKGROUND 129           // 478x210, dark enough for white text
#define IDB_SKIN 131                       // 578x431, the main window's background
#define IDB_BANNER 132                     // 432x104: bands at rows 0, 35, 70 (en, zh-CN, zh-TW); left half hover, right half plain
#define IDB_PATH_LOCKED 146                // 14x14, magenta transparent
#define IDB_PATH_UNLOCKED 147              // 14x14, magenta transparent
#define IDB_PAGE_OSLIST_SELECTED 148       // 105x47, pure red transparent
#define IDB_PAGE_BOOTLOADER_SELECTED 149   // 105x47, pure red transparent
#define IDB_PAGE_UTILITIES_SELECTED 150    // 105x47, pure red transparent
#define IDB_PAGE_FIRMWARE_SELECTED 136     // 105x47, pure red transparent
#define IDB_LIST_HEADER 151                // 5x9, kListHeaderTransparent
#define IDB_BUTTON_STRIP 152               // 320x16: twenty 16x16 images, magenta transparent
#define IDB_ABOUT_PICTURE_ZH_TW 156        // 208x36, the about page's picture for code "404"
#define IDB_ABOUT_PICTURE 195              // 105x42, the about page's picture in the template

// The button strip at the slot sizes of 120, 144 and 192 DPI (the number ends in the size).
#define IDB_BUTTON_STRIP_20 3020           // 400x20
#define IDB_BUTTON_STRIP_24 3024           // 480x24
#define IDB_BUTTON_STRIP_32 3032           // 640x32

// Pictures drawn again at twice their size, numbered kDoubleSize above the picture they redraw:
// above 96 DPI they are scaled down to the size the DPI asks for.
#define IDB_BANNER_2X 2132
#define IDB_PATH_LOCKED_2X 2146
#define IDB_PATH_UNLOCKED_2X 2147
#define IDB_PAGE_OSLIST_SELECTED_2X 2148
#define IDB_PAGE_BOOTLOADER_SELECTED_2X 2149
#define IDB_PAGE_UTILITIES_SELECTED_2X 2150
#define IDB_PAGE_FIRMWARE_SELECTED_2X 2136
#define IDB_LIST_HEADER_2X 2151

#ifndef RC_INVOKED
namespace art {

// Indices of the main window's shared 16x16 image list: the strip's twenty images, then four icons.
inline constexpr int kImageGroupCollapsed = 0;   // legacy loader group, collapsed
inline constexpr int kImageGroupExpanded = 1;    // legacy loader group, expanded
inline constexpr int kImageBootIniLine = 2;      // a boot.ini line inside the group
inline constexpr int kImageBcdEntry = 3;         // a BCD loader entry
inline constexpr int kImageFirstRow = 4;         // the boot manager or legacy group row
inline constexpr int kImageLoader = 5;           // {ntldr} with NTLDR present; menu language and "Always" items
inline constexpr int kImageDefaultEntry = 6;     // the default BCD entry; "As Default"
inline constexpr int kImageDefaultBootIni = 7;   // the default boot.ini line
inline constexpr int kImageRunningSystem = 8;    // the running system
inline constexpr int kImageLoaderMissing = 9;    // {ntldr} without NTLDR present
inline constexpr int kImageCopy = 10;
inline constexpr int kImageReload = 11;
inline constexpr int kImageMoveUp = 12;
inline constexpr int kImageMoveDown = 13;
inline constexpr int kImageDelete = 14;
inline constexpr int kImageModify = 15;
inline constexpr int kImageAdd = 16;
inline constexpr int kImageAdvanced = 17;        // the advanced settings tab
inline constexpr int kImageBrowse = 18;          // browse for a file
inline constexpr int kImageSaveAs = 19;
inline constexpr int kStripImageCount = 20;
inline constexpr int kImageConfig = 20;          // icon IDI_CONFIG: settings, "auto", the Set button
inline constexpr int kImageStoreFile = 21;       // icon IDI_STORE_FILE: a store file loaded, the Debug tab, "No"
inline constexpr int kImagePartition = 22;       // icon IDI_PARTITION
inline constexpr int kImageOsList = 23;          // icon IDI_OSLIST: the system store

// Icons appended to the image list after the strip, in index order.
inline constexpr int kAppendedIcons[] = {IDI_CONFIG, IDI_STORE_FILE, IDI_PARTITION, IDI_OSLIST};

// Transparent colours, as COLORREF values (0x00bbggrr).
inline constexpr unsigned long kMagentaTransparent = 0xFF00FF;      // strip, banner, lock button
inline constexpr unsigned long kPageButtonTransparent = 0x0000FF;   // RGB(255,0,0)
inline constexpr unsigned long kListHeaderTransparent = 0xD8D9D9;   // RGB(0xD9,0xD9,0xD8)

// What a double-size drawing's number lies above its picture's.
inline constexpr unsigned kDoubleSize = 2000;

inline constexpr int kHandHotspotX = 10;  // the tip of the index finger
inline constexpr int kHandHotspotY = 1;

}  // namespace art
#endif
