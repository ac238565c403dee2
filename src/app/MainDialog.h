// The main window: page buttons on the left, the pages in the frame beside them.
#pragma once
#include "win/Dialog.h"

class MainDialog : public win::Dialog {
 public:
  MainDialog();

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnClose(WPARAM, LPARAM);

  static const win::MessageEntry<MainDialog> kMessages[];
};
