// The single-instance rule in-process, and the real program's "-setdir" and second start.
#include <gtest/gtest.h>

#include <vector>

#include "StoreSandbox.h"
#include "app/Application.h"
#include "base/Texts.h"
#include "resource.h"
#include "test_resource.h"
#include "texts.h"
#include "win/Dialog.h"

using namespace testing_support;

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

}  // namespace

TEST(Instance, SecondInstanceBringsTheFirstWindowForward) {
  StoreSandbox sandbox;
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
  EXPECT_TRUE(sandbox.seams.script.prompts.empty());
  window.End(0);
}

TEST(Instance, SecondInstanceWithAnotherCaptionIsToldAndTheMutexEndsWithExit) {
  StoreSandbox sandbox;
  AppSettings.languageFile.clear();
  AppSettings.appTitle = L"Vexa caption nobody has";
  Application first;
  ASSERT_TRUE(first.CheckSingleInstance());
  {
    Application second;
    EXPECT_FALSE(second.CheckSingleInstance());
  }
  const auto& prompts = sandbox.seams.script.prompts;
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_EQ(prompts[0].text, GetText(IDS_ALREADY_RUNNING));
  EXPECT_EQ(prompts[0].caption, AppSettings.appTitle);
  EXPECT_EQ(prompts[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));

  first.Exit();
  Application third;
  EXPECT_TRUE(third.CheckSingleInstance()) << "Exit releases the mutex";
}

TEST(Program, SetdirMarksTheFolderAndEnds) {
  StoreSandbox sandbox;
  ChildProcess process = sandbox.StartProgram(L" -setdir");
  ASSERT_TRUE(process.Started());
  EXPECT_EQ(process.WaitExit(20000), 0u);

  const TempProgramFolder& folder = sandbox.folder;
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
}

TEST(Program, SecondStartShowsTheFirstWindowUnderATranslatedTitle) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());  // a store the tool cannot list would be told of in a box
  // The window must be found by the title the language gives, not by the built-in caption.
  const std::wstring title = L"Vexa \u00DCbersetzt";
  ASSERT_TRUE(sandbox.folder.WriteText(L"wmast.dll", Utf16File(L"[Tavro]\nLang=7777\n")));
  CreateDirectoryW(sandbox.folder.File(L"Language").c_str(), nullptr);
  ASSERT_TRUE(sandbox.folder.WriteText(L"Language\\7777.ini", Utf16File(L"[String]\n57344=" + title + L"\n")));
  ChildProcess first = sandbox.StartProgram(L"");
  ASSERT_TRUE(first.Started());
  HWND window = first.WaitForWindow(title);
  ASSERT_NE(window, nullptr);
  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); })) << "minimising hides the window in the tray";

  ChildProcess second = sandbox.StartProgram(L" -setdir ");  // not exactly -setdir: an ordinary start
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.WaitExit(20000), 0u) << "the second instance ends by itself, without asking";
  EXPECT_EQ(GetFileAttributesW(sandbox.folder.File(L"desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; })) << "the first window is shown again";
  EXPECT_EQ(first.WaitExit(0), static_cast<DWORD>(STILL_ACTIVE));

  PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_EQ(first.WaitExit(20000), 0u);
}
