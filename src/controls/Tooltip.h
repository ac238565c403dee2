// The tooltip of one skinned control (button or label): made on first use, one tool for the
// whole control.
#pragma once
#include <windows.h>

#include <string>

#include "win/Handles.h"

class Tooltip {
 public:
  // Applies to a tooltip not made yet.
  void UseBalloon() { balloon_ = true; }
  // Creates the tooltip for control on first use, adds or updates its tool, (de)activates it.
  void SetText(HWND control, const std::wstring& text, bool activate);
  // A title line with an icon above the text; iconId 0 takes the system's information icon.
  void SetTitle(HWND control, const std::wstring& title, UINT iconId, int iconSize, HINSTANCE instance = nullptr);
  HWND Handle() const { return window_.Get(); }
  // With the control's window: the tooltip is owned by the dialog and would outlive it.
  void Destroy() {
    window_.Reset();
    hasTool_ = false;
  }

 private:
  bool Create(HWND control);

  win::UniqueWindow window_;
  win::UniqueIcon titleIcon_;
  bool balloon_ = false;
  bool hasTool_ = false;
};
