// The skinned button: colour slots, clicks in its three modes and the page buttons' looks.
#include <gtest/gtest.h>

#include <array>

#include "WindowTest.h"
#include "TestSupport.h"
#include "controls/ButtonPresets.h"
#include "controls/SkinButton.h"
#include "controls/SkinDialog.h"
#include "test_resource.h"
#include "win/Controls.h"

namespace {

using testing_support::Pixels;
using Colours = std::array<COLORREF, 6>;

constexpr Colours kStart = {RGB(0, 122, 204), RGB(1, 1, 1), RGB(200, 100, 50), RGB(3, 3, 3), RGB(4, 4, 4),
                            RGB(5, 5, 5)};

struct ColourCase {
  const char* what;
  bool shift;  // else set
  int slot;
  int value;  // the delta, or the colour
  bool accepted;
  Colours expected;
};

Colours With(int slot, COLORREF colour) {
  Colours colours = kStart;
  colours[slot] = colour;
  return colours;
}

TEST(SkinButton, ColourSlotsAndShifts) {
  const ColourCase cases[] = {
      {"hover lift of the primary blue", true, 0, 30, true, With(0, RGB(30, 152, 234))},
      {"a lift past 255 stops where blue reaches it", true, 0, 100, true, With(0, RGB(51, 173, 255))},
      {"a darkening past 0 stops where blue reaches it", true, 2, -80, true, With(2, RGB(150, 50, 0))},
      {"slot 5 is the last", false, 5, RGB(9, 8, 7), true, With(5, RGB(9, 8, 7))},
      {"slot 6 is refused", false, 6, RGB(9, 8, 7), false, kStart},
      {"a shift of slot 6 is refused", true, 6, 30, false, kStart},
      {"a negative slot is refused", false, -1, RGB(9, 8, 7), false, kStart},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.what);
    SkinButton button;
    for (int slot = 0; slot < 6; ++slot) button.SetColour(slot, kStart[slot], false);
    bool accepted = c.shift ? button.ShiftColour(c.slot, c.value, false)
                            : button.SetColour(c.slot, static_cast<COLORREF>(c.value), false);
    EXPECT_EQ(accepted, c.accepted);
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(button.Colour(slot), c.expected[slot]) << "slot " << slot;
  }
}

TEST(SkinButton, PrimaryColoursLightUpUnderTheMouse) {
  for (bool primary : {true, false}) {
    SkinButton button;
    SetPrimaryColours(button, primary);
    COLORREF back = primary ? RGB(0, 122, 204) : RGB(0, 142, 69);
    EXPECT_EQ(button.Colour(SkinButton::kBackHover), primary ? RGB(30, 152, 234) : RGB(30, 172, 99));
    EXPECT_EQ(button.Colour(SkinButton::kBackNormal), back);
    EXPECT_EQ(button.Colour(SkinButton::kBackFocus), back);
    for (int slot : {SkinButton::kTextHover, SkinButton::kTextNormal, SkinButton::kTextFocus})
      EXPECT_EQ(button.Colour(slot), RGB(255, 255, 255));
  }
}

// The button's parent: counts the clicks it is told of and what the button's check state was then.
class ButtonHost : public SkinDialog {
 public:
  ButtonHost();

  int clicks = 0;
  bool checkedAtLastClick = false;

 private:
  INT_PTR OnClicked(WPARAM, LPARAM) {
    ++clicks;
    checkedAtLastClick = win::IsChecked(Item(IDC_TEST_SKIN_BUTTON));
    return TRUE;
  }

  static const win::MessageEntry<ButtonHost> kMessages[];
};

const win::MessageEntry<ButtonHost> ButtonHost::kMessages[] = {
    win::OnCommand(IDC_TEST_SKIN_BUTTON, BN_CLICKED, &ButtonHost::OnClicked),
};

ButtonHost::ButtonHost() : SkinDialog(IDD_TEST_SKIN_BUTTON, kMessages) {}

