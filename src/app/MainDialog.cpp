// Main window behaviour.
#include "app/MainDialog.h"

#include "resource.h"

const win::MessageEntry<MainDialog> MainDialog::kMessages[] = {
    win::OnMessage(WM_CLOSE, &MainDialog::OnClose),
};

MainDialog::MainDialog() : win::Dialog(IDD_MAIN) {}

BOOL MainDialog::OnInit() {
  SetWindowTextW(Handle(), L"Vexa");
  return TRUE;
}

bool MainDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  return win::DispatchThrough(this, kMessages, message, wParam, lParam, result);
}

INT_PTR MainDialog::OnClose(WPARAM, LPARAM) {
  End(IDCANCEL);
  return TRUE;
}
