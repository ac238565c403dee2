// The two roads of autostart: the logon task through schtasks.exe, and the Run value.
#include "app/AutoStart.h"

#include <windows.h>

#include <vector>

#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "core/LogonTask.h"
#include "store/BcdEditRunner.h"
#include "store/FileReplace.h"
#include "store/RegistryRoutines.h"
#include "texts.h"
#include "win/Handles.h"

namespace {

constexpr wchar_t kSchtasks[] = L"schtasks.exe";
constexpr wchar_t kTaskFileName[] = L"VexaLogonTask.xml";

std::wstring ModulePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// A 32-bit process under WOW64 is given SysWOW64 here, whose schtasks.exe serves as well.
ToolResult RunSchtasks(const std::wstring& arguments) {
  wchar_t folder[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  std::wstring directory = std::wstring(folder, length < MAX_PATH ? length : 0) + L"\\";
  return Runner().ExecuteChecked(kSchtasks, directory, arguments, 0);
}

std::wstring TaskNameArgument() { return base::Format(L"/tn \"%s\"", kRunValueName); }

// The account of this process as the scheduler names users: DOMAIN\name.
std::wstring CurrentUserName() {
  win::UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return {};
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size ? size : 1);
  if (!GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) return {};
  PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  wchar_t name[256] = {}, domain[256] = {};
  DWORD nameLength = 256, domainLength = 256;
  SID_NAME_USE use;
  if (!LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) return {};
  return std::wstring(domain) + L"\\" + name;
}

// schtasks reads the definition as the UTF-16 its first line declares.
bool WriteTaskFile(const std::wstring& path, const std::wstring& text) {
  std::string bytes("\xFF\xFE", 2);
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return WriteWholeFile(path, bytes);
}

std::wstring TaskFailure(const std::wstring& reason) {
  return base::Format(GetText(IDS_AUTOSTART_TASK_FAILED), base::TrimText(reason));
}

std::wstring MakeTask() {
  // In the program's folder, not the user's temporary one: there any process of the user's, without
  // elevation, could swap the file for one that runs a program of its own at the highest level,
  // while whoever may write the program's folder could as well replace vexa.exe.
  const std::wstring file = Runner().ProgramDir() + kTaskFileName;
  if (!WriteTaskFile(file, LogonTaskDefinition(CurrentUserName(), ModulePath(), L"-mini")))
    return TaskFailure(base::Format(GetText(IDS_SCRIPT_NOT_SAVED), file));
  ToolResult result = RunSchtasks(base::Format(L"/create %s /xml \"%s\" /f", TaskNameArgument(), file));
  DeleteFileW(file.c_str());
  return result.Succeeded() ? L"" : TaskFailure(ResultText(result, kSchtasks));
}

std::wstring DeleteTask() {
  ToolResult result = RunSchtasks(base::Format(L"/delete %s /f", TaskNameArgument()));
  return result.Succeeded() ? L"" : TaskFailure(ResultText(result, kSchtasks));
}

bool RunValueExists() {
  return !RegReadText(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, false, false, L"").empty();
}

}  // namespace

bool UacEnabled() {
  win::UniqueKey key;
  const REGSAM access = KEY_QUERY_VALUE | (Runner().isWow64 ? KEY_WOW64_64KEY : 0);
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPolicySystemKey, 0, access, key.Receive()) != ERROR_SUCCESS) return false;
  DWORD value = 0, size = sizeof(value), type = 0;
  return RegQueryValueExW(key.Get(), L"EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
             ERROR_SUCCESS &&
         type == REG_DWORD && value == 1;
}

bool ReadAutoStart() {
  // A query's only answer that does not depend on the machine's language is its exit code.
  if (UacEnabled()) return RunSchtasks(L"/query " + TaskNameArgument()).Succeeded();
  return RunValueExists();
}

std::wstring AutoStartCommand() { return base::Format(L"\"%s\" %s", ModulePath(), L"-mini"); }

std::wstring WriteAutoStart(bool on) {
  if (UacEnabled()) {
    const std::wstring failure = on ? MakeTask() : DeleteTask();
    // The value of an older Vexa goes, once the task has taken its place or the user wants no
    // autostart: UAC skips it now, but it would start Vexa again should UAC be turned off.
    if (failure.empty() && RunValueExists()) RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName);
    return failure;
  }
  const std::wstring command = AutoStartCommand();
  if (on)
    RegWriteString(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, command);
  else
    RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName);
  // The write's own result is not the whole story (a policy or another program may own the
  // value): what counts is what Windows will find at the next start.
  const std::wstring now = RegReadText(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, false, false, L"");
  return (on ? now == command : now.empty()) ? L"" : GetText(IDS_AUTOSTART_REFUSED);
}
