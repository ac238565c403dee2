// Add EFI Entry and the one-value dialogs of the Firmware page, and the checks of what they take.
#include "firmware/FirmwareDialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "core/FirmwareMenu.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

// A label as a field's name in a message: no mnemonic ("&Name", or "(&N)" after a Chinese one),
// no colon.
std::wstring FieldOf(const win::Dialog& dialog, int labelId) {
  std::wstring label = dialog.ItemText(labelId);
  size_t mark = label.find(L"(&");
  if (mark != std::wstring::npos && mark + 3 < label.size() && label[mark + 3] == L')') label.erase(mark, 4);
  label.erase(std::remove(label.begin(), label.end(), L'&'), label.end());
  label = base::TrimText(label);
  if (!label.empty() && (label.back() == L':' || label.back() == L'\xFF1A')) label.pop_back();
  return base::TrimText(label);
}

bool Quotable(const std::wstring& text) { return QuotedTextRefusal(text) == Refusal::kNone && !base::HasLineBreak(text); }

// Tells the user why and leaves the focus in the box to mend.
bool Refuse(const win::Dialog& dialog, int box, const std::wstring& why) {
  if (why.empty()) return false;
  win::Prompt(dialog.Handle(), why, AppSettings.appTitle, MB_OK | MB_ICONWARNING);
  SetFocus(dialog.Item(box));
  return true;
}

}  // namespace

std::wstring FirmwareNameRefusal(const std::wstring& name, const std::wstring& field) {
  // The firmware's menu shows nothing else of an entry: an empty name would leave a blank line.
  if (base::TrimText(name).empty()) return base::Format(GetText(IDS_FIELD_EMPTY), field);
  if (!Quotable(name)) return base::Format(GetText(IDS_NEW_NAME_UNUSABLE), name);
  if (StoredTextRefusal(name) != Refusal::kNone) return UnprintableNameText(name);
  return L"";
}

std::wstring LoaderPathRefusal(const std::wstring& path, const std::wstring& field) {
  if (path.empty()) return base::Format(GetText(IDS_FIELD_EMPTY), field);
  if (!Quotable(path)) return base::Format(GetText(IDS_FIELD_UNUSABLE), field);
  if (StoredTextRefusal(path) != Refusal::kNone) return UnprintableFieldText(field);
  if (!IsEfiLoaderPath(path)) return GetText(IDS_EFI_PATH_UNUSABLE);
  return L"";
}

std::wstring TimeoutRefusal(const std::wstring& seconds, const std::wstring& field) {
  if (seconds.empty()) return base::Format(GetText(IDS_FIELD_EMPTY), field);
  // The box takes digits only, but a pasted text gets past that.
  if (seconds.find_first_not_of(L"0123456789") != std::wstring::npos) return base::Format(GetText(IDS_FIELD_UNUSABLE), field);
  return L"";
}

const win::MessageEntry<AddEfiEntryDialog> AddEfiEntryDialog::kMessages[] = {
    win::OnCommand(IDC_EFI_BROWSE, BN_CLICKED, &AddEfiEntryDialog::OnBrowse),
    win::OnCommand(IDOK, BN_CLICKED, &AddEfiEntryDialog::OnOk),
};

AddEfiEntryDialog::AddEfiEntryDialog(std::wstring partitionRoot)
    : win::AppDialog(IDD_ADD_EFI_ENTRY, kMessages), partitionRoot_(std::move(partitionRoot)) {}

BOOL AddEfiEntryDialog::OnInit() {
  EnableItem(IDC_EFI_BROWSE, !partitionRoot_.empty());
  return TRUE;
}

INT_PTR AddEfiEntryDialog::OnBrowse(WPARAM, LPARAM) {
  win::FileDialogRequest request;
  request.title = GetText(IDS_EFI_BROWSE_TITLE);
  request.filter = GetText(IDS_FILTER_EFI_APPLICATIONS) + L"(*.efi)|*.efi|" + GetText(IDS_FILTER_ALL_FILES) + L"(*.*)|*.*";
  request.defaultExtension = L"efi";
  // Other systems keep their loaders in folders of \EFI.
  std::wstring loaders = partitionRoot_ + L"EFI";
  DWORD attributes = GetFileAttributesW(loaders.c_str());
  bool found = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  request.initialDirectory = found ? loaders : partitionRoot_;
  request.flags = OFN_FILEMUSTEXIST;
  std::optional<std::wstring> file = win::ChooseFile(Handle(), request);
  if (!file) return TRUE;
  std::wstring path = PathBelowRoot(*file, partitionRoot_);
  if (path.empty()) {
    Refuse(*this, IDC_EFI_PATH, base::Format(GetText(IDS_EFI_FILE_ELSEWHERE), *file, partitionRoot_));
    return TRUE;
  }
  SetItemText(IDC_EFI_PATH, path);
  return TRUE;
}

INT_PTR AddEfiEntryDialog::OnOk(WPARAM, LPARAM) {
  std::wstring name = ItemText(IDC_EFI_NAME);
  std::wstring path = base::TrimText(ItemText(IDC_EFI_PATH));
  if (Refuse(*this, IDC_EFI_NAME, FirmwareNameRefusal(name, FieldOf(*this, IDC_EFI_NAME_LABEL))) ||
      Refuse(*this, IDC_EFI_PATH, LoaderPathRefusal(path, FieldOf(*this, IDC_EFI_PATH_LABEL))))
    return TRUE;
  name_ = name;
  path_ = path;
  End(IDOK);
  return TRUE;
}

const win::MessageEntry<FirmwareValueDialog> FirmwareValueDialog::kMessages[] = {
    win::OnCommand(IDOK, BN_CLICKED, &FirmwareValueDialog::OnOk),
};

FirmwareValueDialog::FirmwareValueDialog(UINT templateId, std::wstring value, TextRefusal refusal, int limit)
    : win::AppDialog(templateId, kMessages), value_(std::move(value)), refusal_(refusal), limit_(limit) {}

BOOL FirmwareValueDialog::OnInit() {
  SendMessageW(Item(IDC_FIRMWARE_VALUE), EM_SETLIMITTEXT, static_cast<WPARAM>(limit_), 0);
  SetItemText(IDC_FIRMWARE_VALUE, value_);
  return TRUE;
}

INT_PTR FirmwareValueDialog::OnOk(WPARAM, LPARAM) {
  std::wstring value = ItemText(IDC_FIRMWARE_VALUE);
  if (Refuse(*this, IDC_FIRMWARE_VALUE, refusal_(value, FieldOf(*this, IDC_FIRMWARE_VALUE_LABEL)))) return TRUE;
  value_ = value;
  End(IDOK);
  return TRUE;
}
