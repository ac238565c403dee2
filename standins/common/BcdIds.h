// Identifiers of boot store objects: braced GUID texts, the tool's well-known aliases and new GUIDs.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace standin {

struct WellKnownId {
  const wchar_t* alias;
  const wchar_t* guid;
};

// The aliases bcdedit knows by a fixed GUID. {current} and {default} are not here: they are resolved
// against the store.
inline constexpr WellKnownId kWellKnownIds[] = {
    {L"{bootmgr}", L"{9dea862c-5cdd-4e70-acc1-f32b344d4795}"},
    {L"{fwbootmgr}", L"{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}"},
    {L"{memdiag}", L"{b2721d73-1db4-4c62-bf78-c548a880142d}"},
    {L"{ntldr}", L"{466f5a88-0af2-4f76-9038-095b170dc21c}"},
    {L"{ramdiskoptions}", L"{ae5534e0-a924-466c-b836-758539a3ee3a}"},
    {L"{globalsettings}", L"{7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}"},
    {L"{bootloadersettings}", L"{6efb52bf-1766-41db-a6b3-0ee5eff72bd7}"},
    {L"{resumeloadersettings}", L"{1afa9c49-16ab-4a5c-901b-212802da9460}"},
    {L"{dbgsettings}", L"{4636856e-540f-4170-a130-a84776f4c654}"},
    {L"{emssettings}", L"{0ce4991b-e6b3-4b16-b23c-5e0d9250e5d9}"},
    {L"{badmemory}", L"{5189b25c-5558-4bf2-bca4-289b11bd29e2}"},
    {L"{hypervisorsettings}", L"{7ff607e0-4395-11db-b0de-0800200c9a66}"},
};

inline constexpr wchar_t kBootMgrGuid[] = L"{9dea862c-5cdd-4e70-acc1-f32b344d4795}";
inline constexpr wchar_t kFwBootMgrGuid[] = L"{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}";
inline constexpr wchar_t kNtldrGuid[] = L"{466f5a88-0af2-4f76-9038-095b170dc21c}";
inline constexpr wchar_t kRamdiskOptionsGuid[] = L"{ae5534e0-a924-466c-b836-758539a3ee3a}";
inline constexpr wchar_t kMemDiagGuid[] = L"{b2721d73-1db4-4c62-bf78-c548a880142d}";

// A braced GUID in any letter case becomes the lower-case form the store keeps; anything else is empty.
std::wstring NormalizeGuid(std::wstring_view text);
// The GUID of a well-known alias (case-insensitive), or nothing.
std::optional<std::wstring> GuidOfAlias(std::wstring_view alias);
// The well-known alias of a GUID, or nothing.
std::optional<std::wstring> AliasOfGuid(std::wstring_view guid);
// A fresh random braced GUID in lower case.
std::wstring NewGuid();

}  // namespace standin
