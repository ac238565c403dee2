// The strip at the top of the entry dialog in add mode: which kind of entry to add. Each choice
// makes the owner put that kind's defaults on its pages.
#pragma once
#include <windows.h>

#include <vector>

#include "win/AppDialog.h"

// What the strip tells its owner (the entry dialog in add mode).
class KindDefaultsTarget {
 public:
  virtual void ApplyKindDefaults(int kind) = 0;
  // The machine starts through UEFI: the kinds that start only from BIOS are marked so, and
  // choosing one offers an EFI entry of the firmware's menu instead.
  virtual bool StartsThroughUefi() const { return false; }
  // The user took that offer: the owner closes, and an EFI entry is added instead.
  virtual void AddEfiEntryInstead() {}

 protected:
  ~KindDefaultsTarget() = default;
};

// The kinds of entry that can be added.
enum EntryKind : int {
  kKindBcdWindows = 0,
  kKindRamdisk = 1,
  kKindVhd = 2,
  kKindNtldr = 3,
  kKindRealModeLoader = 4,
  kKindBootSectorFile = 5,
};

// What a kind puts on the pages when it is picked.
inline constexpr int kKeepChoice = -1;  // the setting's combo is left as it is
struct KindDefaults {
  const wchar_t* name;
  const wchar_t* bootPath;
  const wchar_t* efiBootPath;  // null: the kind has the one path
  int deviceKind;              // DeviceSpec kind the radios show
  bool winpe;
  int ems, nx, detecthal;      // item data of the setting combos, or kKeepChoice
};
// The defaults of a kind; an unknown kind has those of kind 0.
const KindDefaults& DefaultsOf(int kind);

struct KindItem {
  UINT textId;
  int kind;
};

// The kinds offered, in list order: all six with a BCD system whose tool is at hand, else the two
// that live in boot.ini.
std::vector<KindItem> OfferedKinds(bool storeMode);
// True for the kinds whose loaders only a BIOS starts (a boot sector, NTLDR): a UEFI machine's boot
// manager starts EFI applications only.
bool StartsOnlyFromBios(int kind);
// True when the program edits the store (a BCD system and its tool), not boot.ini.
bool StoreEditingAvailable();

class QuickSelectDialog : public win::AppDialog {
 public:
  explicit QuickSelectDialog(KindDefaultsTarget& owner);

  // The kind of the selected item; 0 when nothing is selected.
  int SelectedKind() const;

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnKindChanged(WPARAM, LPARAM);
  bool MarkedBiosOnly(int kind) const;

  static const win::MessageEntry<QuickSelectDialog> kMessages[];

  KindDefaultsTarget& owner_;
};
