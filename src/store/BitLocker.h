// BitLocker on the system drive, through Windows' own manage-bde.exe: whether it protects the
// drive, suspending that protection for one restart, and the question asked before a change that
// BitLocker checks at the next start (a checked setting of the running system or of the boot
// manager, new boot code, an imported store).
#pragma once
#include <windows.h>

#include <string>

struct ToolResult;

enum class DriveProtection {
  kOn,       // manage-bde's answer 0
  kOff,      // 1: not encrypted, or protection already suspended
  kNoTool,   // no manage-bde.exe (WinPE, editions without BitLocker): there is no protection
  kUnknown,  // any other answer, or the tool could not be started
};

// The system drive as Windows names it (%SystemDrive%: "C:").
std::wstring SystemDrive();
// Asks manage-bde; run, when given, receives its run (what the user is shown of an unknown answer).
DriveProtection SystemDriveProtection(ToolResult* run = nullptr);
// Suspends the system drive's protection until the next restart has passed.
ToolResult SuspendProtectionForOneRestart();

// Before a change that BitLocker checks: true when it may be made. Where the system drive is
// protected, owner is asked whether to suspend protection for one restart first (Yes: suspended,
// then true; No: false) and told when the suspension failed (false). Where manage-bde cannot tell,
// owner is asked whether to change all the same. Not protected, or no manage-bde: true, unasked.
bool MayChangeWhatBitLockerChecks(HWND owner);
