// The process: start-up, the single-instance rule, running the main window, and exit.
#pragma once
#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace win {
class Dialog;
}

inline constexpr wchar_t kInstanceMutexName[] = L"Tavrolin2002.04.04.13.51";

class Application {
 public:
  // Reads the program's own file version into AppSettings.
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up and the main window's modal loop; always false, so the process ends afterwards.
  // commandLine is what followed the program's name.
  bool Start(const std::wstring& commandLine);
  // Releases the single-instance mutex; returns the process exit code.
  int Exit();

  // False when another instance runs: that one is brought forward (or the user told) instead.
  bool CheckSingleInstance();
  // The help file: the language's own when present, else the general one (ChooseHelpFile).
  void SetHelpFile();

  win::Dialog* MainWindow() const { return mainWindow_; }

 private:
  win::OwnedMutex instanceMutex_;
  win::Dialog* mainWindow_ = nullptr;
};

// The process's one application object.
Application& App();

// The safety net's question when the copy of the store or of boot.ini cannot be made: change without
// one (for the rest of the run)? failure says why the copy failed. No is the default.
bool AskChangeWithoutCopy(const std::wstring& failure);
