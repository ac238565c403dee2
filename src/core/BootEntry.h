// One boot menu entry (store object, boot.ini line, boot manager or running system), its reset
// states, the well-known identifiers and the source labels of the list's type column.
#pragma once
#include <map>
#include "core/Portable.h"

// rawText of a record that nothing has been parsed into yet; parse steps treat it like empty text.
inline constexpr core::Char NOT_READ_TEXT[] = T16("It's OS_ALL_INFO");

inline constexpr core::Char kBootMgrAlias[] = T16("{bootmgr}");
inline constexpr core::Char kBootMgrGuid[] = T16("{9dea862c-5cdd-4e70-acc1-f32b344d4795}");
inline constexpr core::Char kNtldrAlias[] = T16("{ntldr}");
inline constexpr core::Char kNtldrGuid[] = T16("{466f5a88-0af2-4f76-9038-095b170dc21c}");
inline constexpr core::Char kRamdiskOptionsAlias[] = T16("{ramdiskoptions}");
inline constexpr core::Char kRamdiskOptionsGuid[] = T16("{ae5534e0-a924-466c-b836-758539a3ee3a}");
inline constexpr core::Char kCurrentAlias[] = T16("{current}");
inline constexpr core::Char kBootManagerName[] = T16("Windows Boot Manager");

// Values of sourceKind.
inline constexpr int kSourceRunningSystem = 0;
inline constexpr int kSourceStore = 1;
inline constexpr int kSourceBootIni = 2;
inline constexpr int kUnset = -2;

// Values of loadState besides the running system's OS class.
inline constexpr int kLoadNotRead = -2;
inline constexpr int kLoadFromBootIni = 0;
inline constexpr int kLoadFromDisplayOrder = 3;

struct BootEntry {
  // Fields named like a bcdedit key hold that key's value as printed, trimmed; a value printed
  // over several lines is held with its lines joined by "\n".
  core::String identifier;
  core::String device;
  core::String description;
  core::String locale;
  core::String inherit;
  core::String resumeobject;
  // Boot manager only. `default` is a C++ keyword, hence defaultId.
  core::String defaultId;
  core::String displayorder;
  core::String toolsdisplayorder;
  core::String displaybootmenu;
  int timeout = 0;  // seconds; -1 = unknown
  // Every key read for this record; keyed exactly (case-sensitive). The only home of "path".
  std::map<core::String, core::String> elements;
  int loadState = kLoadNotRead;
  int sourceKind = kUnset;
  core::String rawText = NOT_READ_TEXT;
  core::String recoverysequence;
  core::String recoveryenabled;
  core::String osdevice;
  core::String systemroot;
  core::String nx;
  core::String winpe;
  core::String ems;
  core::String detecthal;
  core::String bootmenupolicy;
  core::String safeboot;
  core::String pae;
  int removed = 0;      // 1 = removed by the user in sort/delete mode
  int deleteMark = -1;  // -1 never listed, 0 listed, 1 marked for deletion

  void Reset();
  // The boot manager's own defaults: its GUID, its name, an unknown timeout and an empty path.
  void ResetBootManager();
  // The record as it is appended to the list: everything but the boot-manager-only fields
  // (default, displayorder, toolsdisplayorder, displaybootmenu, timeout), whose pairs stay in
  // elements.
  BootEntry Copy() const;

  // The application path lives only in elements under "path"; missing reads as empty.
  core::String GetPath() const;
  const core::String& SetPath(const core::String& value);
};

// Type-column label of a sourceKind: "OSLOAD", "BCD Entry", "Boot.ini" or "Others".
core::String KindLabel(int sourceKind);
