// The Bootloader page: its message table, start-up, control states, notes and colours.
#include "bootloader/BootloaderPage.h"

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "controls/SkinDialog.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "store/SafetyNet.h"
#include "store/ToolSetup.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr COLORREF kTitleColour = RGB(0, 122, 204);
constexpr COLORREF kNoteColour = RGB(0, 0, 255);
constexpr COLORREF kWarningColour = RGB(255, 0, 0);

// The upper half's controls that need the tool and the store.
constexpr int kBackupControls[] = {
    IDC_BOOTLOADER_BROWSE_BACKUP, IDC_BOOTLOADER_BROWSE_RESTORE, IDC_BOOTLOADER_BACKUP_PATH,
    IDC_BOOTLOADER_RESTORE_PATH,  IDC_BOOTLOADER_BACKUP_LABEL,   IDC_BOOTLOADER_RESTORE_LABEL,
};

// Labels drawn in a colour of their own; the rest take the default text colour.
struct LabelColour {
  int id;
  COLORREF colour;
};
constexpr LabelColour kLabelColours[] = {
    {IDC_BOOTLOADER_INSTALL_TITLE, kTitleColour},
    {IDC_BOOTLOADER_BACKUP_TITLE, kTitleColour},
    {IDC_BOOTLOADER_BACKUP_NOTE, kNoteColour},
    {IDC_BOOTLOADER_WARNING, kWarningColour},
};

}  // namespace

const win::MessageEntry<BootloaderPage> BootloaderPage::kMessages[] = {
    win::OnCommand(IDC_BOOTLOADER_BROWSE_BACKUP, BN_CLICKED, &BootloaderPage::OnBrowseBackup),
    win::OnCommand(IDC_BOOTLOADER_BROWSE_RESTORE, BN_CLICKED, &BootloaderPage::OnBrowseRestore),
    win::OnCommand(IDC_BOOTLOADER_BACKUP, BN_CLICKED, &BootloaderPage::OnBackup),
    win::OnCommand(IDC_BOOTLOADER_RESTORE, BN_CLICKED, &BootloaderPage::OnRestore),
    win::OnCommand(IDC_BOOTLOADER_UNDO_RUN, BN_CLICKED, &BootloaderPage::OnUndoRun),
    win::OnCommand(IDC_BOOTLOADER_UPDATE_RECORD, BN_CLICKED, &BootloaderPage::OnUpdateRecord),
    win::OnCommand(IDC_BOOTLOADER_RESET_MBR_MODE, BN_CLICKED, &BootloaderPage::OnResetMbrMode),
    win::OnCommand(IDC_BOOTLOADER_INSTALL_BOOTMGR, BN_CLICKED, &BootloaderPage::OnModeChosen),
    win::OnCommand(IDC_BOOTLOADER_INSTALL_NTLDR, BN_CLICKED, &BootloaderPage::OnModeChosen),
    win::OnCommand(IDC_BOOTLOADER_BACKUP_PATH, EN_CHANGE, &BootloaderPage::OnBackupPathChange),
    win::OnCommand(IDC_BOOTLOADER_RESTORE_PATH, EN_CHANGE, &BootloaderPage::OnRestorePathChange),
};

BootloaderPage::BootloaderPage(const PageContext& context)
    : SkinPage(IDD_BOOTLOADER, kMessages), partitionArg(L"SYS"), context_(context) {}

BOOL BootloaderPage::OnInit() {
  pageIcon_.Attach(Handle(), IDC_BOOTLOADER_PAGE_ICON);
  browseBackup_.Attach(Handle(), IDC_BOOTLOADER_BROWSE_BACKUP);
  browseRestore_.Attach(Handle(), IDC_BOOTLOADER_BROWSE_RESTORE);
  resetMbrMode_.Attach(Handle(), IDC_BOOTLOADER_RESET_MBR_MODE);

  // The page icon only shows a picture: no border, no cursor, no tooltip; its name is the page's.
  MakePictureButton(pageIcon_, ItemText(IDC_BOOTLOADER_CAPTION));
  pageIcon_.SetIcon(IDI_BOOTLOADER, 16, 16);
  pageIcon_.SizeToImage();
  for (SkinButton* button : {&browseBackup_, &browseRestore_, &resetMbrMode_}) button->UseBalloonTooltips();
  ApplyTooltips();

  // Tools first: the copy EnsureTools makes of bootsect.exe must be found by the look that follows.
  EnsureTools();
  LocateBootsect();
  bool enabled = AppSettings.toolsAvailable && AppSettings.bcdSystem;
  for (int id : kBackupControls) EnableItem(id, enabled);
  if (enabled) {
    SYSTEMTIME today;
    GetLocalTime(&today);
    SetItemText(IDC_BOOTLOADER_BACKUP_PATH, DefaultBackupName(today));
  }
  backupNote_ = !AppSettings.bcdSystem        ? IDS_NOTE_NO_BCD_STORE
                : !AppSettings.toolsAvailable ? IDS_NOTE_NO_BCDEDIT
                                              : IDS_BACKUP_SCOPE_NOTE;
  warningNote_ = bootsectDir.empty() ? IDS_NOTE_NO_BOOTSECT : IDS_BACKUP_CAUTION;
  EnableItem(IDC_BOOTLOADER_INSTALL_BOOTMGR, !bootsectDir.empty());
  EnableItem(IDC_BOOTLOADER_INSTALL_NTLDR, !bootsectDir.empty());
  ApplyNotes();
  ExchangeData();
  return TRUE;
}

