// Restarting the machine: WinPE through its wpeutil.exe from the native system folder, Windows
// through the restart call; both with no page behind them.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "store/RestartComputer.h"
#include "store/RegistryRoutines.h"

using namespace testing_support;

TEST(RestartComputer, WinPeRestartsThroughWpeutilAndWindowsThroughTheRestartCall) {
  struct Case {
    int winPeState;
    bool shutdown;
    const wchar_t* wpeutilRequest;  // null: Windows' own restart call
    UINT restartFlags;
  } cases[] = {
      {1, false, L"Reboot", 0},
      {1, true, L"Shutdown", 0},
      {0, false, nullptr, EWX_REBOOT},
      {0, true, nullptr, EWX_SHUTDOWN},
      // Not known yet: this system folder is no WinPE one (it does not start with X:\).
      {-1, false, nullptr, EWX_REBOOT},
  };
  for (const Case& c : cases) {
    StoreSandbox sandbox;
    // The 32-bit process reaches the native system folder through SysNative.
    ASSERT_TRUE(sandbox.PlaceFile(L"C:\\windows\\SysNative\\wpeutil.exe",
                                  ReadFileBytes(BuildFile(L"standins\\wpeutil.exe"))));
    AppSettings.winPeState = c.winPeState;
    AppSettings.osClass = 10;
    RestartComputer(c.shutdown);

    std::wstring request = RegReadText(HKEY_LOCAL_MACHINE, L"Software\\VexaStandIns\\Wpeutil", L"LastRequest",
                                       false, false, L"<none>");
    const auto& restarts = sandbox.seams.script.restarts;
    if (c.wpeutilRequest) {
      EXPECT_EQ(request, c.wpeutilRequest);
      EXPECT_TRUE(restarts.empty());
    } else {
      EXPECT_EQ(request, L"<none>");
      ASSERT_EQ(restarts.size(), 1u);
      EXPECT_EQ(restarts[0].flags, c.restartFlags);
    }
  }
}
