// The partition question of the boot record update.
#include "bootloader/PartitionSelectDialog.h"

#include <cwctype>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Texts.h"
#include "bootloader/MbrMode.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "resource.h"
#include "store/FileRoutines.h"
#include "texts.h"

namespace {

// "C:\\" and the like.
bool IsDriveRoot(const std::wstring& path) {
  return path.size() == 3 && iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\';
}

}  // namespace

const win::MessageEntry<PartitionSelectDialog> PartitionSelectDialog::kMessages[] = {
    win::OnCommand(IDOK, BN_CLICKED, &PartitionSelectDialog::OnOk),
    win::OnCommand(IDC_PARTITION_UPDATE_MBR, BN_CLICKED, &PartitionSelectDialog::OnCheck),
    win::OnCommand(IDC_PARTITION_DONT_ASK, BN_CLICKED, &PartitionSelectDialog::OnCheck),
};

PartitionSelectDialog::PartitionSelectDialog(std::wstring& partitionArg, const PageContext& context)
    : win::AppDialog(IDD_PARTITION, kMessages), partitionArg_(partitionArg), context_(context) {}

BOOL PartitionSelectDialog::OnInit() {
  icon_ = LoadIconResource(IDI_BOOTLOADER, 32, 32);
  SendDlgItemMessageW(Handle(), IDC_PARTITION_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
  CheckItem(IDC_PARTITION_DONT_ASK, AppSettings.mbrUseSysMode != 0);
  SetItemText(IDC_PARTITION_EXPLANATION, GetText(IDS_BOOT_RECORD_EXPLANATION));
  FillPartitions();
  ok_.Attach(Handle(), IDOK);
  SetPrimaryColours(ok_, true);

  footerColour_ = AppSettings.osClass >= 6 ? GetSysColor(COLOR_BTNFACE) : RGB(240, 240, 240);
  footerBrush_.Reset(CreateSolidBrush(footerColour_));
  return TRUE;
}

void PartitionSelectDialog::FillPartitions() {
  partitions_.Attach(Item(IDC_PARTITION_LIST));
  partitions_.SetImageList(context_.systemSmall);
  partitions_.AddComputerItem(GetText(IDS_CURRENT_BOOT_PARTITION), L"SYS", false);
  partitions_.SetMountedOnly(true);
  partitions_.EnumerateVolumes();
  partitions_.FillVolumes(false);
  // bootsect takes a drive letter: a volume mounted on a folder would become an argument with
  // blanks, or name the folder's own drive.
  for (int i = partitions_.Count() - 1; i > 0; --i) {
    if (!IsDriveRoot(partitions_.ItemData(i))) SendMessageW(partitions_.Handle(), CBEM_DELETEITEM, i, 0);
  }
  SendMessageW(partitions_.Handle(), CB_SETCURSEL, 0, 0);
}

INT_PTR PartitionSelectDialog::OnCheck(WPARAM, LPARAM) {
  updateMbr = IsItemChecked(IDC_PARTITION_UPDATE_MBR);
  return TRUE;
}

INT_PTR PartitionSelectDialog::OnOk(WPARAM, LPARAM) {
  if (partitions_.Selection() < 0) return TRUE;
  updateMbr = IsItemChecked(IDC_PARTITION_UPDATE_MBR);
  std::wstring arg = StripTrailingSlash(partitions_.SelectedVolume());
  if (updateMbr) arg += L" /mbr";
  partitionArg_ = arg;
  // Unchecking never switches the question back on: the page's Set button does that.
  if (IsItemChecked(IDC_PARTITION_DONT_ASK)) StoreMbrUseSysMode(1);
  End(IDOK);
  return TRUE;
}

int PartitionSelectDialog::FooterTop() const {
  RECT line;
  GetWindowRect(Item(IDC_PARTITION_FOOTER_LINE), &line);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&line), 2);
  return line.top;
}

bool PartitionSelectDialog::EraseBackground(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  RECT footer = client;
  footer.top = FooterTop();
  client.bottom = footer.top;
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(dc, &footer, footerBrush_.Get());
  return true;
}

bool PartitionSelectDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  switch (message) {
    case WM_ERASEBKGND:
      if (!footerBrush_) break;
      result = EraseBackground(dc);
      return true;
    case WM_CTLCOLORDLG:
      result = reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The "do not notice me" box sits in the footer; everything else on white.
      bool inFooter = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_PARTITION_DONT_ASK && footerBrush_;
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, inFooter ? footerColour_ : RGB(255, 255, 255));
      result = reinterpret_cast<INT_PTR>(inFooter ? footerBrush_.Get() : GetStockObject(WHITE_BRUSH));
      return true;
    }
    default:
      break;
  }
  return win::AppDialog::OnOtherMessage(message, wParam, lParam, result);
}
