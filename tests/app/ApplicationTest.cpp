// The single-instance rule in-process, and the real program's "-setdir" and second start.
#include <gtest/gtest.h>

#include <vector>

#include "AppTestSupport.h"
#include "TestSupport.h"
#include "app/Application.h"
#include "base/Texts.h"
#include "resource.h"
#include "test_resource.h"
#include "texts.h"
#include "win/Dialog.h"

using namespace testing_support;
using namespace app_testing;

namespace {

// Stands in for the first instance's main window: records the system commands it is sent.
class FirstWindow : public win::Dialog {
 public:
  FirstWindow();
  std::vector<WPARAM> sysCommands;

 private:
  INT_PTR OnSysCommand(WPARAM wParam, LPARAM) {
    sysCommands.push_back(wParam);
    return TRUE;
  }
  static const win::MessageEntry<FirstWindow> kMessages[];
};

const win::MessageEntry<FirstWindow> FirstWindow::kMessages[] = {
    win::OnMessage(WM_SYSCOMMAND, &FirstWindow::OnSysCommand),
};

FirstWindow::FirstWindow() : win::Dialog(IDD_TEST_PROBE, kMessages) {}

struct Started {
  PROCESS_INFORMATION info = {};
  bool ok = false;
  ~Started() {
    if (!ok) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  DWORD WaitExit(DWORD milliseconds) {
    if (WaitForSingleObject(info.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
};

void Start(Started& process, const TempProgramFolder& folder, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + folder.File(L"vexa.exe") + L"\"" + arguments;
  STARTUPINFOW startup = {sizeof(startup)};
  process.ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.Path().c_str(), &startup, &process.info) != FALSE;
}

}  // namespace

TEST(Instance, SecondInstanceBringsTheFirstWindowForward) {
  SettingsSnapshot snapshot;
  ScopedSeams seams;
  AppSettings.appTitle = L"Vexa instance probe";
  Application first;
  ASSERT_TRUE(first.CheckSingleInstance());

  FirstWindow window;
  ASSERT_TRUE(window.CreateModeless(nullptr));
  SetWindowTextW(window.Handle(), AppSettings.appTitle.c_str());
  ASSERT_FALSE(IsWindowVisible(window.Handle()));

  Application second;
  EXPECT_FALSE(second.CheckSingleInstance());
  EXPECT_EQ(window.sysCommands, std::vector<WPARAM>{9});
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_EQ(GetForegroundWindow(), window.Handle());
  EXPECT_TRUE(seams.script.prompts.empty());
  window.End(0);
}

TEST(Instance, SecondInstanceWithAnotherCaptionIsToldAndTheMutexEndsWithExit) {
  SettingsSnapshot snapshot;
  ScopedSeams seams;
  AppSettings.languageFile.clear();
  AppSettings.appTitle = L"Vexa caption nobody has";
  Application first;
  ASSERT_TRUE(first.CheckSingleInstance());
  {
    Application second;
    EXPECT_FALSE(second.CheckSingleInstance());
  }
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ALREADY_RUNNING));
  EXPECT_EQ(seams.script.prompts[0].caption, AppSettings.appTitle);
  EXPECT_EQ(seams.script.prompts[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));

  first.Exit();
  Application third;
  EXPECT_TRUE(third.CheckSingleInstance()) << "Exit releases the mutex";
}

TEST(Program, SetdirMarksTheFolderAndEnds) {
  TempProgramFolder folder;
  ASSERT_TRUE(folder.CopyFromBuild(L"vexa.exe", L"vexa.exe"));
  Started process;
  Start(process, folder, L" -setdir");
  ASSERT_TRUE(process.ok);
  EXPECT_EQ(process.WaitExit(20000), 0u);

  std::wstring ini = folder.File(L"desktop.ini");
  auto value = [&](const wchar_t* key) {
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(L".ShellClassInfo", key, L"<none>", buffer, 260, ini.c_str());
    return std::wstring(buffer);
  };
  EXPECT_EQ(value(L"IconFile"), L"vexa.exe");
  EXPECT_EQ(value(L"IconIndex"), L"0");
  EXPECT_EQ(value(L"ConfirmFileOp"), L"0");
  EXPECT_NE(value(L"InfoTip"), L"<none>");
  EXPECT_EQ(GetFileAttributesW(ini.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE,
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  std::wstring dir = folder.Path().substr(0, folder.Path().size() - 1);
  DWORD attributes = GetFileAttributesW(dir.c_str());
  // Wine keeps no read-only flag on folders; the system flag is what makes Explorer read desktop.ini.
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY),
            static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesW(folder.File(L"wmast.dll").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no settings are touched";
  SetFileAttributesW(dir.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Program, SecondStartShowsTheFirstWindowUnderATranslatedTitle) {
  TempProgramFolder folder;
  ASSERT_TRUE(folder.CopyFromBuild(L"vexa.exe", L"vexa.exe"));
  // The window must be found by the title the language gives, not by the built-in caption.
  const std::wstring title = L"Vexa \u00DCbersetzt";
  ASSERT_TRUE(folder.WriteText(L"wmast.dll", app_testing::Utf16File(L"[Tavro]\nLang=7777\n")));
  CreateDirectoryW(folder.File(L"Language").c_str(), nullptr);
  ASSERT_TRUE(folder.WriteText(L"Language\\7777.ini", app_testing::Utf16File(L"[String]\n57344=" + title + L"\n")));
  Started first;
  Start(first, folder, L"");
  ASSERT_TRUE(first.ok);
  HWND window = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (window = FindProcessWindow(first.info.dwProcessId, title)) != nullptr; },
                        std::chrono::seconds(20)));
  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); })) << "minimising hides the window in the tray";

  Started second;
  Start(second, folder, L" -setdir ");  // not exactly -setdir: an ordinary start
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.WaitExit(20000), 0u) << "the second instance ends by itself, without asking";
  EXPECT_EQ(GetFileAttributesW(folder.File(L"desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; })) << "the first window is shown again";
  EXPECT_EQ(first.WaitExit(0), static_cast<DWORD>(STILL_ACTIVE));

  PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_EQ(first.WaitExit(20000), 0u);
}
