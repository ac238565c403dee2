// The base of the program's own dialogs: before the dialog's own initialisation it lays the
// dialog out as its 96-DPI layout scaled to the DPI and puts the chosen language's texts and font
// on it; before Vista it paints the program's dialog background.
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

 private:
  bool useAppTitle_ = false;
};

}  // namespace win
