// The restart a page armed a one-time start for: waited for, kept, or taken back.
#include "controls/ArmedRestart.h"

#include "base/Format.h"
#include "base/Texts.h"
#include "texts.h"

void ArmedRestart::Arm(HWND page, const std::vector<std::wstring>& earlier, const std::wstring& name) {
  if (!armed_) armed_ = Missed{earlier, name, false};
  armed_->name = name;
  SetTimer(page, kTimerId, kWaitMilliseconds, nullptr);
}

std::optional<ArmedRestart::Missed> ArmedRestart::Disarm(HWND page) {
  KillTimer(page, kTimerId);
  std::optional<Missed> missed = std::move(armed_);
  armed_.reset();
  return missed;
}

std::optional<ArmedRestart::Missed> ArmedRestart::Notice(HWND page, SessionNotice notice) {
  if (!armed_) return std::nullopt;
  switch (notice) {
    case SessionNotice::kQueried:
      KillTimer(page, kTimerId);
      return std::nullopt;
    case SessionNotice::kEnding:
      Disarm(page);
      return std::nullopt;
    case SessionNotice::kCancelled: {
      std::optional<Missed> missed = Disarm(page);
      missed->cancelled = true;
      return missed;
    }
  }
  return std::nullopt;
}

std::optional<ArmedRestart::Missed> ArmedRestart::Expire(HWND page, UINT_PTR timerId) {
  if (timerId != kTimerId) return std::nullopt;
  return Disarm(page);
}

std::wstring ArmedRestart::MissedText(const Missed& missed, bool putBack, const std::wstring& toolText) {
  std::wstring outcome = putBack ? base::Format(GetText(IDS_START_ONCE_TAKEN_BACK), missed.name)
                                 : base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), missed.name, toolText);
  return GetText(missed.cancelled ? IDS_RESTART_CANCELLED : IDS_RESTART_NOT_IN_TIME) + L"\n\n" + outcome;
}
