// Entry point of vexa.exe.
#include <windows.h>

#include "app/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  Application& application = App();
  application.Start(commandLine ? commandLine : L"");
  return application.Exit();
}
