// Main window behaviour.
#include "app/MainDialog.h"

#include "resource.h"

const win::MessageEntry<MainDialog> MainDialog::kMessages[] = {
    win::OnMessage(WM_CLOSE, &MainDialog::OnClose),
};

MainDialog::MainDialog() : win::Dialog(IDD_MAIN, kMessages) {}

BOOL MainDialog::OnInit() {
  SetWindowTextW(Handle(), L"Vexa");
  return TRUE;
}

INT_PTR MainDialog::OnClose(WPARAM, LPARAM) {
  End(IDCANCEL);
  return TRUE;
}
