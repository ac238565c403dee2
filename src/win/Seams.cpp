// Real implementations of the seams, and their scripted replacements for tests.
#include "win/Seams.h"

#include <commdlg.h>
#include <shellapi.h>

#include "win/Handles.h"

namespace win {
namespace {

SeamScript* g_script = nullptr;

bool EnableShutdownPrivilege() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) {
    // Windows 9x has no privileges to ask for: anyone may restart it.
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED;
  }
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return false;
  SetLastError(ERROR_SUCCESS);
  AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
  // AdjustTokenPrivileges succeeds even when it could not grant the privilege; the last error says.
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace

SeamScript* InstallSeamScript(SeamScript* script) {
  SeamScript* previous = g_script;
  g_script = script;
  return previous;
}

int DefaultButton(UINT flags) {
  int buttons[3] = {IDOK, 0, 0};
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons[0] = IDOK, buttons[1] = IDCANCEL; break;
    case MB_ABORTRETRYIGNORE: buttons[0] = IDABORT, buttons[1] = IDRETRY, buttons[2] = IDIGNORE; break;
    case MB_YESNOCANCEL: buttons[0] = IDYES, buttons[1] = IDNO, buttons[2] = IDCANCEL; break;
    case MB_YESNO: buttons[0] = IDYES, buttons[1] = IDNO; break;
    case MB_RETRYCANCEL: buttons[0] = IDRETRY, buttons[1] = IDCANCEL; break;
    default: break;
  }
  int index = (flags & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : (flags & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : 0;
  return buttons[index] ? buttons[index] : buttons[0];
}

int Prompt(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  if (!g_script) return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
  g_script->prompts.push_back({owner, text, caption, flags});
  if (g_script->promptAnswers.empty())
    return g_script->answerPrompt ? g_script->answerPrompt(g_script->prompts.back()) : DefaultButton(flags);
  int answer = g_script->promptAnswers.front();
  g_script->promptAnswers.pop_front();
  return answer;
}

std::optional<std::wstring> ChooseFile(HWND owner, const FileDialogRequest& request) {
  if (g_script) {
    g_script->fileDialogs.push_back({owner, request});
    if (g_script->fileAnswers.empty()) return std::nullopt;
    std::optional<std::wstring> answer = g_script->fileAnswers.front();
    g_script->fileAnswers.pop_front();
    return answer;
  }
  std::wstring filter = request.filter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  wchar_t path[MAX_PATH * 4] = {};
  request.fileName.copy(path, std::size(path) - 1);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path;
  ofn.nMaxFile = static_cast<DWORD>(std::size(path));
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpstrInitialDir = request.initialDirectory.empty() ? nullptr : request.initialDirectory.c_str();
  ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | request.flags;
  if (!request.save)
    ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  else if (request.confirmOverwrite)
    ofn.Flags |= OFN_OVERWRITEPROMPT;
  BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return std::wstring(path);
}

bool ShellRun(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
              const std::wstring& directory, int show) {
  if (g_script) {
    g_script->shellCalls.push_back({owner, verb, file, parameters, directory, show});
    return g_script->shellSucceeds;
  }
  HINSTANCE result = ShellExecuteW(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(),
                                   directory.empty() ? nullptr : directory.c_str(), show);
  // ShellExecuteW reports success as a value above 32.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  if (g_script)
    g_script->trayCalls.push_back({message, data.uFlags, data.szTip, data.szInfo, data.szInfoTitle, data.uTimeout});
  if (g_script && message == NIM_ADD && g_script->trayAddsRefused > 0) {
    --g_script->trayAddsRefused;
    return false;
  }
  if (Shell_NotifyIconW(message, &data)) return true;
  // Balloons need the second layout; an older shell refuses the larger records outright.
  for (DWORD size : {static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE), static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE)}) {
    if (data.cbSize <= size) continue;
    data.cbSize = size;
    if (Shell_NotifyIconW(message, &data)) return true;
  }
  return false;
}

bool RestartWindows(UINT flags, DWORD reason) {
  if (g_script) {
    g_script->restarts.push_back({flags, reason});
    return g_script->restartSucceeds;
  }
  return EnableShutdownPrivilege() && ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace win
