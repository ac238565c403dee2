// The skin behind a page: real windows on the virtual display, compared pixel by pixel.
#include <gtest/gtest.h>

#include <string>

#include "WindowTest.h"
#include "TestSupport.h"
#include "controls/Drawing.h"
#include "controls/SkinDialog.h"
#include "test_resource.h"
#include "win/Gdi.h"

namespace {

using testing_support::Pixels;

// A page as the main window's pages are: its background is the skin behind it.
class SkinnedPage : public win::Dialog {
 public:
  SkinnedPage();

 private:
  INT_PTR OnErase(WPARAM wParam, LPARAM) { return DrawSkinBehind(Handle(), reinterpret_cast<HDC>(wParam)); }

  static const win::MessageEntry<SkinnedPage> kMessages[];
};

const win::MessageEntry<SkinnedPage> SkinnedPage::kMessages[] = {
    win::OnMessage(WM_ERASEBKGND, &SkinnedPage::OnErase),
};

SkinnedPage::SkinnedPage() : win::Dialog(IDD_TEST_SKIN_PAGE, kMessages) {}

struct PageCase {
  const char* name;
  SIZE client;
  // At the skin's own size nothing is stretched: the page shows the bitmap's own pixels.
  bool skinSize;
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

class SkinBehindPage : public testing::TestWithParam<PageCase> {};

TEST_P(SkinBehindPage, PageShowsExactlyTheSkinItCovers) {
  const PageCase& param = GetParam();
  const RECT pageRect = {37, 23, 37 + 80, 23 + 60};
  Pixels bitmap = testing_support::BitmapPixels(IDB_TEST_SKIN);
  ASSERT_EQ(bitmap.width, 160);

  SkinDialog main(IDD_TEST_SKIN);
  ASSERT_TRUE(main.SetBackgroundBitmap(IDB_TEST_SKIN, RGB(240, 240, 240)));
  HWND window = main.CreateModeless(nullptr);
  ASSERT_NE(window, nullptr);
  testing_support::SetClientSize(window, param.client.cx, param.client.cy);
  SkinnedPage page;
  HWND pageWindow = page.CreateModeless(window);
  ASSERT_NE(pageWindow, nullptr);
  MoveWindow(pageWindow, pageRect.left, pageRect.top, pageRect.right - pageRect.left, pageRect.bottom - pageRect.top,
             FALSE);

  ShowWindow(window, SW_SHOWNOACTIVATE);
  testing_support::PaintNow(window);
  Pixels alone = testing_support::CaptureClient(window);
  ShowWindow(pageWindow, SW_SHOWNA);
  testing_support::PaintNow(window);
  Pixels withPage = testing_support::CaptureClient(window);
  ASSERT_EQ(withPage.width, param.client.cx);
  ASSERT_EQ(withPage.height, param.client.cy);

  // The page is invisible: every pixel, inside it and on both sides of its border, is what the
  // window showed without it.
  int differing = 0;
  for (size_t i = 0; i < alone.data.size(); ++i) differing += alone.data[i] != withPage.data[i];
  EXPECT_EQ(differing, 0);

  if (param.skinSize) {
    for (int y = pageRect.top; y < pageRect.bottom; ++y)
      for (int x = pageRect.left; x < pageRect.right; ++x)
        ASSERT_EQ(withPage.At(x, y), bitmap.At(x, y)) << "at " << x << "," << y;
  } else {
    // Fitted to the larger window: its far corner shows the skin's far corner, not what lies
    // beyond the bitmap.
    COLORREF corner = withPage.At(param.client.cx - 1, param.client.cy - 1);
    EXPECT_NEAR(GetRValue(corner), 159, 4);
    EXPECT_NEAR(GetGValue(corner), 119, 4);
  }
  main.End(0);
}

INSTANTIATE_TEST_SUITE_P(SkinDialog, SkinBehindPage,
                         testing::Values(PageCase{"AtTheSkinsSize", {160, 120}, true},
                                         PageCase{"InALargerWindow", {200, 150}, false}),
                         [](const testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

TEST(SkinDialog, WithoutSkinNothingIsDrawnBehindAPage) {
  SkinDialog main(IDD_TEST_SKIN);
  HWND window = main.CreateModeless(nullptr);
  SkinnedPage page;
  HWND pageWindow = page.CreateModeless(window);
  HDC screen = GetDC(nullptr);
  EXPECT_FALSE(DrawSkinBehind(pageWindow, screen));
  // Not inside any skinned dialog at all.
  EXPECT_FALSE(DrawSkinBehind(GetDesktopWindow(), screen));
  ReleaseDC(nullptr, screen);
  main.End(0);
}

}  // namespace

// Scaled pictures keep their holes: a key colour never tints the picture's edge, and a pixel
// mostly over holes is a hole again. Up and down, with and without a key.
TEST(ScaleBitmap, HolesStayHolesAndNeverTintThePicture) {
  const COLORREF key = RGB(255, 0, 255), blue = RGB(0, 0, 200);
  // Four columns: two of the key, two blue; scaled to 6, 3 and 2 columns.
  win::WindowDc screen(nullptr);
  win::UniqueBitmap source(CreateCompatibleBitmap(screen.Get(), 4, 4));
  {
    win::MemoryDc dc(screen.Get(), source.Get());
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 4; ++y) SetPixel(dc.Get(), x, y, x < 2 ? key : blue);
  }
  struct Case {
    int width;
    COLORREF transparent;
    const char* row;  // k: the key, b: blue, m: a blend of the two
  };
  const Case cases[] = {{6, key, "kkkbbb"}, {2, key, "kb"}, {8, key, "kkkkbbbb"}, {6, CLR_NONE, "kkmmbb"}};
  for (const Case& c : cases) {
    win::UniqueBitmap scaled = ScaleBitmap(source.Get(), {c.width, 3}, c.transparent);
    ASSERT_TRUE(scaled);
    testing_support::Pixels pixels = testing_support::BitmapPixels(scaled.Get());
    ASSERT_EQ(pixels.width, c.width);
    ASSERT_EQ(pixels.height, 3);
    std::string row;
    for (int x = 0; x < c.width; ++x) {
      COLORREF p = pixels.At(x, 1);
      row += p == key ? 'k' : p == blue ? 'b' : 'm';
    }
    EXPECT_EQ(row, c.row) << c.width << " columns";
  }
}
