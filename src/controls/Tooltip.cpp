// Tooltips of the skinned controls.
#include "controls/Tooltip.h"

#include <commctrl.h>

#include "controls/Drawing.h"

namespace {

constexpr int kMaximumWidth = 400;

TOOLINFOW ToolFor(HWND control) {
  TOOLINFOW tool = {};
  // The version-5 record: Windows 2000's comctl32 refuses the larger one the headers default to.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

bool Tooltip::Create(HWND control) {
  if (window_) return true;
  DWORD style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | (balloon_ ? TTS_BALLOON : 0);
  window_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!window_) return false;
  SendMessageW(window_.Get(), TTM_SETMAXTIPWIDTH, 0, kMaximumWidth);
  hasTool_ = false;
  return true;
}

void Tooltip::SetText(HWND control, const std::wstring& text, bool activate) {
  if (!control || !Create(control)) return;
  TOOLINFOW tool = ToolFor(control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  if (hasTool_) {
    SendMessageW(window_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    hasTool_ = SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  }
  SendMessageW(window_.Get(), TTM_ACTIVATE, activate, 0);
}

void Tooltip::SetTitle(HWND control, const std::wstring& title, UINT iconId, int iconSize, HINSTANCE instance) {
  if (!control || !Create(control)) return;
  titleIcon_ = LoadIconResource(iconId, iconSize, iconSize, instance);
  // Any value above TTI_ERROR is taken as an icon handle.
  WPARAM icon = titleIcon_ ? reinterpret_cast<WPARAM>(titleIcon_.Get()) : TTI_INFO;
  SendMessageW(window_.Get(), TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(title.c_str()));
}
