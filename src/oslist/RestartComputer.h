// Restarting (or shutting down) the machine: through wpeutil.exe in WinPE, otherwise through
// Windows with the shutdown privilege. The tray menu uses it before any page exists.
#pragma once

// shutdown: turn the machine off instead of restarting it. A refused privilege ends it quietly.
void RestartComputer(bool shutdown);
