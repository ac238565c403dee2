// Where the stand-ins of bootsect.exe, wpeutil.exe, shutdown.exe, schtasks.exe and manage-bde.exe record what they were asked to do, for tests and
// the demo to read: HKEY_LOCAL_MACHINE\Software\VexaStandIns\<tool>, one REG_SZ value per fact.
#pragma once
#include <string>
#include <vector>

namespace standin {

inline constexpr wchar_t kStateKey[] = L"Software\\VexaStandIns";

bool RecordState(const std::wstring& tool, const std::wstring& name, const std::wstring& value);
// Empty when nothing was recorded.
std::wstring ReadState(const std::wstring& tool, const std::wstring& name);
// False when there was no such record, or it could not be removed.
bool RemoveState(const std::wstring& tool, const std::wstring& name);
// The names of the tool's records, in the registry's order.
std::vector<std::wstring> StateNames(const std::wstring& tool);

}  // namespace standin
