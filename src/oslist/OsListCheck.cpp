// The OS list's boot menu check: the findings of the list as read, their marks in the rows, and
// the fixes, asked for, carried out by the tool and read back.
#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "oslist/MenuCheckDialog.h"
#include "oslist/OsListPage.h"
#include "store/BcdEditRunner.h"
#include "store/MenuCheckProbe.h"
#include "texts.h"
#include "win/Seams.h"

void OsListPage::CheckStore() {
  findings_.clear();
  // Without the tool the list is what the registry and boot.ini give: still worth checking.
  findings_ = CheckEntryList(list_, SystemProbe());
}

const Finding* OsListPage::FindingOf(const BootEntry& entry) const {
  const std::wstring& key = entry.sourceKind == kSourceBootIni ? entry.GetPath() : entry.identifier;
  if (key.empty()) return nullptr;
  for (const Finding& finding : findings_) {
    // "Cannot be checked" is no fault: the row keeps its own picture.
    if (finding.kind != FindingKind::kFileUnchecked && base::EqualsNoCase(finding.identifier, key)) return &finding;
  }
  return nullptr;
}

INT_PTR OsListPage::OnCheckEntries(WPARAM, LPARAM) {
  MenuCheckDialog dialog(*this);
  dialog.RunModal(Handle());
  return TRUE;
}

INT_PTR OsListPage::OnListInfoTip(WPARAM, LPARAM lParam) {
  auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
  const int index = static_cast<int>(rows_.Data(tip->iItem));
  if (!IsEntryIndex(index) || tip->cchTextMax <= 0) return FALSE;
  const Finding* finding = FindingOf(list_.entries[index]);
  if (!finding) return FALSE;
  // The list puts the cell's own text first when it does not fit; the finding replaces it.
  const std::wstring text = TextsOf(*finding, list_).what;
  lstrcpynW(tip->pszText, text.c_str(), tip->cchTextMax);
  return TRUE;
}

bool OsListPage::FixFindings(HWND owner, const std::vector<Finding>& chosen) {
  if (!SettleUnsavedOrder()) return false;
  const std::vector<PlannedFix> plan = PlanFixes(chosen, MenuCheckInputOf(list_));
  if (plan.empty()) return false;
  std::wstring changes;
  for (const PlannedFix& fix : plan) {
    const FindingTexts texts = TextsOf(fix.finding, list_);
    changes += L"- " + texts.entry + L": " + texts.fix + L"\n";
    for (const std::wstring& command : fix.commands) changes += L"    bcdedit" + command + L"\n";
  }
  if (win::Prompt(owner, base::Format(GetText(IDS_ASK_FIX_FINDINGS), changes), AppSettings.appTitle,
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;

  bool done = true;
  for (const PlannedFix& fix : plan) {
    // An identifier read from the listing that would not be one argument is never sent.
    if (IdentifierRefusal(fix.finding.identifier) != Refusal::kNone) {
      done = false;
      continue;
    }
    for (const std::wstring& command : fix.commands) {
      ToolResult result = Runner().RunChecked(command, 0);
      if (result.Succeeded()) continue;
      win::Prompt(owner,
                  base::Format(GetText(IDS_FIX_FAILED), TextsOf(fix.finding, list_).entry, command,
                               ResultText(result, L"bcdedit.exe")),
                  AppSettings.appTitle, MB_OK | MB_ICONERROR);
      done = false;
      break;
    }
    if (!done) break;
  }
  // Read back: the list and its findings as the store now is.
  RefreshList(true);
  for (const PlannedFix& fix : plan) {
    for (const Finding& still : findings_) {
      if (still.kind != fix.finding.kind || !base::EqualsNoCase(still.identifier, fix.finding.identifier) || !done)
        continue;
      const FindingTexts texts = TextsOf(still, list_);
      win::Prompt(owner, base::Format(GetText(IDS_FIX_NOT_TAKEN), texts.entry, texts.what), AppSettings.appTitle,
                  MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
  }
  return done;
}
