// The Firmware page's changes of the firmware's menu itself: EFI entries added, entries renamed,
// taken off the order and put back, deleted, and the firmware's timeout.
#include <string>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "firmware/FirmwareDialogs.h"
#include "firmware/FirmwarePage.h"
#include "resource.h"
#include "store/FirmwareEdits.h"
#include "store/FirmwareStore.h"
#include "texts.h"

namespace {

// A name of the firmware's menu; the timeout in seconds (UEFI keeps it in 16 bits).
constexpr int kNameLimit = 255;
constexpr int kTimeoutDigits = 4;
constexpr int kTimeoutLimit = 65535;

std::wstring NameOf(const FirmwareEntry& entry) {
  return entry.description.empty() ? entry.identifier : entry.description;
}

// What a change leaves in the menu read back: value is the change's text where it has one.
bool IsOnOrder(const FirmwareMenu& menu, const std::wstring& identifier, const std::wstring&) {
  const FirmwareEntry* entry = FindFirmwareEntry(menu, identifier);
  return entry && entry->onOrder;
}
bool IsOffOrder(const FirmwareMenu& menu, const std::wstring& identifier, const std::wstring&) {
  const FirmwareEntry* entry = FindFirmwareEntry(menu, identifier);
  return !entry || !entry->onOrder;
}
bool IsGone(const FirmwareMenu& menu, const std::wstring& identifier, const std::wstring&) {
  return !FindFirmwareEntry(menu, identifier);
}
bool IsNamed(const FirmwareMenu& menu, const std::wstring& identifier, const std::wstring& name) {
  const FirmwareEntry* entry = FindFirmwareEntry(menu, identifier);
  return entry && entry->description == AsToolPrints(name);
}
bool HasTimeout(const FirmwareMenu& menu, const std::wstring&, const std::wstring& seconds) {
  return std::to_wstring(menu.timeout) == seconds;
}
bool StartsLoader(const FirmwareMenu& menu, const std::wstring& identifier, const std::wstring& path) {
  const FirmwareEntry* entry = FindFirmwareEntry(menu, identifier);
  return entry && entry->onOrder && base::EqualsNoCase(entry->path, AsToolPrints(path));
}

// The kind texts follow the kinds' order.
static_assert(IDS_FIRMWARE_KIND_OTHER - IDS_FIRMWARE_KIND_WINDOWS == static_cast<int>(FirmwareKind::kOther));

// What the user is told of a run that did not work: the tool's words, or that nothing was sent.
std::wstring WhyNot(const ToolResult& run) {
  std::wstring text = ResultText(run, L"bcdedit.exe");
  return text.empty() ? GetText(IDS_FIRMWARE_NOT_SENT) : text;
}

const FirmwareEntry* BootManagerOf(const FirmwareMenu& menu) {
  for (const auto* entries : {&menu.entries, &menu.offOrder})
    for (const FirmwareEntry& entry : *entries)
      if (entry.bootManager) return &entry;
  return nullptr;
}

}  // namespace

bool FirmwarePage::Editable() const { return CanChange() && !orderChanged_; }

const FirmwareEntry* FirmwarePage::EntryOfRow(int row) const {
  if (row < 0) return nullptr;
  size_t index = static_cast<size_t>(row);
  if (index < shown_.size()) return &shown_[index];
  index -= shown_.size();
  return index < menu_.offOrder.size() ? &menu_.offOrder[index] : nullptr;
}

int FirmwarePage::RowOf(const std::wstring& identifier) const {
  for (int row = 0; const FirmwareEntry* entry = EntryOfRow(row); ++row)
    if (base::EqualsNoCase(entry->identifier, identifier)) return row;
  return -1;
}

void FirmwarePage::AddOffOrderRows() {
  for (size_t i = 0; i < menu_.offOrder.size(); ++i) {
    const FirmwareEntry& entry = menu_.offOrder[i];
    int image = entry.kind == FirmwareKind::kWindowsBootManager ? art::kImageFirstRow : art::kImageBcdEntry;
    int row = rows_.InsertRow(rows_.Count(), NameOf(entry), image, static_cast<LPARAM>(shown_.size() + i));
    rows_.SetCell(row, 1, GetText(IDS_FIRMWARE_KIND_WINDOWS + static_cast<UINT>(entry.kind)));
    rows_.SetCell(row, 2, entry.path.empty() ? entry.device : entry.path + L" (" + entry.device + L")");
    rows_.SetCell(row, 3, GetText(IDS_FIRMWARE_OFF_ORDER));
  }
}

