// The about page: version, links, background and closing.
#include "app/AboutDialog.h"

#include "app/Help.h"
#include "app/VersionText.h"
#include "art.h"
#include "base/AppSettings.h"
#include "base/Texts.h"
#include "controls/Drawing.h"
#include "resource.h"
#include "texts.h"
#include "win/Gdi.h"

namespace {

constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kLinkHoverColour = RGB(255, 214, 102);

}  // namespace

const win::MessageEntry<AboutDialog> AboutDialog::kMessages[] = {
    win::OnCommand(IDC_ABOUT_EMAIL, STN_CLICKED, &AboutDialog::OnEmail),
    win::OnCommand(IDC_ABOUT_FOOTER, STN_CLICKED, &AboutDialog::OnFooter),
    win::OnCommand(IDC_ABOUT_DONATE, STN_CLICKED, &AboutDialog::OnDonate),
    // The beta note hears clicks too, but it is no link.
    win::OnCommand(IDC_ABOUT_BETA_NOTE, STN_CLICKED, &AboutDialog::OnClose),
    // Enter and Escape, when the dialog manager turns them into commands.
    win::OnCommand(IDOK, BN_CLICKED, &AboutDialog::OnClose),
    win::OnCommand(IDCANCEL, BN_CLICKED, &AboutDialog::OnClose),
    win::OnMessage(WM_LBUTTONDOWN, &AboutDialog::OnClose),
    win::OnMessage(WM_RBUTTONDOWN, &AboutDialog::OnClose),
    win::OnMessage(WM_KEYDOWN, &AboutDialog::OnClose),
    win::OnMessage(WM_SYSKEYDOWN, &AboutDialog::OnClose),
    win::OnMessage(WM_GETDLGCODE, &AboutDialog::OnDialogCode),
};

AboutDialog::AboutDialog() : win::AppDialog(IDD_ABOUT, kMessages) {}

BOOL AboutDialog::OnInit() {
  background_ = LoadBitmapResource(IDB_ABOUT_BACKGROUND);
  SetUpLink(email_, IDC_ABOUT_EMAIL, IDS_EMAIL_TIP);
  SetUpLink(footer_, IDC_ABOUT_FOOTER, IDS_HOME_PAGE_TIP);
  SetUpLink(donate_, IDC_ABOUT_DONATE, IDS_DONATE_TIP);
  ShowItem(IDC_ABOUT_DONATE, true);
  SetItemText(IDC_ABOUT_EMAIL, kMakerEmail);
  SetItemText(IDC_ABOUT_FOOTER, kFooterText);

  SetItemText(IDC_ABOUT_VERSION, AboutVersionText(AppSettings.fileVersionMS, AppSettings.fileVersionLS));
  SetItemText(IDC_ABOUT_BETA_NOTE, L"Beta Version for Test");

  if (AppSettings.languageCode == L"404") {
    picture_ = LoadBitmapResource(IDB_ABOUT_PICTURE_ZH_TW);
    SendDlgItemMessageW(Handle(), IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture_.Get()));
  } else {
    ShowItem(IDC_ABOUT_PICTURE, false);
  }
  return TRUE;
}

void AboutDialog::SetUpLink(LinkStatic& link, int id, UINT tooltipId) {
  link.Attach(Handle(), id);
  link.SetColours(kTextColour, kLinkHoverColour);
  link.SetTransparent(true);
  link.SetTooltipText(GetText(tooltipId));
}

INT_PTR AboutDialog::OnEmail(WPARAM, LPARAM) {
  OpenInShell(std::wstring(L"mailto:") + kMakerEmail);
  return TRUE;
}

INT_PTR AboutDialog::OnFooter(WPARAM, LPARAM) {
  OpenInShell(kProductPage);
  return TRUE;
}

INT_PTR AboutDialog::OnDonate(WPARAM, LPARAM) {
  OpenInShell(kDonationPage);
  return TRUE;
}

INT_PTR AboutDialog::OnClose(WPARAM, LPARAM) {
  End(IDOK);
  return TRUE;
}

INT_PTR AboutDialog::OnDialogCode(WPARAM, LPARAM) {
  // Every key reaches the page itself instead of moving a focus it does not have.
  SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, DLGC_WANTALLKEYS);
  return TRUE;
}

void AboutDialog::DrawBackground(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  const SIZE size = BitmapSize(background_.Get());
  if (size.cx <= 0 || size.cy <= 0 || client.right <= 0) return;
  win::MemoryDc source(dc, background_.Get());
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  int drawn = size.cy;
  if (size.cx == client.right) {
    BitBlt(dc, 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
  } else {
    drawn = MulDiv(size.cy, client.right, size.cx);
    StretchBlt(dc, 0, 0, client.right, drawn, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
  }
  // The window is taller than the picture: its last row, drawn down to the bottom, continues the
  // picture's colours under the version and link lines.
  if (drawn < client.bottom)
    StretchBlt(dc, 0, drawn, client.right, client.bottom - drawn, source.Get(), 0, size.cy - 1, size.cx, 1, SRCCOPY);
}

bool AboutDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_ERASEBKGND:
      if (!background_) break;
      DrawBackground(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kTextColour);
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    }
    default:
      break;
  }
  return win::AppDialog::OnOtherMessage(message, wParam, lParam, result);
}
