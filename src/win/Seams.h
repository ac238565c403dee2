// The few places where the program hands control to the user or the system: message boxes, the
// common file dialogs, shell execution and restarting Windows. Production code calls these; a test
// installs a SeamScript to answer them and to record what was asked.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace win {

struct PromptCall {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT flags;
};

struct FileDialogRequest {
  bool save = false;
  std::wstring title;
  // Filter pairs separated by '|' ("Store files|*.bcd|All files|*.*"); converted to the API's NULs.
  std::wstring filter;
  std::wstring defaultExtension;
  std::wstring initialDirectory;
  std::wstring fileName;  // initial name shown in the box
  DWORD flags = 0;        // extra OFN_ flags
  // A Save As box asks before choosing an existing file, unless the caller asks that itself later.
  bool confirmOverwrite = true;
};

struct FileDialogCall {
  HWND owner;
  FileDialogRequest request;
};

struct ShellCall {
  HWND owner;
  std::wstring verb;
  std::wstring file;
  std::wstring parameters;
  std::wstring directory;
  int show;
};

// What the program asked of the notification area: the record's fields that tests look at.
struct TrayCall {
  DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
  UINT flags;     // NIF_...
  std::wstring tip;
  std::wstring info;
  std::wstring infoTitle;
  UINT timeout;
};

struct RestartCall {
  UINT flags;
  DWORD reason;
};

// What a test scripts. Prompts with no queued answer take their default button; file dialogs with
// no queued answer are cancelled.
struct SeamScript {
  std::deque<int> promptAnswers;
  // When set, answers the prompts that have no queued answer (a test that picks among the box's
  // own buttons).
  std::function<int(const PromptCall&)> answerPrompt;
  std::vector<PromptCall> prompts;

  std::deque<std::optional<std::wstring>> fileAnswers;
  std::vector<FileDialogCall> fileDialogs;

  bool shellSucceeds = true;
  std::vector<ShellCall> shellCalls;

  bool restartSucceeds = true;
  std::vector<RestartCall> restarts;

  // The tray is not scripted: calls are recorded and still made; except that this many NIM_ADD
  // calls are refused without being made, as by a taskbar that does not exist yet.
  std::vector<TrayCall> trayCalls;
  int trayAddsRefused = 0;
};

// Installs script (nullptr restores the real calls); returns the one it replaced.
SeamScript* InstallSeamScript(SeamScript* script);

// MessageBoxW: returns the button chosen (IDOK, IDYES, ...).
int Prompt(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
// GetOpenFileNameW / GetSaveFileNameW: the chosen path, or nothing when cancelled. The process's
// current folder stays where it was, so relative paths keep their meaning.
std::optional<std::wstring> ChooseFile(HWND owner, const FileDialogRequest& request);
// ShellExecuteW: true when the shell accepted the request.
bool ShellRun(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
              const std::wstring& directory, int show);
// Shell_NotifyIconW, made for real and recorded when a script is installed. An icon record too
// new for the shell (Windows 2000 and XP refuse the newest size) is offered again in the older
// layouts it accepts.
bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data);
// The shutdown privilege enabled, then ExitWindowsEx: false when either is refused. A script
// stands for both (restartSucceeds).
bool RestartWindows(UINT flags, DWORD reason);

// The button a message box of these flags gives when the user just presses Enter.
int DefaultButton(UINT flags);

}  // namespace win
