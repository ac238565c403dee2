// What the entry dialog's tab pages ask of the dialog that holds them, so a page needs no more of
// the dialog than this (and the dialog, which owns the pages, includes them one way only).
#pragma once
#include <windows.h>
#include <commctrl.h>

class EntryList;
struct BootEntry;
struct DeviceSpec;

class EntryPageHost {
 public:
  // The dialog's window: the owner of the pages' message boxes.
  virtual HWND HostWindow() const = 0;
  virtual EntryList& List() = 0;
  // The shell's small system images, for the drive list, and the main window's shared 16x16 images.
  virtual HIMAGELIST VolumeImages() const = 0;
  virtual HIMAGELIST SharedImages() const = 0;
  virtual bool IsBootManager() const = 0;
  virtual bool AddMode() const = 0;
  virtual bool EfiBoot() const = 0;
  // The record on show (see ModifyEntryDialog::Record) and the device it is edited with.
  virtual BootEntry& Record() = 0;
  virtual DeviceSpec& Device() = 0;
  // The dialog's top area shows the record again.
  virtual void RefreshDetails() = 0;

 protected:
  ~EntryPageHost() = default;
};
