// The shortcut dialog: its boxes, the icon of the command, browsing for a program, and Apply.
#include "utilities/ShortcutDialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "texts.h"
#include "utilities/UtilitiesPage.h"
#include "utilities/UtilityIcon.h"
#include "win/Seams.h"

namespace {

// The file keeps 259 characters of a value; a box that takes more would lose the rest unseen.
constexpr WPARAM kValueLimit = 259;

}  // namespace

const win::MessageEntry<ShortcutDialog> ShortcutDialog::kMessages[] = {
    win::OnCommand(IDC_SHORTCUT_NAME, EN_CHANGE, &ShortcutDialog::OnNameChange),
    win::OnCommand(IDC_SHORTCUT_COMMAND, EN_CHANGE, &ShortcutDialog::OnCommandChange),
    win::OnCommand(IDC_SHORTCUT_INFO, EN_CHANGE, &ShortcutDialog::OnInfoChange),
    win::OnCommand(IDC_SHORTCUT_BROWSE, BN_CLICKED, &ShortcutDialog::OnBrowse),
    win::OnCommand(IDC_SHORTCUT_APPLY, BN_CLICKED, &ShortcutDialog::OnApply),
    win::OnCommand(IDC_SHORTCUT_OK, BN_CLICKED, &ShortcutDialog::OnOk),
    win::OnCommand(IDCANCEL, BN_CLICKED, &ShortcutDialog::OnCancel),
    win::OnMessage(DM_GETDEFID, &ShortcutDialog::OnGetDefaultId),
};

ShortcutDialog::ShortcutDialog(UtilitiesPage& page, int itemIndex)
    : win::AppDialog(IDD_SHORTCUT, kMessages), page_(page), itemIndex_(itemIndex), dirty_(itemIndex < 0) {}

int ShortcutDialog::BoxOf(Field field) {
  switch (field) {
    case kName: return IDC_SHORTCUT_NAME;
    case kCommand: return IDC_SHORTCUT_COMMAND;
    default: return IDC_SHORTCUT_INFO;
  }
}

std::wstring ShortcutDialog::StoredText(Field field) const {
  if (!page_.Utilities().Contains(itemIndex_)) return {};
  const UtilityItem& item = page_.Utilities().At(itemIndex_);
  switch (field) {
    case kName: return item.name;
    case kCommand: return item.cmd;
    default: return item.info;
  }
}

BOOL ShortcutDialog::OnInit() {
  browse_.Attach(Handle(), IDC_SHORTCUT_BROWSE);
  apply_.Attach(Handle(), IDC_SHORTCUT_APPLY);
  MakeImageButton(browse_, page_.Context().buttonImages, art::kImageBrowse, IDR_HAND_CURSOR, GetText(IDS_BROWSE_FILE));
  SetPrimaryColours(apply_, true);
  // Enter does not close the dialog (see OnGetDefaultId), so OK must not look as if it would.
  SendMessageW(Item(IDC_SHORTCUT_OK), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  for (Field field : {kName, kCommand, kInfo}) SendMessageW(Item(BoxOf(field)), EM_SETLIMITTEXT, kValueLimit, 0);
  UpdateControls();

  if (itemIndex_ < 0) {
    SetWindowTextW(Handle(), GetText(IDS_NEW_SHORTCUT_CAPTION).c_str());
    ShowIcon(win::UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION))));
  } else {
    ShowUtility();
    int image = page_.Utilities().Contains(itemIndex_) ? page_.Utilities().At(itemIndex_).iconIndex : -1;
    ShowIcon(win::UniqueIcon(ImageList_GetIcon(page_.Context().systemLarge, image, ILD_NORMAL)));
  }
  SetFocus(Item(IDC_SHORTCUT_NAME));
  return FALSE;
}

void ShortcutDialog::ShowUtility() {
  SetWindowTextW(Handle(), base::Format(GetText(IDS_CHANGE_SHORTCUT_CAPTION), StoredText(kName)).c_str());
  // The stored texts equal the boxes' (ignoring case) once set, so filling them marks nothing
  // changed; a box already right is left alone, caret and all.
  for (Field field : {kCommand, kInfo, kName}) {
    std::wstring stored = StoredText(field);
    if (ItemText(BoxOf(field)) != stored) SetItemText(BoxOf(field), stored);
  }
}

void ShortcutDialog::ShowIcon(win::UniqueIcon icon) {
  SendMessageW(Item(IDC_SHORTCUT_ICON), STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
  icon_ = std::move(icon);
}

void ShortcutDialog::UpdateControls() { EnableItem(IDC_SHORTCUT_APPLY, dirty_); }

void ShortcutDialog::TextChanged(Field field) {
  std::wstring text = ItemText(BoxOf(field));
  if (base::EqualsNoCase(text, StoredText(field))) return;
  if (field == kCommand) ShowIcon(LargeFileTypeIcon(text));
  dirty_ = true;
  UpdateControls();
}

void ShortcutDialog::Apply() {
  std::wstring name = ItemText(IDC_SHORTCUT_NAME);
  std::wstring info = ItemText(IDC_SHORTCUT_INFO);
  std::wstring cmd = ItemText(IDC_SHORTCUT_COMMAND);
  if (itemIndex_ < 0) {
    int added = page_.AddUtility(name, info, cmd);
    if (added >= 0) {
      // From now on the dialog edits the utility it made: a second Apply changes it instead of
      // adding another one.
      itemIndex_ = added;
      dirty_ = false;
      ShowUtility();
    }
  } else {
    page_.ChangeUtility(itemIndex_, name, info, cmd);
    dirty_ = false;
    ShowUtility();
  }
  ShowIcon(LargeFileTypeIcon(ItemText(IDC_SHORTCUT_COMMAND)));
  UpdateControls();
}

INT_PTR ShortcutDialog::OnOk(WPARAM, LPARAM) {
  if (dirty_) Apply();
  End(IDOK);
  return TRUE;
}

INT_PTR ShortcutDialog::OnGetDefaultId(WPARAM, LPARAM) {
  // Enter outside a button presses no button: the dialog manager is sent to IDOK, which the
  // template does not have.
  SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, MAKELONG(IDOK, DC_HASDEFID));
  return TRUE;
}

INT_PTR ShortcutDialog::OnBrowse(WPARAM, LPARAM) {
  win::FileDialogRequest request;
  request.filter = GetText(IDS_FILTER_PROGRAMS) + L"(*.exe;*.com;*.bat;*.cmd)|*.exe;*.com;*.bat;*.cmd|" +
                   GetText(IDS_FILTER_ALL_FILES) + L"(*.*)|*.*";
  if (itemIndex_ < 0) {
    request.initialDirectory = Runner().ProgramDir();
  } else {
    request.fileName = StoredText(kCommand);
    request.initialDirectory = WorkingFolderOf(request.fileName);
  }
  // Relative paths elsewhere in the program keep meaning the folder they meant.
  request.flags = OFN_NOCHANGEDIR;
  std::optional<std::wstring> chosen = win::ChooseFile(Handle(), request);
  if (!chosen) return TRUE;
  if (FileExists(*chosen)) {
    SetItemText(IDC_SHORTCUT_COMMAND, *chosen);
  } else {
    // This message is always the built-in one, whatever the language.
    win::Prompt(Handle(), base::Format(BuiltInText(IDS_FILE_MISSING), *chosen), AppSettings.appTitle, MB_OK);
  }
  return TRUE;
}
