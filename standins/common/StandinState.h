// Where the stand-ins of bootsect.exe and wpeutil.exe record what they were asked to do, for tests and
// the demo to read: HKEY_LOCAL_MACHINE\Software\VexaStandIns\<tool>, one REG_SZ value per fact.
#pragma once
#include <string>

namespace standin {

inline constexpr wchar_t kStateKey[] = L"Software\\VexaStandIns";

bool RecordState(const std::wstring& tool, const std::wstring& name, const std::wstring& value);
// Empty when nothing was recorded.
std::wstring ReadState(const std::wstring& tool, const std::wstring& name);

}  // namespace standin
