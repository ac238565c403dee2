// Tests of windows with a modal loop of their own: a timer hands each dialog the loop opened to the
// test once, and ends it on the next tick should the test's way of closing it have failed (posted
// input is handled before a timer fires).
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "WindowTest.h"

namespace testing_support {

struct ModalRun {
  std::vector<HWND> opened, leftOpen;
  std::vector<HWND> known;
  std::function<void(HWND)> visit;
};
inline ModalRun* g_modalRun = nullptr;

inline BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  wchar_t name[8] = {};
  GetClassNameW(window, name, 8);
  if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

inline void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD) {
  ModalRun& run = *g_modalRun;
  for (HWND window : run.opened) {
    if (IsWindow(window) && !std::count(run.leftOpen.begin(), run.leftOpen.end(), window)) {
      run.leftOpen.push_back(window);
      EndDialog(window, 0);
    }
  }
  std::vector<HWND> now;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&now));
  for (HWND window : now) {
    if (std::count(run.known.begin(), run.known.end(), window)) continue;
    run.known.push_back(window);
    run.opened.push_back(window);
    run.visit(window);
  }
}

// Calls open (which runs modal loops, or posts what starts them) and pumps until they are over.
inline ModalRun WhileModal(const std::function<void()>& open, const std::function<void(HWND)>& visit) {
  ModalRun run{{}, {}, {}, visit};
  EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&run.known));
  g_modalRun = &run;
  UINT_PTR timer = SetTimer(nullptr, 0, 25, ModalTick);
  open();
  PumpMessages();
  KillTimer(nullptr, timer);
  g_modalRun = nullptr;
  return run;
}

}  // namespace testing_support