void FirmwarePage::UpdateEditButtons(int row) {
  const FirmwareEntry* entry = EntryOfRow(row);
  bool editable = Editable();
  bool onOrder = entry && entry->onOrder;
  bool manager = entry && IsBootManagerId(entry->identifier);
  EnableItem(IDC_FIRMWARE_ADD_EFI, editable);
  EnableItem(IDC_FIRMWARE_RENAME, editable && entry && entry->listed);
  EnableItem(IDC_FIRMWARE_REMOVE_FROM_ORDER, editable && onOrder && !manager);
  EnableItem(IDC_FIRMWARE_ADD_TO_ORDER, editable && entry && !onOrder);
  EnableItem(IDC_FIRMWARE_DELETE, editable && entry && !onOrder && !manager);
  EnableItem(IDC_FIRMWARE_SET_TIMEOUT, editable);
}

bool FirmwarePage::GreyOffOrderRows(LPARAM lParam, INT_PTR& result) {
  auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
  if (draw.nmcd.hdr.hwndFrom != rows_.Handle() || draw.nmcd.hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) ||
      menu_.offOrder.empty())
    return false;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYITEMDRAW;
    return true;
  }
  bool offOrder = (draw.nmcd.dwDrawStage & CDDS_ITEM) && draw.nmcd.lItemlParam >= static_cast<LPARAM>(shown_.size());
  if (offOrder) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
  result = offOrder ? CDRF_NEWFONT : CDRF_DODEFAULT;
  return true;
}

void FirmwarePage::ShowMenu(const FirmwareMenu& menu, const std::wstring& identifier) {
  menu_ = menu;
  shown_ = menu_.entries;
  orderChanged_ = false;
  SetItemText(IDC_FIRMWARE_TIMEOUT,
              menu_.timeout >= 0 ? base::Format(GetText(IDS_FIRMWARE_TIMEOUT), menu_.timeout) : std::wstring());
  FillList(-1);
  int row = RowOf(identifier);
  if (row >= 0) rows_.Select(row);
  UpdateButtons();
}

std::wstring FirmwarePage::ReadBackChange(const ToolResult& run, const std::wstring& identifier,
                                          bool (*arrived)(const FirmwareMenu&, const std::wstring&, const std::wstring&),
                                          const std::wstring& value) {
  // Nothing was sent: the menu is as it was.
  if (!run.started) return WhyNot(run);
  FirmwareRead read = ReadFirmwareMenu();
  bool readable = read.run.Succeeded() && read.menu.present && read.managers.Succeeded();
  if (readable) ShowMenu(read.menu, identifier);
  // The exit code and the menu read back decide, never the tool's words (they are the machine's language).
  if (!run.Succeeded()) return WhyNot(run);
  if (!readable) return WhyNot(read.run.Succeeded() ? read.managers : read.run);
  return arrived(read.menu, identifier, value) ? std::wstring() : GetText(IDS_FIRMWARE_CHANGE_NOT_SEEN);
}

