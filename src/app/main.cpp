// Entry point of vexa.exe.
#include <windows.h>
#include <commctrl.h>

#include "app/MainDialog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  MainDialog main;
  main.RunModal(nullptr);
  return 0;
}
