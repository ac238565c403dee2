// Numbers of the dialog templates, controls, menus, bitmaps, icons and texts; shared by the
// resource scripts and the code.
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_OSLIST 129
#define IDD_UTILITIES 130
#define IDD_BOOTLOADER 131
#define IDD_PARTITION 137
#define IDD_KINDLIST 145
#define IDD_SHORTCUT 155
#define IDD_RAMDISK 157
#define IDD_ENTRY_GENERAL 158
#define IDD_ENTRY_ADVANCED 159
#define IDD_ENTRY 162
#define IDD_CONFIG 163

// Main window (template 102)
#define IDC_MAIN_STATUS 1007
#define IDC_MAIN_OSLIST 1010
#define IDC_MAIN_UTILITIES 1011
#define IDC_MAIN_BOOTLOADER 1012
#define IDC_MAIN_ABOUT 1013
#define IDC_MAIN_PAGEFRAME 1015
#define IDC_MAIN_VERSION 1017
#define IDC_MAIN_CURRENTSYSTEM 1028
#define IDC_MAIN_MENUBUTTON 1169
#define IDC_MAIN_MINIMIZE 1167
#define IDC_MAIN_CLOSE 1166
#define IDC_MAIN_LINE 1168
#define IDC_MAIN_BANNER 1151
