// Read-only view of the system boot store in the registry key Windows mounts it under, used when
// bcdedit.exe cannot be run. Every read goes to the value "Element" of
// HKEY_LOCAL_MACHINE <storeKeyName>\Objects\{id}\Elements\<element>, in the default registry view.
#pragma once
#include <string>

struct BootEntry;

// Element numbers of the mounted store that the program reads.
inline constexpr wchar_t kHiveDisplayOrder[] = L"24000001";
inline constexpr wchar_t kHiveDefault[] = L"23000003";
inline constexpr wchar_t kHiveBootSequence[] = L"24000002";
inline constexpr wchar_t kHiveTimeout[] = L"25000004";
inline constexpr wchar_t kHivePath[] = L"12000002";
inline constexpr wchar_t kHiveDescription[] = L"12000004";
inline constexpr wchar_t kHiveDevice[] = L"11000001";

// The HKEY_LOCAL_MACHINE subkey of one element of one object.
std::wstring HiveElementKey(const std::wstring& identifier, const std::wstring& element);
// The element's text; a list comes back joined with "\n" when multi is set, a single string
// unchanged. Without multi, environment variable references are expanded. Empty when unreadable.
std::wstring ReadHiveText(const std::wstring& identifier, const std::wstring& element, bool multi);
// An integer element (the first four bytes, little-endian); -1 when it cannot be read.
int ReadHiveInteger(const std::wstring& identifier, const std::wstring& element);
// Fills entry's path and description from the object named by entry.identifier.
void ReadObjectFromHive(BootEntry& entry);
// True when the legacy loader object has no path, or has one but no device element.
bool HiveLegacyEntryMissing();
