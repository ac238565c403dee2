// Autostart with Windows: a logon task of the Task Scheduler where User Account Control is on (it
// skips a Run value that asks for elevation), the machine's Run value where it is off.
#pragma once
#include <string>

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The Run value's name, and the logon task's.
inline constexpr wchar_t kRunValueName[] = L"Tavro Vexa";
inline constexpr wchar_t kPolicySystemKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// True when EnableLUA is 1 (read through the 64-bit view under WOW64); false when 0 or absent, as
// on the systems before Vista.
bool UacEnabled();
// Whether Vexa starts at logon: the task exists (asked of schtasks.exe) under UAC, the Run value
// exists without it.
bool ReadAutoStart();
// What the Run value holds: this executable, quoted, started hidden ("-mini").
std::wstring AutoStartCommand();
// Makes (on) or removes (off) the autostart. Empty when done; else what the user is told: the
// tool's own words, or that the registry did not take the change.
std::wstring WriteAutoStart(bool on);
