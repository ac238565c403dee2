// The about page in real windows: its picture, links opened normally, closing on a click beside
// the links or a key, and every road of the main window to it with the version line.
#include <gtest/gtest.h>

#include "ModalWindows.h"
#include "StoreSandbox.h"
#include "app/AboutDialog.h"
#include "app/Environment.h"
#include "app/Help.h"
#include "app/MainDialog.h"
#include "resource.h"

using namespace testing_support;

namespace {

class About : public testing::Test, protected StoreSandbox {
 protected:
  About() : StoreSandbox(Tools::kNone) {}
  void SetUp() override {
    AppSettings.languageCode = L"409";
    AppSettings.osClass = GetOsClass();
    AppSettings.fileVersionMS = MAKELONG(4, 2);
    AppSettings.fileVersionLS = MAKELONG(625, 2021);
  }
};

// As the mouse gives it: a label that listens for clicks hears it, else the page under it.
void ClickOn(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 1);
  bool listens = GetWindowLongPtrW(control, GWL_STYLE) & SS_NOTIFY;
  SendMessageW(listens ? control : dialog, WM_LBUTTONDOWN, MK_LBUTTON,
               listens ? MAKELPARAM(1, 1) : MAKELPARAM(rect.left + 1, rect.top + 1));
}

bool Shown(HWND dialog, int id) { return GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE; }

}  // namespace

TEST_F(About, LinksOpenNormallyAndAClickBesideThemOrAKeyCloses) {
  AboutDialog about;
  HWND dialog = about.CreateModeless(nullptr);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, IDC_ABOUT_BETA_NOTE), L"Beta Version for Test");
  EXPECT_TRUE(Shown(dialog, IDC_ABOUT_DONATE));
  EXPECT_FALSE(Shown(dialog, IDC_ABOUT_PICTURE)) << "the picture is only for language 404";
  for (int link : {IDC_ABOUT_EMAIL, IDC_ABOUT_FOOTER, IDC_ABOUT_DONATE}) ClickOn(dialog, link);
  std::vector<std::wstring> opened;
  for (const win::ShellCall& call : seams.script.shellCalls)
    opened.push_back(call.verb + L" " + call.file + (call.show == SW_SHOWNORMAL ? L"" : L" (not shown normally)"));
  EXPECT_EQ(opened, (std::vector<std::wstring>{std::wstring(L"open mailto:") + kMakerEmail,
                                               std::wstring(L"open ") + kProductPage,
                                               std::wstring(L"open ") + kDonationPage}));
  EXPECT_TRUE(IsWindow(dialog)) << "links leave the page open";
  about.End(0);

  AppSettings.languageCode = L"404";
  for (int closer : {IDC_ABOUT_VERSION, IDC_ABOUT_BETA_NOTE, IDC_ABOUT_PICTURE, 0}) {
    AboutDialog other;
    HWND window = other.CreateModeless(nullptr);
    EXPECT_TRUE(Shown(window, IDC_ABOUT_PICTURE));
    closer ? ClickOn(window, closer) : void(SendMessageW(window, WM_KEYDOWN, 'Q', 0));
    EXPECT_FALSE(IsWindow(window)) << closer;
  }
}

TEST_F(About, EveryRoadOfTheMainWindowOpensItWithTheVersion) {
  AppSettings.showWindow = true;
  MainDialog main;
  HWND window = main.CreateModeless(nullptr);
  ASSERT_TRUE(window);
  ShowWindow(window, SW_SHOW);
  struct Road {
    HWND target;
    UINT message;
    WPARAM wParam;
  } roads[] = {{main.Item(IDC_MAIN_ABOUT), BM_CLICK, 0},
               {window, WM_COMMAND, MAKEWPARAM(IDC_MAIN_FOOTER, STN_CLICKED)},
               {window, WM_SYSCOMMAND, 0x10},
               {window, WM_COMMAND, ID_TRAY_ABOUT},
               {nullptr, WM_COMMAND, ID_TRAY_ABOUT}};  // the tray, with the window hidden
  for (const Road& road : roads) {
    if (!road.target) main.HideToTray();
    std::wstring version;
    ModalRun run = WhileModal([&] { SendMessageW(road.target ? road.target : window, road.message, road.wParam, 0); },
                              [&](HWND dialog) {
                                version = ControlText(dialog, IDC_ABOUT_VERSION);
                                PostMessageW(dialog, WM_KEYDOWN, VK_SPACE, 0);
                              });
    EXPECT_EQ(run.opened.size(), 1u) << road.message;
    EXPECT_EQ(version, L"2.4 Beta ( Build 2021.0625 )") << road.message;
    EXPECT_TRUE(run.leftOpen.empty()) << road.message << ": a key closes it";
  }
  main.End(0);
}
