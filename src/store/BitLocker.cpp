// manage-bde.exe runs for the system drive, and the question before a change BitLocker checks.
#include "store/BitLocker.h"

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr wchar_t kManageBde[] = L"manage-bde.exe";

// The 32-bit process sees the 32-bit system folder; the native manage-bde.exe is the one to ask.
std::wstring ManageBdeFolder() {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  std::wstring folder = AddTrailingSlash(std::wstring(buffer, length < MAX_PATH ? length : 0));
  if (Runner().isWow64) folder = base::ReplaceFirstNoCase(folder, L"\\system32\\", L"\\SysNative\\");
  return folder;
}

}  // namespace

std::wstring SystemDrive() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"SystemDrive", buffer, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return buffer;
  // Without the variable: the drive of the Windows folder.
  length = GetWindowsDirectoryW(buffer, MAX_PATH);
  return length >= 2 && length < MAX_PATH ? std::wstring(buffer, 2) : L"C:";
}

DriveProtection SystemDriveProtection(ToolResult* run) {
  std::wstring folder = ManageBdeFolder();
  if (!FileExists(folder + kManageBde)) return DriveProtection::kNoTool;
  ToolResult status =
      Runner().ExecuteChecked(kManageBde, folder, L"-status " + SystemDrive() + L" -protectionaserrorlevel", 0);
  if (run) *run = status;
  if (!status.started) return DriveProtection::kUnknown;
  if (status.exitCode == 0) return DriveProtection::kOn;
  return status.exitCode == 1 ? DriveProtection::kOff : DriveProtection::kUnknown;
}

ToolResult SuspendProtectionForOneRestart() {
  return Runner().ExecuteChecked(kManageBde, ManageBdeFolder(),
                                 L"-protectors -disable " + SystemDrive() + L" -RebootCount 1", 0);
}

bool MayChangeWhatBitLockerChecks(HWND owner) {
  ToolResult status;
  DriveProtection protection = SystemDriveProtection(&status);
  if (protection == DriveProtection::kOff || protection == DriveProtection::kNoTool) return true;
  const std::wstring drive = SystemDrive();
  const UINT question = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
  // The tool is there but says neither yes nor no: the drive may well be protected, and only the
  // administrator knows whether the recovery key is at hand.
  if (protection == DriveProtection::kUnknown)
    return win::Prompt(owner, base::Format(GetText(IDS_BITLOCKER_ASK_UNKNOWN), drive, ResultText(status, kManageBde)),
                       AppSettings.appTitle, question) == IDYES;
  if (win::Prompt(owner, base::Format(GetText(IDS_BITLOCKER_ASK_SUSPEND), drive, drive), AppSettings.appTitle,
                  question) != IDYES)
    return false;
  ToolResult suspended = SuspendProtectionForOneRestart();
  if (suspended.Succeeded()) return true;
  win::Prompt(owner, base::Format(GetText(IDS_BITLOCKER_SUSPEND_FAILED), drive, ResultText(suspended, kManageBde)),
              AppSettings.appTitle, MB_OK | MB_ICONERROR);
  return false;
}
