// The control base: subclassing, table routing, detaching and failures inside handlers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "test_resource.h"
#include "win/Control.h"
#include "win/Controls.h"
#include "win/Dialog.h"

namespace {

class ProbeHost : public win::Dialog {
 public:
  ProbeHost() : win::Dialog(IDD_TEST_PROBE) {}
};

constexpr UINT kCount = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;

class ProbeControl : public win::Control {
 public:
  ProbeControl();

  int counted = 0;

 private:
  INT_PTR OnCount(WPARAM, LPARAM) { return ++counted; }
  INT_PTR OnSetText(WPARAM, LPARAM) { throw std::runtime_error("refused"); }
  INT_PTR OnThrowOther(WPARAM, LPARAM) { throw 42; }

  static const win::MessageEntry<ProbeControl> kMessages[];
};

const win::MessageEntry<ProbeControl> ProbeControl::kMessages[] = {
    win::OnMessage(kCount, &ProbeControl::OnCount),
    win::OnMessage(WM_SETTEXT, &ProbeControl::OnSetText),
    win::OnMessage(kThrowOther, &ProbeControl::OnThrowOther),
};

ProbeControl::ProbeControl() : win::Control(kMessages) {}

TEST(Control, RoutesThroughItsTableUntilDetachedOrDestroyed) {
  ProbeHost host;
  HWND dialog = host.CreateModeless(nullptr);
  HWND edit = host.Item(IDC_TEST_EDIT);
  LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);

  ProbeControl control;
  ASSERT_TRUE(control.Attach(dialog, IDC_TEST_EDIT));
  ProbeControl second;
  EXPECT_FALSE(second.Attach(edit));
  EXPECT_EQ(SendMessageW(edit, kCount, 0, 0), 1);

  control.Detach();
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
  EXPECT_EQ(SendMessageW(edit, kCount, 0, 0), 0);
  EXPECT_EQ(control.counted, 1);

  ASSERT_TRUE(second.Attach(edit));
  host.End(0);
  EXPECT_EQ(second.Handle(), nullptr);
}

WNDPROC g_below = nullptr;
int g_seenAbove = 0;

LRESULT CALLBACK SubclassAbove(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCount) ++g_seenAbove;
  return CallWindowProcW(g_below, hwnd, message, wParam, lParam);
}

// A tooltip's subclass, for one, sits above ours: detaching must not cut it out of the chain.
TEST(Control, DetachedBelowAnotherSubclassPassesEverythingOn) {
  ProbeHost host;
  HWND dialog = host.CreateModeless(nullptr);
  ProbeControl control;
  ASSERT_TRUE(control.Attach(dialog, IDC_TEST_EDIT));
  HWND edit = control.Handle();
  g_seenAbove = 0;
  g_below = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassAbove)));

  control.Detach();
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&SubclassAbove));
  SendMessageW(edit, kCount, 0, 0);
  SetWindowTextW(edit, L"still an edit");
  EXPECT_EQ(g_seenAbove, 1);
  EXPECT_EQ(control.counted, 0);
  EXPECT_EQ(win::WindowText(edit), L"still an edit");

  // Attached again, the object takes its old place in the chain instead of stacking another.
  ProbeControl again;
  ASSERT_TRUE(again.Attach(edit));
  SendMessageW(edit, kCount, 0, 0);
  EXPECT_EQ(again.counted, 1);
  EXPECT_EQ(g_seenAbove, 2);
  host.End(0);
}

TEST(Control, AFailingHandlerLeavesTheWindowWorking) {
  ProbeHost host;
  HWND dialog = host.CreateModeless(nullptr);
  ProbeControl control;
  ASSERT_TRUE(control.Attach(dialog, IDC_TEST_EDIT));

  // The handler throws; the edit's own procedure still takes the text.
  SetWindowTextW(control.Handle(), L"kept");
  EXPECT_EQ(win::WindowText(control.Handle()), L"kept");
  SendMessageW(control.Handle(), kThrowOther, 0, 0);

  EXPECT_TRUE(IsWindow(control.Handle()));
  EXPECT_EQ(SendMessageW(control.Handle(), kCount, 0, 0), 1);
  host.End(0);
}

}  // namespace
