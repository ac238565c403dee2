// Entry point of vexa.exe.
#include <windows.h>

#include "app/Application.h"
#include "store/BcdEditRunner.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  // The program copies the system store before its first change to it (tests that build runners
  // of their own count command lines and leave it off unless it is what they look at).
  Runner().changes.safetyNet = true;
  Runner().changes.askChangeWithoutCopy = AskChangeWithoutCopy;
  Application& application = App();
  application.Start(commandLine ? commandLine : L"");
  return application.Exit();
}
