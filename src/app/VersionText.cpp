// The current-system line: the running Windows read from the registry and the version API.
#include "app/VersionText.h"

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "store/RegistryRoutines.h"
#include "texts.h"

std::wstring AboutVersionText(DWORD fileVersionMS, DWORD fileVersionLS) {
  return base::Format(L"%d.%d Beta ( Build %04d.%04d )", HIWORD(fileVersionMS), LOWORD(fileVersionMS),
                      HIWORD(fileVersionLS), LOWORD(fileVersionLS));
}

SystemLine DescribeRunningSystem() {
  const bool legacy = AppSettings.osClass == -1;
  const std::wstring key =
      legacy ? L"Software\\Microsoft\\Windows\\CurrentVersion" : L"Software\\Microsoft\\Windows NT\\CurrentVersion";
  const bool wow64 = Runner().isWow64 != 0;
  std::wstring name = RegReadText(HKEY_LOCAL_MACHINE, key, L"ProductName", false, wow64, L"");
  if (wow64) name += L" x64";
  if (AppSettings.winPeState == 1) name += L" (WinPE)";
  AppSettings.currentSystemName = name;

  SystemLine result;
  if (legacy) {
    result.line = base::Format(GetText(IDS_CURRENT_SYSTEM), name);
    result.detail = base::Format(GetText(IDS_VERSION_DETAIL_TEXT),
                                 RegReadText(HKEY_LOCAL_MACHINE, key, L"VersionNumber", false, wow64, L""),
                                 RegReadText(HKEY_LOCAL_MACHINE, key, L"SubVersionNumber", false, wow64, L""));
    return result;
  }
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&version);
#pragma GCC diagnostic pop
  std::wstring servicePack = version.szCSDVersion;
  result.line = servicePack.empty() ? name : base::Format(L"%s,%s", name, servicePack);
  result.detail = base::Format(GetText(IDS_VERSION_DETAIL), static_cast<unsigned>(version.dwMajorVersion),
                               static_cast<unsigned>(version.dwMinorVersion),
                               static_cast<unsigned>(version.dwBuildNumber));
  return result;
}