void BootloaderPage::Refresh(int) { ExchangeData(); }

void BootloaderPage::Relocalize() {
  SkinPage::Relocalize();
  MakePictureButton(pageIcon_, ItemText(IDC_BOOTLOADER_CAPTION));
  ApplyNotes();
  ApplyTooltips();
  ExchangeData();
}

std::wstring BootloaderPage::DefaultBackupName(const SYSTEMTIME& day) {
  return base::Format(L"Backup\\%04d_%02d_%02d.BCD", static_cast<int>(day.wYear), static_cast<int>(day.wMonth),
                      static_cast<int>(day.wDay));
}

void BootloaderPage::ExchangeData() {
  EnableItem(IDC_BOOTLOADER_UPDATE_RECORD,
             IsItemChecked(IDC_BOOTLOADER_INSTALL_BOOTMGR) || IsItemChecked(IDC_BOOTLOADER_INSTALL_NTLDR));
  ShowItem(IDC_BOOTLOADER_RESET_MBR_MODE, AppSettings.mbrUseSysMode != 0);
  const RunChanges& changes = Runner().changes;
  EnableItem(IDC_BOOTLOADER_UNDO_RUN, (AppSettings.toolsAvailable && AppSettings.bcdSystem && HasStoreCopy(changes)) ||
                                          HasBootIniCopy(changes));
}

void BootloaderPage::ApplyNotes() {
  SetNote(IDC_BOOTLOADER_BACKUP_NOTE, GetText(backupNote_));
  SetNote(IDC_BOOTLOADER_WARNING, GetText(warningNote_));
  SetItemText(IDC_BOOTLOADER_UNDO_RUN, GetText(IDS_UNDO_SINCE_START));
}

void BootloaderPage::SetNote(int id, const std::wstring& text) {
  SetItemText(id, text);
  // Drawn without a brush: the old text would stay under the new one.
  RedrawWithParent(Item(id));
}

void BootloaderPage::ApplyTooltips() {
  MakeImageButton(browseBackup_, context_.buttonImages, art::kImageSaveAs, IDR_HAND_CURSOR, GetText(IDS_SAVE_AS));
  MakeImageButton(browseRestore_, context_.buttonImages, art::kImageBrowse, IDR_HAND_CURSOR,
                  GetText(IDS_BROWSE_FILE));
  MakeImageButton(resetMbrMode_, context_.buttonImages, art::kImageConfig, IDR_HAND_CURSOR,
                  base::Format(GetText(IDS_RESTORE_DEFAULT_MODE_TIP), ItemText(IDC_BOOTLOADER_INSTALL_TITLE)));
}

INT_PTR BootloaderPage::OnBackupPathChange(WPARAM, LPARAM) {
  EnableItem(IDC_BOOTLOADER_BACKUP, !ItemText(IDC_BOOTLOADER_BACKUP_PATH).empty());
  return TRUE;
}

INT_PTR BootloaderPage::OnRestorePathChange(WPARAM, LPARAM) {
  EnableItem(IDC_BOOTLOADER_RESTORE, !ItemText(IDC_BOOTLOADER_RESTORE_PATH).empty());
  return TRUE;
}

bool BootloaderPage::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_SHOWWINDOW && wParam) ExchangeData();
  if (message == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int id = GetDlgCtrlID(control);
    for (const LabelColour& label : kLabelColours) {
      if (label.id != id) continue;
      SetTextColor(dc, label.colour);
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    }
    // The radio buttons lie on the skin like the labels, but paint their own background first.
    if ((id == IDC_BOOTLOADER_INSTALL_BOOTMGR || id == IDC_BOOTLOADER_INSTALL_NTLDR) &&
        DrawSkinBehind(control, dc)) {
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    }
  }
  return SkinPage::OnOtherMessage(message, wParam, lParam, result);
}

int BootloaderPage::Tell(const std::wstring& text, UINT flags) {
  return win::Prompt(Handle(), text, AppSettings.appTitle, flags);
}

void BootloaderPage::ShowResult(const ToolResult& result) {
  Tell(ResultText(result, L"bcdedit.exe"), MB_OK | (result.Succeeded() ? MB_ICONINFORMATION : MB_ICONERROR));
}