struct ClickCase {
  const char* name;
  bool checkBox;
  const wchar_t* link;
  size_t shellCalls;
  bool checkedAfterOne;
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class SkinButtonClick : public testing::TestWithParam<ClickCase> {};

TEST_P(SkinButtonClick, TwoClicks) {
  const ClickCase& param = GetParam();
  testing_support::ScopedSeams seams;
  ButtonHost host;
  HWND window = host.CreateModeless(nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  SkinButton button;
  ASSERT_TRUE(button.Attach(window, IDC_TEST_SKIN_BUTTON));
  button.SetCheckBoxMode(param.checkBox);
  button.SetLinkTarget(param.link);

  win::Click(button.Handle());
  EXPECT_EQ(host.clicks, 1);
  EXPECT_EQ(host.checkedAtLastClick, param.checkedAfterOne);
  EXPECT_EQ(button.IsChecked(), param.checkedAfterOne);
  win::Click(button.Handle());
  EXPECT_EQ(host.clicks, 2);
  EXPECT_FALSE(button.IsChecked());

  ASSERT_EQ(seams.script.shellCalls.size(), param.shellCalls);
  for (const win::ShellCall& call : seams.script.shellCalls) {
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, param.link);
    EXPECT_EQ(call.show, SW_SHOWMAXIMIZED);
  }
  host.End(0);
}

INSTANTIATE_TEST_SUITE_P(SkinButton, SkinButtonClick,
                         testing::Values(ClickCase{"PlainOnlyNotifiesTheParent", false, L"", 0, false},
                                         ClickCase{"LinkIsOpenedByTheShell", false, L"https://vexa.example/", 2, false},
                                         // The check box wins over the link.
                                         ClickCase{"CheckBoxToggles", true, L"https://vexa.example/", 0, true}),
                         [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST(SkinButton, SelectedPageLookIsPressedAndShowsItsBitmap) {
  const POINT at = {101, 7};
  Pixels skin = testing_support::BitmapPixels(IDB_TEST_SKIN);
  Pixels picture = testing_support::BitmapPixels(IDB_TEST_BUTTON);
  ButtonHost host;
  ASSERT_TRUE(host.SetBackgroundBitmap(IDB_TEST_SKIN, RGB(240, 240, 240)));
  HWND window = host.CreateModeless(nullptr);
  testing_support::SetClientSize(window, skin.width, skin.height);
  SkinButton button;
  ASSERT_TRUE(button.Attach(window, IDC_TEST_SKIN_BUTTON));
  SetWindowPos(button.Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetPageButtonBaseLook(button);
  SetPageButtonSelectedLook(button, IDB_TEST_BUTTON, 0, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  // The look without the focus mark, which the only button of the window would otherwise carry.
  SetFocus(nullptr);
  testing_support::PaintNow(window);

  RECT client;
  GetClientRect(button.Handle(), &client);
  EXPECT_EQ(client.right, picture.width);
  EXPECT_EQ(client.bottom, picture.height);
  Pixels shown = testing_support::CaptureClient(window);
  // Pressed: the picture sits one pixel right and down; its red block and the strip it left
  // uncovered show the skin.
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      COLORREF behind = skin.At(at.x + x, at.y + y);
      COLORREF drawn = x > 0 && y > 0 ? picture.At(x - 1, y - 1) : RGB(255, 0, 0);
      COLORREF expected = drawn == RGB(255, 0, 0) ? behind : drawn;
      ASSERT_EQ(shown.At(at.x + x, at.y + y), expected) << "at " << x << "," << y;
    }
  }

  SetPageButtonUnselectedLook(button);
  testing_support::PaintNow(window);
  shown = testing_support::CaptureClient(window);
  // No picture and no border: only the skin behind it.
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      ASSERT_EQ(shown.At(at.x + x, at.y + y), skin.At(at.x + x, at.y + y)) << "at " << x << "," << y;

  // No longer pressed: with a caption it looks exactly like a page button never selected.
  SetWindowTextW(button.Handle(), L"Go");
  testing_support::PaintNow(window);
  Pixels unselected = testing_support::CaptureClient(window);
  button.Detach();
  SkinButton fresh;
  ASSERT_TRUE(fresh.Attach(window, IDC_TEST_SKIN_BUTTON));
  SetPageButtonBaseLook(fresh);
  testing_support::PaintNow(window);
  Pixels neverSelected = testing_support::CaptureClient(window);
  EXPECT_NE(unselected.data, shown.data);  // the caption shows
  EXPECT_EQ(unselected.data, neverSelected.data);
  host.End(0);
}

}  // namespace
