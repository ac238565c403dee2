// Restarting (or shutting down) the machine: through wpeutil.exe in WinPE, otherwise through
// Windows with the shutdown privilege. The tray menu uses it before any page exists.
#pragma once

// shutdown: turn the machine off instead of restarting it. False when the restart will not
// happen: the privilege was refused, Windows declined, or wpeutil.exe failed.
bool RestartComputer(bool shutdown);
