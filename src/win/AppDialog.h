// The base of the program's own dialogs: before the dialog's own initialisation it lays the
// dialog out as its 96-DPI layout scaled to the DPI and puts the chosen language's texts and font
// on it, and lays it out again when it moves to a monitor of another DPI; before Vista it paints
// the program's dialog background.
#pragma once
#include "win/Dialog.h"

namespace win {

class AppDialog : public Dialog {
 public:
  template <class T, size_t N>
  AppDialog(UINT templateId, const MessageEntry<T> (&rows)[N], HINSTANCE instance = nullptr)
      : Dialog(templateId, rows, instance) {}
  explicit AppDialog(UINT templateId, HINSTANCE instance = nullptr) : Dialog(templateId, instance) {}

 protected:
  // The main window's caption is the application title, not the template's.
  void UseAppTitle() { useAppTitle_ = true; }
  void BeforeInit() override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // The dialog now has DPI to (it had from) and its controls are laid out and have their font for
  // it: what the dialog's own code placed, sized or took pictures for is done again. Its child
  // windows hear of the change after this.
  virtual void OnDpiChanged(UINT from, UINT to) { (void)from, (void)to; }

 private:
  // A top-level dialog is told its new DPI and place (suggested, as WM_DPICHANGED gives them); a
  // child dialog reads its DPI when its parent has taken it.
  void FollowDpi(UINT dpi, const RECT* suggested);

  bool useAppTitle_ = false;
  UINT dpi_ = 0;  // what the controls are laid out for
  bool systemTellsChildren_ = false;
};

}  // namespace win
