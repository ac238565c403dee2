// The firmware's pending one-time start: named in the tray tip, cancelled from the row menu, and
// taken back when the restart it was armed for does not come.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "firmware/FirmwarePage.h"
#include "store/FirmwareStore.h"
#include "texts.h"
#include "win/Seams.h"

std::wstring FirmwarePage::NextStartName() const {
  if (menu_.bootSequence.empty()) return {};
  const std::wstring& next = menu_.bootSequence.front();
  for (const FirmwareEntry& entry : menu_.entries) {
    if (base::EqualsNoCase(entry.identifier, next) && !entry.description.empty()) return entry.description;
  }
  return next;
}

std::wstring FirmwarePage::OneTimeStart() const {
  if (!menu_.present || menu_.bootSequence.empty()) return {};
  return base::Format(GetText(IDS_TIP_FIRMWARE_STARTS_ONCE), NextStartName());
}

void FirmwarePage::TellOneTimeStart() const {
  if (context_.mainWindow) SendMessageW(context_.mainWindow, kOneTimeStartMessage, 0, 0);
}

bool FirmwarePage::CanCancelOneTimeStart() const { return CanChange() && !menu_.bootSequence.empty(); }

void FirmwarePage::CancelOneTimeStart() {
  if (!CanCancelOneTimeStart()) return;
  const std::wstring name = NextStartName();
  if (Tell(base::Format(GetText(IDS_ASK_CANCEL_ONCE), name), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // Cancelled by hand, nothing is to come back should an armed restart not come.
  armedRestart_.Disarm(Handle());
  ToolResult result = SetFirmwareBootSequence({});
  FirmwareRead read = ReadFirmwareMenu();
  if (read.menu.present) menu_ = read.menu;
  FillList(SelectedRow());
  // The tool may fail because another program deleted the value first: the firmware decides.
  if (read.menu.present && read.menu.bootSequence.empty()) return;
  Tell(base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), name, ResultText(result, L"bcdedit.exe")),
       MB_OK | MB_ICONERROR);
}

void FirmwarePage::TakeBackMissedRestart(const ArmedRestart::Missed& missed) {
  std::wstring toolText;
  bool putBack = PutBackBootSequence(missed.earlier, toolText);
  FillList(SelectedRow());
  Tell(ArmedRestart::MissedText(missed, putBack, toolText), MB_OK | (putBack ? MB_ICONWARNING : MB_ICONERROR));
}

void FirmwarePage::OnSessionNotice(SessionNotice notice) {
  if (auto missed = armedRestart_.Notice(Handle(), notice)) TakeBackMissedRestart(*missed);
}

INT_PTR FirmwarePage::OnTimer(WPARAM wParam, LPARAM) {
  if (auto missed = armedRestart_.Expire(Handle(), wParam)) TakeBackMissedRestart(*missed);
  return 0;
}
