// The boot store settings BitLocker checks at every start of a protected system (its default
// validation profile), by the names bcdedit gives them. A change to one of them on the entry that
// starts the system, or on the boot manager, sends the next start to the recovery-key screen.
#pragma once
#include "core/Portable.h"

// True when BitLocker checks element (bcdedit's name, any case, blanks around it allowed) of a boot
// application; windowsLoader: of a Windows loader, whose own settings (systemroot, nx, winpe...)
// are checked besides those of every application.
bool BitLockerChecks(const core::String& element, bool windowsLoader);
