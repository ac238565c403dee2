// The boot menu check's window and the texts of its findings.
#include "oslist/MenuCheckDialog.h"

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "resource.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

// The name of the object with identifier, or the identifier itself where the list has none.
std::wstring NameOf(const std::wstring& identifier, const EntryList& list) {
  if (base::EqualsNoCase(identifier, list.bootManager.identifier) || base::EqualsNoCase(identifier, kBootMgrAlias))
    return list.bootManager.description.empty() ? identifier : list.bootManager.description;
  for (const BootEntry& entry : list.entries) {
    if (base::EqualsNoCase(entry.identifier, identifier) && !entry.description.empty()) return entry.description;
  }
  for (const BootEntry& object : list.otherObjects) {
    if (base::EqualsNoCase(object.identifier, identifier) && !object.description.empty()) return object.description;
  }
  return identifier;
}

std::wstring WhatOf(const Finding& finding, const EntryList& list) {
  switch (finding.kind) {
    case FindingKind::kDeviceUnknown: return base::Format(GetText(IDS_FINDING_DEVICE_UNKNOWN), finding.element);
    case FindingKind::kVolumeMissing:
      return base::Format(GetText(IDS_FINDING_VOLUME_MISSING), finding.element, finding.detail);
    case FindingKind::kFileMissing: return base::Format(GetText(IDS_FINDING_FILE_MISSING), finding.detail);
    case FindingKind::kFileUnchecked: return base::Format(GetText(IDS_FINDING_FILE_UNCHECKED), finding.detail);
    case FindingKind::kReferenceMissing:
      return base::Format(GetText(IDS_FINDING_REFERENCE_MISSING), finding.element, NameOf(finding.owner, list));
    case FindingKind::kNotOnMenu: return GetText(IDS_FINDING_NOT_ON_MENU);
    case FindingKind::kDuplicate: return base::Format(GetText(IDS_FINDING_DUPLICATE), NameOf(finding.detail, list));
    case FindingKind::kBootIniDefaultMissing: return base::Format(GetText(IDS_FINDING_BOOTINI_DEFAULT), finding.detail);
    case FindingKind::kBootIniLoaderMissing: return base::Format(GetText(IDS_FINDING_BOOTINI_LOADER), finding.detail);
  }
  return L"";
}

std::wstring FixOf(const Finding& finding, const EntryList& list) {
  switch (finding.fix) {
    case FixKind::kNone: return GetText(IDS_FIX_NONE);
    case FixKind::kDropReference:
      return base::Format(GetText(IDS_FIX_DROP_REFERENCE), finding.element, NameOf(finding.owner, list));
    case FixKind::kAppendToMenu: return GetText(IDS_FIX_APPEND);
    case FixKind::kDeleteEntry: return GetText(IDS_FIX_DELETE);
  }
  return L"";
}

}  // namespace

FindingTexts TextsOf(const Finding& finding, const EntryList& list) {
  std::wstring entry = finding.name.empty() ? finding.identifier : finding.name;
  return {entry, WhatOf(finding, list), FixOf(finding, list)};
}

std::wstring CheckReport(const std::vector<Finding>& findings, const EntryList& list) {
  std::wstring report = GetText(IDS_CHECK_COLUMN_ENTRY) + L"\t" + GetText(IDS_CHECK_COLUMN_FINDING) + L"\t" +
                        GetText(IDS_CHECK_COLUMN_FIX) + L"\r\n";
  if (findings.empty()) report += GetText(IDS_CHECK_NOTHING_FOUND) + L"\r\n";
  for (const Finding& finding : findings) {
    FindingTexts texts = TextsOf(finding, list);
    std::wstring identifier = finding.name.empty() ? L"" : L" " + finding.identifier;
    report += texts.entry + identifier + L"\t" + texts.what + L"\t" + texts.fix + L"\r\n";
  }
  return report;
}

const win::MessageEntry<MenuCheckDialog> MenuCheckDialog::kMessages[] = {
    win::OnCommand(IDC_MENU_CHECK_FIX, BN_CLICKED, &MenuCheckDialog::OnFix),
    win::OnCommand(IDC_MENU_CHECK_COPY, BN_CLICKED, &MenuCheckDialog::OnCopy),
    win::OnNotify(IDC_MENU_CHECK_LIST, LVN_ITEMCHANGED, &MenuCheckDialog::OnSelectionChanged),
};

MenuCheckDialog::MenuCheckDialog(OsListPage& page) : win::AppDialog(IDD_MENU_CHECK, kMessages), page_(page) {}

BOOL MenuCheckDialog::OnInit() {
  rows_.Attach(Item(IDC_MENU_CHECK_LIST));
  rows_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  RECT client = {};
  GetClientRect(rows_.Handle(), &client);
  const int width = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
  rows_.InsertColumn(0, GetText(IDS_CHECK_COLUMN_ENTRY), width * 25 / 100);
  rows_.InsertColumn(1, GetText(IDS_CHECK_COLUMN_FINDING), width * 45 / 100);
  rows_.InsertColumn(2, GetText(IDS_CHECK_COLUMN_FIX), width - width * 25 / 100 - width * 45 / 100);
  Fill();
  return TRUE;
}

void MenuCheckDialog::Fill() {
  shown_ = page_.Findings();
  rows_.DeleteAll();
  const EntryList& list = page_.List();
  if (shown_.empty()) rows_.InsertRow(0, GetText(IDS_CHECK_NOTHING_FOUND), -1, -1);
  for (size_t i = 0; i < shown_.size(); ++i) {
    FindingTexts texts = TextsOf(shown_[i], list);
    int row = rows_.InsertRow(static_cast<int>(i), texts.entry, -1, static_cast<LPARAM>(i));
    rows_.SetCell(row, 1, texts.what);
    rows_.SetCell(row, 2, texts.fix);
  }
  EnableItem(IDC_MENU_CHECK_FIX, false);
}

std::vector<Finding> MenuCheckDialog::SelectedFixes() const {
  std::vector<Finding> chosen;
  for (int row = ListView_GetNextItem(rows_.Handle(), -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(rows_.Handle(), row, LVNI_SELECTED)) {
    LPARAM index = rows_.Data(row);
    if (index >= 0 && static_cast<size_t>(index) < shown_.size() && shown_[index].fix != FixKind::kNone)
      chosen.push_back(shown_[index]);
  }
  return chosen;
}

INT_PTR MenuCheckDialog::OnSelectionChanged(WPARAM, LPARAM) {
  EnableItem(IDC_MENU_CHECK_FIX, !SelectedFixes().empty());
  return TRUE;
}

INT_PTR MenuCheckDialog::OnFix(WPARAM, LPARAM) {
  std::vector<Finding> chosen = SelectedFixes();
  if (chosen.empty()) return TRUE;
  page_.FixFindings(Handle(), chosen);
  // Whatever happened, the list shows the store as read back.
  Fill();
  return TRUE;
}

INT_PTR MenuCheckDialog::OnCopy(WPARAM, LPARAM) {
  const std::wstring report = CheckReport(shown_, page_.List());
  if (!OpenClipboard(Handle())) return TRUE;
  EmptyClipboard();
  const size_t bytes = (report.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = GlobalLock(memory)) {
      memcpy(target, report.c_str(), bytes);
      GlobalUnlock(memory);
      // The clipboard owns the memory once it took it.
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
  return TRUE;
}
