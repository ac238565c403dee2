// Hover labels hold the mouse only while it is over them.
#include <gtest/gtest.h>

#include "controls/HoverStatic.h"
#include "test_resource.h"
#include "win/Dialog.h"

namespace {

class HoverHost : public win::Dialog {
 public:
  HoverHost() : win::Dialog(IDD_TEST_HOVER) {}
};

void Move(HWND label, int x, int y) { SendMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

struct ReleaseCase {
  const char* name;
  void (*release)(HWND label, HWND dialog);
};

void PrintTo(const ReleaseCase& c, std::ostream* out) { *out << c.name; }

void ClickRelease(HWND label, HWND) {
  SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

void CaptureElsewhere(HWND, HWND dialog) {
  SetCapture(dialog);
  ReleaseCapture();
}

void LeaveLabel(HWND label, HWND) { Move(label, -5, 3); }

class HoverStaticRelease : public testing::TestWithParam<ReleaseCase> {};

TEST_P(HoverStaticRelease, CaptureEndsAndTheNextMoveHoversAgain) {
  HoverHost host;
  HWND dialog = host.CreateModeless(nullptr);
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  HoverStatic label;
  ASSERT_TRUE(label.Attach(dialog, IDC_TEST_LABEL));
  EXPECT_TRUE(GetWindowLongPtrW(label.Handle(), GWL_STYLE) & SS_NOTIFY);

  Move(label.Handle(), 3, 3);
  EXPECT_EQ(GetCapture(), label.Handle());
  EXPECT_TRUE(label.IsHovering());

  GetParam().release(label.Handle(), dialog);
  EXPECT_NE(GetCapture(), label.Handle());
  EXPECT_FALSE(label.IsHovering());

  Move(label.Handle(), 4, 3);
  EXPECT_EQ(GetCapture(), label.Handle());
  EXPECT_TRUE(label.IsHovering());
  ReleaseCapture();
  host.End(0);
}

INSTANTIATE_TEST_SUITE_P(HoverStatic, HoverStaticRelease,
                         testing::Values(ReleaseCase{"ByAClick", &ClickRelease},
                                         ReleaseCase{"WhenAnotherWindowTakesTheMouse", &CaptureElsewhere},
                                         ReleaseCase{"WhenTheMouseLeaves", &LeaveLabel}),
                         [](const testing::TestParamInfo<ReleaseCase>& info) { return std::string(info.param.name); });

}  // namespace