void FirmwarePage::AddEfiEntry() {
  if (!Editable()) return;
  const FirmwareEntry* manager = BootManagerOf(menu_);
  AddEfiEntryDialog dialog(manager ? VolumeRootOfDevice(manager->device) : std::wstring());
  if (dialog.RunModal(Handle()) != IDOK) return;
  const std::wstring& name = dialog.Name();
  const std::wstring& path = dialog.Path();

  // Each step runs only when the one before arrived; the first that did not is named.
  std::wstring identifier;
  ToolResult last = CopyBootManager(name, identifier);
  UINT step = IDS_EFI_STEP_COPY;
  if (!identifier.empty()) {
    step = IDS_EFI_STEP_PATH;
    last = SetFirmwareEntryPath(identifier, path);
  }
  if (last.Succeeded() && !identifier.empty()) {
    step = IDS_EFI_STEP_ORDER;
    last = PutLastOnFirmwareOrder(identifier);
  }
  std::wstring why = last.Succeeded() && !identifier.empty() ? L"" : WhyNot(last);
  if (why.empty()) {
    step = IDS_EFI_STEP_READ_BACK;
    why = ReadBackChange(last, identifier, &StartsLoader, path);
  }
  if (why.empty()) {
    Tell(base::Format(GetText(IDS_EFI_ADDED), name), MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::wstring text = base::Format(GetText(IDS_EFI_ADD_FAILED), name, GetText(step), why);
  if (!identifier.empty()) {
    // A copy that starts Windows again, or nothing, must not stay behind under the new name.
    ToolResult removed = DeleteFirmwareEntry(identifier);
    text += L"\n\n" + (removed.Succeeded() ? base::Format(GetText(IDS_EFI_HALF_MADE_DELETED), identifier)
                                           : base::Format(GetText(IDS_EFI_HALF_MADE_LEFT), identifier, WhyNot(removed)));
  }
  Load();
  Tell(text, MB_OK | MB_ICONERROR);
}

void FirmwarePage::Rename() {
  const FirmwareEntry* selected = EntryOfRow(SelectedRow());
  if (!Editable() || !selected || !selected->listed) return;
  const FirmwareEntry entry = *selected;
  FirmwareValueDialog dialog(IDD_FIRMWARE_RENAME, entry.description, &FirmwareNameRefusal, kNameLimit);
  if (dialog.RunModal(Handle()) != IDOK || dialog.Value() == entry.description) return;
  std::wstring why = ReadBackChange(RenameFirmwareEntry(entry.identifier, dialog.Value()), entry.identifier, &IsNamed,
                                    dialog.Value());
  if (!why.empty()) Tell(base::Format(GetText(IDS_FIRMWARE_CHANGE_FAILED), NameOf(entry), why), MB_OK | MB_ICONERROR);
}

void FirmwarePage::RemoveFromOrder() {
  const FirmwareEntry* selected = EntryOfRow(SelectedRow());
  if (!Editable() || !selected || !selected->onOrder || IsBootManagerId(selected->identifier)) return;
  const FirmwareEntry entry = *selected;
  bool others = false;
  for (const FirmwareEntry& other : shown_) others = others || !base::EqualsNoCase(other.identifier, entry.identifier);
  if (!others) {
    Tell(base::Format(GetText(IDS_FIRMWARE_LAST_ON_ORDER), NameOf(entry)), MB_OK | MB_ICONWARNING);
    return;
  }
  if (Tell(base::Format(GetText(IDS_ASK_REMOVE_FROM_ORDER), NameOf(entry)), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  std::wstring why = ReadBackChange(TakeOffFirmwareOrder(entry.identifier), entry.identifier, &IsOffOrder);
  if (!why.empty()) Tell(base::Format(GetText(IDS_FIRMWARE_CHANGE_FAILED), NameOf(entry), why), MB_OK | MB_ICONERROR);
}

void FirmwarePage::AddToOrder() {
  const FirmwareEntry* selected = EntryOfRow(SelectedRow());
  if (!Editable() || !selected || selected->onOrder) return;
  const FirmwareEntry entry = *selected;
  std::wstring why = ReadBackChange(PutLastOnFirmwareOrder(entry.identifier), entry.identifier, &IsOnOrder);
  if (!why.empty()) Tell(base::Format(GetText(IDS_FIRMWARE_CHANGE_FAILED), NameOf(entry), why), MB_OK | MB_ICONERROR);
}

void FirmwarePage::DeleteEntry() {
  const FirmwareEntry* selected = EntryOfRow(SelectedRow());
  if (!Editable() || !selected || selected->onOrder || IsBootManagerId(selected->identifier)) return;
  const FirmwareEntry entry = *selected;
  if (Tell(base::Format(GetText(IDS_ASK_DELETE_FIRMWARE_ENTRY), NameOf(entry)),
           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
    return;
  std::wstring why = ReadBackChange(DeleteFirmwareEntry(entry.identifier), entry.identifier, &IsGone);
  if (!why.empty()) Tell(base::Format(GetText(IDS_FIRMWARE_CHANGE_FAILED), NameOf(entry), why), MB_OK | MB_ICONERROR);
}

void FirmwarePage::SetTimeout() {
  if (!Editable()) return;
  FirmwareValueDialog dialog(IDD_FIRMWARE_TIMEOUT, std::to_wstring(menu_.timeout < 0 ? 0 : menu_.timeout), &TimeoutRefusal,
                             kTimeoutDigits);
  if (dialog.RunModal(Handle()) != IDOK) return;
  int seconds = std::stoi(dialog.Value());
  if (seconds > kTimeoutLimit) seconds = kTimeoutLimit;
  const FirmwareEntry* selected = EntryOfRow(SelectedRow());
  std::wstring keep = selected ? selected->identifier : std::wstring();
  std::wstring why = ReadBackChange(SetFirmwareTimeout(seconds), keep, &HasTimeout, std::to_wstring(seconds));
  if (!why.empty()) Tell(base::Format(GetText(IDS_FIRMWARE_TIMEOUT_FAILED), why), MB_OK | MB_ICONERROR);
}
