// The boot menu check on this machine: volumes and files looked up through Windows, and the check's
// input taken from the entry list as it was last read.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "core/MenuCheck.h"

class EntryList;

class SystemProbe : public MachineProbe {
 public:
  Presence Volume(const std::wstring& volume) const override;
  Presence File(const std::wstring& volume, const std::wstring& path) const override;

 private:
  // "C:" for a volume given by letter or by the device name a letter maps to; empty otherwise.
  std::wstring DriveOf(const std::wstring& volume) const;
  // Asked once a check: a drive that is gone (a removed disk, a network share) can take seconds.
  mutable std::map<std::wstring, Presence> drives_;
  mutable std::map<std::wstring, std::wstring> deviceDrives_;
  mutable bool devicesMapped_ = false;
};

// Everything the list read: the boot manager, every object, boot.ini's default and lines.
MenuCheckInput MenuCheckInputOf(const EntryList& list);

// The findings of the list's store, by entry: the running system's own loader, which started this
// Windows, is not looked for on disk.
std::vector<Finding> CheckEntryList(const EntryList& list, const MachineProbe& probe);
