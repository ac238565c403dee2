// Start-up in order, the single-instance rule and exit.
#include "app/Application.h"

#include <commctrl.h>

#include <vector>

#include "base/AppSettings.h"
#include "app/Help.h"
#include "app/MainDialog.h"
#include "app/Settings.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr WPARAM kRestoreCommand = 9;

void ReadOwnFileVersion() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) return;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info) return;
  AppSettings.fileVersionMS = info->dwFileVersionMS;
  AppSettings.fileVersionLS = info->dwFileVersionLS;
}

}  // namespace

Application::Application() { ReadOwnFileVersion(); }

Application::~Application() { Exit(); }

Application& App() {
  static Application application;
  return application;
}

bool Application::Start(const std::wstring& commandLine) {
  // 0xFF is every class up to the date picker; the extended combo box of the volume pickers and
  // the link control come after it and would be missing on a comctl32 that registers on request.
  INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                   0xFF | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);

  if (commandLine == L"-setdir") {
    SetupProgramFolder();
    return false;
  }
  ResolveLanguage();
  AppSettings.appTitle = GetText(IDS_APP_TITLE);
  if (!CheckSingleInstance()) return false;
  LoadSettings(commandLine);
  SetHelpFile();
  if (AppSettings.osClass < 6) AppSettings.dialogBackground = RGB(240, 240, 240);

  MainDialog main;
  mainWindow_ = &main;
  main.RunModal(nullptr);
  mainWindow_ = nullptr;
  return false;
}

int Application::Exit() {
  instanceMutex_.Reset();
  return 0;
}

bool Application::CheckSingleInstance() {
  win::UniqueHandle existing(OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutexName));
  if (!existing) {
    // Two starts at the same moment can both miss the mutex; the one whose create finds it
    // already there is the second instance.
    win::UniqueHandle created(CreateMutexW(nullptr, TRUE, kInstanceMutexName));
    DWORD error = GetLastError();
    if (created && error != ERROR_ALREADY_EXISTS) {
      instanceMutex_.Reset(created.Release());
      return true;
    }
  }

  HWND other = FindWindowW(L"#32770", AppSettings.appTitle.c_str());
  if (other) {
    HWND popup = GetLastActivePopup(other);
    SendMessageW(other, WM_SYSCOMMAND, kRestoreCommand, 0);
    ShowWindow(other, SW_SHOWNORMAL);
    SetForegroundWindow(popup);
  } else {
    win::Prompt(nullptr, GetText(IDS_ALREADY_RUNNING), AppSettings.appTitle, MB_ICONEXCLAMATION);
  }
  return false;
}

void Application::SetHelpFile() { ChooseHelpFile(); }

bool AskChangeWithoutCopy(const std::wstring& failure) {
  return win::Prompt(GetActiveWindow(), failure + GetText(IDS_ASK_CHANGE_WITHOUT_COPY), AppSettings.appTitle,
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}
