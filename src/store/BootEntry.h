// One boot menu entry (store object, boot.ini line, boot manager or running system), its reset
// states, the well-known identifiers and the source labels of the list's type column.
#pragma once
#include <map>
#include <string>

// rawText of a record that nothing has been parsed into yet; parse steps treat it like empty text.
inline constexpr wchar_t NOT_READ_TEXT[] = L"It's OS_ALL_INFO";

inline constexpr wchar_t kBootMgrAlias[] = L"{bootmgr}";
inline constexpr wchar_t kBootMgrGuid[] = L"{9dea862c-5cdd-4e70-acc1-f32b344d4795}";
inline constexpr wchar_t kNtldrAlias[] = L"{ntldr}";
inline constexpr wchar_t kNtldrGuid[] = L"{466f5a88-0af2-4f76-9038-095b170dc21c}";
inline constexpr wchar_t kRamdiskOptionsAlias[] = L"{ramdiskoptions}";
inline constexpr wchar_t kRamdiskOptionsGuid[] = L"{ae5534e0-a924-466c-b836-758539a3ee3a}";
inline constexpr wchar_t kCurrentAlias[] = L"{current}";
inline constexpr wchar_t kBootManagerName[] = L"Windows Boot Manager";

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
  std::wstring identifier;
  std::wstring device;
  std::wstring description;
  std::wstring locale;
  std::wstring inherit;
  std::wstring resumeobject;
  // Boot manager only. `default` is a C++ keyword, hence defaultId.
  std::wstring defaultId;
  std::wstring displayorder;
  std::wstring toolsdisplayorder;
  std::wstring displaybootmenu;
  int timeout = 0;  // seconds; -1 = unknown
  // Every key read for this record; keyed exactly (case-sensitive). The only home of "path".
  std::map<std::wstring, std::wstring> elements;
  int loadState = kLoadNotRead;
  int sourceKind = kUnset;
  std::wstring rawText = NOT_READ_TEXT;
  std::wstring recoverysequence;
  std::wstring recoveryenabled;
  std::wstring osdevice;
  std::wstring systemroot;
  std::wstring nx;
  std::wstring winpe;
  std::wstring ems;
  std::wstring detecthal;
  std::wstring bootmenupolicy;
  std::wstring safeboot;
  std::wstring pae;
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
  std::wstring GetPath() const;
  const std::wstring& SetPath(const std::wstring& value);
};

// Type-column label of a sourceKind: "OSLOAD", "BCD Entry", "Boot.ini" or "Others".
std::wstring KindLabel(int sourceKind);

// Case-insensitive comparison of identifiers (and of other invariant texts).
bool SameText(const std::wstring& a, const std::wstring& b);
